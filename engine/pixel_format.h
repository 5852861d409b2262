// The output pixel formats a run can write, the dithering modes, and the
// encoder of a format.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "engine/pixel_encoder.h"

enum class PixelFormat {
  kRgb565,
  kRgb565Le,
  kBgr565,
  kBgr565Le,
  kRgb888,
  kBgr888,
  kR3g2b3,
  kRgb332,
  kArgb8888,
  kRgba8888,
  kRgb565A8,
};

enum class Dither { kNone, kOrdered, kDiffusion };

// The format's name on the command line and in the outputs, e.g. "rgb565le".
const char* FormatName(PixelFormat format);
std::optional<PixelFormat> FormatNamed(std::string_view name);
// Bits per pixel, as in the time-stamped file names: 16, 24, 8, 32 or 24.
int FormatBits(PixelFormat format);
int FormatBytesPerPixel(PixelFormat format);
// The format a dialog depth stands for: 24 rgb888, 8 r3g2b3, any other rgb565.
PixelFormat FormatOfDepth(int depth);

const char* DitherName(Dither dither);
std::optional<Dither> DitherNamed(std::string_view name);

// The encoder of `format`. Formats without alpha composite each pixel over
// `background` first; `dither` spreads the rounding of channels narrower
// than 8 bits.
std::unique_ptr<PixelEncoder> EncoderFor(PixelFormat format, Dither dither,
                                         Background background = {});
