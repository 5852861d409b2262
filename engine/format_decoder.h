// FormatDecoder: the inverse of a PixelEncoder. It reads a row of output
// bytes back into the pixels the display module shows for them, so a preview
// shows exactly what the binary image file holds.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/pixel.h"
#include "engine/pixel_format.h"

class FormatDecoder {
 public:
  virtual ~FormatDecoder() = default;
  virtual int BytesPerPixel() const = 0;
  // The format as a person reads it, e.g. "RGB565, high byte first".
  virtual const char* Name() const = 0;
  // Decodes `width` pixels of one encoded row (a planar format's row holds
  // its part of every plane, as the encoder wrote it). Every pixel comes out
  // opaque: alpha formats are shown over the background.
  virtual void DecodeRow(const uint8_t* encoded, uint32_t width, Pixel* out) const = 0;
};

// The decoder of each output format: every format an encoder writes has its
// decoder here. `background` is what shows through an alpha format's
// transparency, as it does through the others' when they are encoded.
std::unique_ptr<FormatDecoder> DecoderFor(PixelFormat format, Background background = {});

// A channel of `bits` bits widened to 8 by repeating its bits from the top:
// 0 stays 0, the largest level becomes 255, and the levels in between are
// spread nearly evenly. For 2 and 3 bits this is exactly L * 255 / 3 and
// L * 255 / 7 rounded; for 5 bits it is the widening the bitmap intake uses
// for X1R5G5B5.
inline uint8_t WidenLevel(unsigned level, int bits) {
  unsigned value = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) {
    value |= shift >= 0 ? level << shift : level >> -shift;
  }
  return static_cast<uint8_t>(value);
}
