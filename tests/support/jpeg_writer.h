// Test support: JPEG files encoded by libjpeg-turbo (TurboJPEG API), and its
// own decode of them, the expectation for the engine's JPEG source.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/pixel.h"

namespace testing_support {

enum class JpegKind { k444, k422, k420, kGrey, kProgressive420, kCmyk };

// A `width` x `height` picture of smooth gradients and sharp edges.
std::vector<uint8_t> EncodeJpeg(int width, int height, JpegKind kind);

// The RGBA pixels TurboJPEG decodes from `file`, top row first.
std::vector<Pixel> DecodeJpegWithTurboJpeg(const std::vector<uint8_t>& file);

}  // namespace testing_support
