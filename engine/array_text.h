// The hexadecimal value text of a picture's C byte array in bmp.c.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A picture wider than 32 pixels runs its values together in lines of 32
// pixels, counted across row ends; a narrower one puts each row on a line of
// its own.
class ArrayText {
 public:
  // Starts a picture; returns the text that follows the block's "{".
  std::string_view Begin(uint32_t width);
  // Appends to `out` the text of one encoded row of `width` pixels of
  // `bytesPerPixel` bytes each.
  void AppendRow(const uint8_t* encoded, uint32_t width, int bytesPerPixel, std::string& out);

 private:
  template <int kBpp>
  char* PutRow(char* p, const uint8_t* encoded, uint32_t width, int bpp);

  bool wrap_ = false;
  int counter_ = 0;
};
