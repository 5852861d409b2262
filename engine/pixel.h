// The one pixel type between sources and encoders: 8-bit red, green, blue
// and alpha. Every source yields rows of these, whatever it read.
#pragma once

#include <cstdint>

struct Pixel {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  uint8_t a = 255;
};
