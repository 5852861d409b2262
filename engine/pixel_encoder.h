// PixelEncoder: the middle stage of the picture pipeline. It turns a row of
// pixels into the output bytes of one pixel format. An encoder may keep state
// across the rows of a picture (dithering does), so each picture starts with
// BeginPicture and then hands it its rows top row first.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/pixel.h"

class PixelEncoder {
 public:
  virtual ~PixelEncoder() = default;
  // Output bytes per pixel; a row of `width` pixels encodes to width times this.
  virtual int BytesPerPixel() const = 0;
  // A planar format stores each picture as planes, one after the other: every
  // row of plane 0, then every row of plane 1. EncodeRow then writes the row's
  // part of each plane back to back: width times PlaneBytes(0) bytes, then
  // width times PlaneBytes(1) bytes.
  virtual int PlaneCount() const { return 1; }
  virtual int PlaneBytes(int /*plane*/) const { return BytesPerPixel(); }
  virtual void BeginPicture(uint32_t /*width*/) {}
  virtual void EncodeRow(const Pixel* row, uint32_t width, uint8_t* out) = 0;
};

// The colour that shows through a pixel's transparency in formats without
// alpha.
struct Background {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
};

// The pixel composited over the background, each channel rounded exactly:
// (c * a + bg * (255 - a) + 127) / 255. Opaque pixels stay as they are.
inline Pixel OverBackground(Pixel px, Background bg) {
  if (px.a == 255) return px;
  auto mix = [a = px.a](uint8_t c, uint8_t under) {
    return static_cast<uint8_t>((c * a + under * (255 - a) + 127) / 255);
  };
  return Pixel{mix(px.r, bg.r), mix(px.g, bg.g), mix(px.b, bg.b), 255};
}

// 3, 2 or 1 for depth 24, 16 or 8; 2 for any other value.
int BytesPerPixel(int depth);

// The encoder of an output depth: 24 gives R, G, B; 8 gives R3G2B3; any other
// value gives RGB565, high byte first. None has alpha: pixels are composited
// over `background` first.
std::unique_ptr<PixelEncoder> EncoderForDepth(int depth, Background background = {});

// RGB565, as the value whose high byte is stored first.
inline uint16_t EncodeRgb565(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

// R3G2B3: divisions by 36 and 85, not shifts, so red and blue get 8 levels
// and green 4, with the level bounds the display modules expect.
inline uint8_t EncodeR3G2B3(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint8_t>(((r / 36) << 5) | ((g / 85) << 3) | (b / 36));
}
