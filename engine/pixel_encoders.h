// Pixel encoding at the three output depths and the hexadecimal value text of
// the C byte arrays.
#pragma once

#include <cstdint>
#include <string>

// 3, 2 or 1 for depth 24, 16 or 8; 2 for any other value.
int BytesPerPixel(int depth);

// RGB565, as the value whose high byte is stored first.
inline uint16_t EncodeRgb565(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

// R3G2B3: divisions by 36 and 85, not shifts, so red and blue get 8 levels
// and green 4, with the level bounds the display modules expect.
inline uint8_t EncodeR3G2B3(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint8_t>(((r / 36) << 5) | ((g / 85) << 3) | (b / 36));
}

// Converts `width` source pixels (blue, green, red) in place into the output
// bytes of `depth`, BytesPerPixel(depth) per pixel, from the start of `row`.
// Depths other than 24 and 8 encode as 16.
void EncodeRow(uint8_t* row, uint32_t width, int depth);

// The value text of one picture's array block. A picture wider than 32 pixels
// runs its values together in lines of 32 pixels, counted across row ends;
// a narrower one puts each row on a line of its own.
class ArrayText {
 public:
  // Starts a picture; returns the text that follows the block's "{".
  std::string_view Begin(int32_t width);
  // Appends to `out` the text of one row whose pixels were encoded at
  // `depth`, or only its line break when `withValues` is false (a source
  // that is not 24 bits per pixel is not converted).
  void AppendRow(const uint8_t* encoded, uint32_t width, int depth, bool withValues,
                 std::string& out);

 private:
  bool wrap_ = false;
  int counter_ = 0;
};
