// Icon and PNG files from 0xAARRGGBB pixels (rows top first).
#pragma once

#include <cstdint>
#include <vector>

// One 32-bit image in a .ico file: BGRA rows bottom first, then the AND mask
// (set where the pixel is fully transparent).
std::vector<uint8_t> EncodeIco(const uint32_t* pixels, int width, int height);

// An RGBA PNG with stored (uncompressed) deflate blocks: small enough for an
// icon and needs no compression library.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height);
