// The BMP source of `--input any`: every variant writers use. Core (OS/2,
// 12-byte) and 40/52/56/108/124-byte info headers; 1, 2, 4 and 8 bits with
// colour tables; RLE4 and RLE8; 16 and 32 bits with default or bit-field
// masks; 24 bits; rows bottom-up or top-down; the pixel data where bfOffBits
// says. Every field is checked before it is trusted, in 64-bit arithmetic.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/bmp_rle.h"
#include "engine/byte_source.h"
#include "engine/picture_source.h"
#include "platform/cstring.h"

// One channel's bit field within a 16- or 32-bit pixel.
struct ChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  int width = 0;  // 0: the channel is absent
};

// Everything the header says about where and how the pixels are stored.
struct BmpLayout {
  uint32_t width = 0;
  uint32_t height = 0;
  bool topDown = false;
  uint16_t bits = 0;
  uint32_t compression = 0;
  uint64_t dataOffset = 0;
  uint64_t dataSize = 0;  // bytes of pixel data (compressed size for RLE)
  uint64_t stride = 0;    // bytes per stored row, for uncompressed data
  // Red, green, blue and alpha, for 16 and 32 bits; alpha absent is opaque.
  std::array<ChannelMask, 4> masks;
  std::vector<Pixel> palette;  // for 1 to 8 bits: at most 256 entries
};

// Reads and checks the headers, masks and colour table, and that the file
// holds the pixel data. Returns empty when the picture can be decoded, else
// the reason (" bmp: ..."); `storedSize` becomes the result line's Size.
CString ReadBmpLayout(ByteSource& bytes, BmpLayout& layout, uint32_t& storedSize);

// A channel value of `width` bits as 8 bits: narrower fields repeat their
// bits (5-bit v gives (v << 3) | (v >> 2)), wider ones are rounded.
uint8_t WidenChannel(uint32_t value, int width);

class AnyBmpSource : public PictureSource {
 public:
  explicit AnyBmpSource(ByteSource& bytes) : bytes_(bytes) {}
  CString Open() override;
  const PictureHeader& header() const override { return header_; }
  bool ReadRow(uint32_t k, Pixel* row) override;

 private:
  CString CheckIndices();
  bool ReadRleRow(uint32_t stored, Pixel* row);

  ByteSource& bytes_;
  BmpLayout layout_;
  PictureHeader header_;
  std::vector<uint8_t> stored_;  // one row as stored
  // RLE pictures only: where each stored row's codes begin, and one row's
  // colour indices.
  std::vector<RleRowStart> rleRows_;
  std::vector<uint16_t> indices_;
};
