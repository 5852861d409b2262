// ColourQuantizer: the colour channels of a row of pixels reduced to a
// format's levels, without dithering, with an ordered 8 x 8 Bayer matrix, or
// with Floyd-Steinberg error diffusion in serpentine order. All integer, so
// every host gives the same levels; diffusion keeps two rows of errors.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/channel_levels.h"
#include "engine/pixel.h"
#include "engine/pixel_format.h"

class ColourQuantizer {
 public:
  ColourQuantizer(ColourLevels levels, Dither dither) : levels_(levels), dither_(dither) {}

  // Starts a picture: row 0 next, no error carried over from another picture.
  void BeginPicture(uint32_t width);
  // Replaces r, g and b of the next row's `width` pixels by their levels.
  void QuantizeRow(Pixel* row, uint32_t width);

 private:
  void OrderedRow(Pixel* row, uint32_t width) const;
  void DiffusionRow(Pixel* row, uint32_t width);

  ColourLevels levels_;
  Dither dither_;
  uint32_t rowIndex_ = 0;
  // Errors in sixteenths for the current and the next row: three channels
  // per pixel, with one spare pixel at either end for the neighbours beyond
  // the edges, whose errors are dropped.
  std::vector<int32_t> current_, next_;
};
