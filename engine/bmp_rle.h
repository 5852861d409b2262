// RLE4 and RLE8 pixel data of a BMP file: the codes walked once to check
// them without memory, then once more into a buffer of colour indices.
#pragma once

#include <cstdint>

#include "engine/any_bmp_source.h"
#include "engine/byte_source.h"
#include "platform/cstring.h"

// A pixel the codes never wrote: transparent black.
inline constexpr uint16_t kUnwritten = 0xFFFF;

// Walks the RLE codes of `layout` (compression 1 or 2). With `indices`
// (width * height entries, stored row order, already kUnwritten), writes
// every coded pixel's colour index. Returns empty when the codes are sound,
// else the reason (" bmp: ...").
CString DecodeRle(ByteSource& bytes, const BmpLayout& layout, uint16_t* indices);
