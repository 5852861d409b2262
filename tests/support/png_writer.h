// Test support: PNG files written through libspng's encoder from samples,
// for every colour type, bit depth, tRNS and interlacing.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/pixel.h"

namespace testing_support {

struct PngSpec {
  uint32_t width = 1;
  uint32_t height = 1;
  uint8_t colourType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
  uint8_t bitDepth = 8;
  bool interlaced = false;
  std::vector<Pixel> palette;         // colour type 3
  std::vector<uint8_t> paletteAlpha;  // tRNS for colour type 3 (may be short)
  std::vector<uint16_t> transparent;  // tRNS grey (1) or RGB (3) sample values
};

// Samples per pixel of a colour type.
int SamplesPerPixel(uint8_t colourType);

// The PNG file of `samples` (width * height * SamplesPerPixel values, top
// row first, each below 2^bitDepth).
std::vector<uint8_t> EncodePng(const PngSpec& spec, const std::vector<uint16_t>& samples);

// The RGBA colours a reader should yield: samples scaled to 8 bits (16 bits
// rounded), palettes looked up, tRNS applied.
std::vector<Pixel> ExpectedPngPixels(const PngSpec& spec, const std::vector<uint16_t>& samples);

}  // namespace testing_support
