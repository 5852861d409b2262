// PNG encoding of pixel rectangles for the preview page, over libspng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/pixel.h"

// The PNG file of `width` x `height` pixels, top row first. With `alpha` the
// file keeps each pixel's alpha (RGBA, 8 bits a channel); without, it is RGB
// and alpha is dropped. Returns empty and sets `problem` when libspng fails.
std::string EncodePng(const std::vector<Pixel>& pixels, uint32_t width, uint32_t height, bool alpha,
                      std::string& problem);
