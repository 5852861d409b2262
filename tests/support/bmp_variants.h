// Test support: BMP files of every variant writers produce, written from a
// picture of RGBA pixels, so a decoder's output can be compared with the
// colours put in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/pixel.h"

namespace testing_support {

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row by row, top row first
  const Pixel& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// A picture of `width` x `height` whose colours come from `colours`, spread
// so that rows differ and runs of equal pixels occur.
RgbaPicture PatternPicture(int width, int height, const std::vector<Pixel>& colours);

enum BmpCompression : uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,
  kBiAlphaBitfields = 6,
};

struct BmpVariant {
  uint32_t headerSize = 40;  // 12, 40, 52, 56, 108 or 124
  uint16_t bits = 24;
  uint32_t compression = kBiRgb;
  bool topDown = false;
  // Red, green, blue, alpha masks for kBiBitfields / kBiAlphaBitfields.
  std::array<uint32_t, 4> masks{};
  // For 1 to 8 bits: the colour table, every colour of the picture in it.
  std::vector<Pixel> palette;
  bool writeColorsUsed = false;  // biClrUsed = palette size, else 0
  bool zeroSizeImage = false;
  uint32_t gap = 0;  // bytes between the table and the pixel data
};

// The file's bytes. Channels are stored in each mask's width, rounded, so
// 0 and 255 read back exactly at any width and every value at 8 bits and
// more. RLE codes runs of one colour as runs, the rest as literal pixels,
// and skips transparent pixels (a == 0) with delta and end-of-line codes.
std::vector<uint8_t> EncodeBmpVariant(const BmpVariant& variant, const RgbaPicture& picture);

}  // namespace testing_support
