// Icon and PNG files from 0xAARRGGBB pixels (rows top first).
#pragma once

#include <cstdint>
#include <vector>

struct SquareImage {
  int size;  // 1 to 256
  const uint32_t* pixels;
};

// A .ico file of 32-bit images, in the order given: each BGRA rows bottom
// first, then the AND mask (set where the pixel is fully transparent).
std::vector<uint8_t> EncodeIco(const std::vector<SquareImage>& images);

// An RGBA PNG with stored (uncompressed) deflate blocks: small enough for an
// icon and needs no compression library.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height);
