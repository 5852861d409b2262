// RLE4 and RLE8 pixel data of a BMP file. The codes are walked once to
// check them, noting where each row's codes begin; a row is then decoded
// from there when it is read. No buffer grows with the picture's size, so a
// small file that declares a huge picture costs nothing to hold.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/byte_source.h"
#include "platform/cstring.h"

struct BmpLayout;

// A pixel the codes never wrote: transparent black.
inline constexpr uint16_t kUnwritten = 0xFFFF;

// Where the codes of one stored row begin; rows no code reaches have none.
struct RleRowStart {
  uint64_t offset = 0;
  uint32_t x = 0;
  bool present = false;
};

// Walks all the RLE codes of `layout` (compression 1 or 2) and fills
// `starts` (one per stored row). Returns empty when the codes are sound,
// else the reason (" bmp: ...").
CString CheckRle(ByteSource& bytes, const BmpLayout& layout, std::vector<RleRowStart>& starts);

// Writes the colour indices of stored row `y` into `indices` (width
// entries, already kUnwritten) from its start. False when the file no longer
// holds the codes CheckRle saw.
bool DecodeRleRow(ByteSource& bytes, const BmpLayout& layout, const RleRowStart& start, uint32_t y,
                  uint16_t* indices);
