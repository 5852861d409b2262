#include "engine/bmp_rle.h"

#include <string>

#include "engine/any_bmp_source.h"
#include "engine/byte_reader.h"

namespace {

constexpr uint32_t kRle4 = 2;

CString Reason(const std::wstring& text) {
  return CString(L" bmp: " + text);
}

// A pass over the codes: all of them, noting where rows begin (`starts`), or
// one row's, writing its indices. Positions are in stored row order: y = 0
// is the first row stored.
class RleWalk {
 public:
  RleWalk(ByteSource& bytes, const BmpLayout& layout, uint64_t from, uint64_t x, uint64_t y)
      : reader_(bytes, from, layout.dataOffset + layout.dataSize),
        layout_(layout),
        four_(layout.compression == kRle4),
        // A run may cover the row's padding, as some encoders code the
        // padded row; those pixels are dropped.
        paddedWidth_(four_ ? 2 * layout.stride : layout.stride),
        x_(x),
        y_(y) {}

  CString Walk();
  std::vector<RleRowStart>* starts = nullptr;
  uint16_t* rowIndices = nullptr;

 private:
  void EnterRow();
  CString Run(uint8_t count, uint8_t value);
  CString Absolute(uint8_t count);
  CString Delta();
  CString CheckSpan(uint64_t count) const;
  CString Put(uint64_t x, uint32_t index);
  static CString EndedEarly() { return Reason(L"RLE data ends before its end-of-bitmap code"); }
  static CString PastEnd() { return Reason(L"RLE data goes past the end of the picture"); }

  ByteReader reader_;
  const BmpLayout& layout_;
  bool four_;
  uint64_t paddedWidth_;
  uint64_t x_;
  uint64_t y_;
  bool rowEnded_ = false;  // decoding one row: a code moved to another
};

// Called when a code moved to another row: notes where that row begins, or,
// decoding one row, ends the walk.
void RleWalk::EnterRow() {
  if (rowIndices) rowEnded_ = true;
  if (starts && y_ < layout_.height) (*starts)[y_] = {reader_.position(), uint32_t(x_), true};
}

CString RleWalk::Walk() {
  while (!rowEnded_) {
    uint8_t count = 0;
    uint8_t value = 0;
    // Data that ends right after the last row needs no end-of-bitmap code.
    if (!reader_.Next(count)) return y_ >= layout_.height ? CString() : EndedEarly();
    if (!reader_.Next(value)) return EndedEarly();
    CString problem;
    if (count > 0) {
      problem = Run(count, value);
    } else if (value == 0) {  // end of line
      if (y_ >= layout_.height) return PastEnd();
      x_ = 0;
      ++y_;
      EnterRow();
    } else if (value == 1) {  // end of bitmap
      return {};
    } else if (value == 2) {
      problem = Delta();
    } else {
      problem = Absolute(value);
    }
    if (!problem.IsEmpty()) return problem;
  }
  return {};
}

CString RleWalk::CheckSpan(uint64_t count) const {
  if (y_ >= layout_.height) return PastEnd();
  if (x_ + count > paddedWidth_) {
    return Reason(L"RLE run passes the end of a row by more than the row's padding");
  }
  return {};
}

CString RleWalk::Put(uint64_t x, uint32_t index) {
  if (index >= layout_.palette.size()) {
    return Reason(L"pixel index " + std::to_wstring(index) + L" is past the end of the " +
                  std::to_wstring(layout_.palette.size()) + L"-entry colour table");
  }
  if (rowIndices && x < layout_.width) rowIndices[x] = static_cast<uint16_t>(index);
  return {};
}

CString RleWalk::Run(uint8_t count, uint8_t value) {
  if (CString problem = CheckSpan(count); !problem.IsEmpty()) return problem;
  for (uint32_t i = 0; i < count; ++i) {
    // RLE4 runs alternate the byte's high and low nibble.
    const uint32_t index = four_ ? (i % 2 == 0 ? value >> 4 : value & 15) : value;
    if (CString problem = Put(x_ + i, index); !problem.IsEmpty()) return problem;
  }
  x_ += count;
  return {};
}

CString RleWalk::Absolute(uint8_t count) {
  if (CString problem = CheckSpan(count); !problem.IsEmpty()) return problem;
  const size_t bytes = four_ ? (size_t{count} + 1) / 2 : count;
  // Literal pixels are padded to a 16-bit boundary.
  uint8_t literal[256];
  if (!reader_.Read(literal, bytes + (bytes & 1))) return EndedEarly();
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t byte = literal[four_ ? i / 2 : i];
    const uint32_t index = four_ ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte;
    if (CString problem = Put(x_ + i, index); !problem.IsEmpty()) return problem;
  }
  x_ += count;
  return {};
}

CString RleWalk::Delta() {
  uint8_t dx = 0;
  uint8_t dy = 0;
  if (!reader_.Next(dx) || !reader_.Next(dy)) return EndedEarly();
  x_ += dx;
  y_ += dy;
  if (y_ >= layout_.height || x_ > paddedWidth_) {
    return Reason(L"RLE delta moves past the end of the picture");
  }
  if (dy > 0) EnterRow();
  return {};
}

}  // namespace

CString CheckRle(ByteSource& bytes, const BmpLayout& layout, std::vector<RleRowStart>& starts) {
  starts.assign(layout.height, RleRowStart{});
  if (layout.height > 0) starts[0] = {layout.dataOffset, 0, true};
  RleWalk walk(bytes, layout, layout.dataOffset, 0, 0);
  walk.starts = &starts;
  return walk.Walk();
}

bool DecodeRleRow(ByteSource& bytes, const BmpLayout& layout, const RleRowStart& start, uint32_t y,
                  uint16_t* indices) {
  if (!start.present) return true;
  RleWalk walk(bytes, layout, start.offset, start.x, y);
  walk.rowIndices = indices;
  return walk.Walk().IsEmpty();
}
