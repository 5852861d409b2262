#include "engine/any_bmp_source.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "engine/bmp_rle.h"

namespace {

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitfields = 3,
  kJpeg = 4,
  kPng = 5,
  kAlphaBitfields = 6,
  kCmyk = 11,
  kCmykRle8 = 12,
  kCmykRle4 = 13,
};

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
// The 40-byte header; 52 adds the colour masks, 56 the alpha mask, 108 and
// 124 colour-space and profile fields, which are ignored: pixels are taken
// as stored.
constexpr uint32_t kHeaderSizes[] = {kCoreHeaderSize, 40, 52, 56, 108, 124};
constexpr uint64_t kMasksOffset = kFileHeaderSize + 40;
// The file header, the largest info header and the four masks a 40-byte
// header may be followed by.
constexpr size_t kHeaderBufferSize = kFileHeaderSize + 124 + 16;

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

CString Reason(const std::wstring& text) {
  return CString(L" bmp: " + text);
}

std::wstring Num(uint64_t value) {
  return std::to_wstring(value);
}

// The info header's fields; the core header's are widened into them.
struct InfoFields {
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0;  // negative: top row first
  uint16_t planes = 0;
  uint16_t bits = 0;
  uint32_t compression = kRgb;
  uint32_t sizeImage = 0;
  uint32_t colorsUsed = 0;
};

void ParseInfo(const uint8_t* h, uint32_t headerSize, InfoFields& f) {
  f.headerSize = headerSize;
  if (headerSize == kCoreHeaderSize) {
    f.width = U16(h + 4);
    f.height = U16(h + 6);
    f.planes = U16(h + 8);
    f.bits = U16(h + 10);
    return;
  }
  f.width = static_cast<int32_t>(U32(h + 4));
  f.height = static_cast<int32_t>(U32(h + 8));
  f.planes = U16(h + 12);
  f.bits = U16(h + 14);
  f.compression = U32(h + 16);
  f.sizeImage = U32(h + 20);
  f.colorsUsed = U32(h + 32);
}

bool IsBitfields(uint32_t compression) {
  return compression == kBitfields || compression == kAlphaBitfields;
}

bool IsRle(uint32_t compression) {
  return compression == kRle8 || compression == kRle4;
}

CString CheckCompression(const InfoFields& f) {
  const std::wstring bits = Num(f.bits);
  switch (f.compression) {
    case kRgb:
      if (f.bits == 1 || f.bits == 2 || f.bits == 4 || f.bits == 8 || f.bits == 16 ||
          f.bits == 24 || f.bits == 32) {
        return {};
      }
      return Reason(bits + L" bits per pixel is not supported");
    case kRle8:
      return f.bits == 8 ? CString() : Reason(L"RLE8 needs 8 bits per pixel, not " + bits);
    case kRle4:
      return f.bits == 4 ? CString() : Reason(L"RLE4 needs 4 bits per pixel, not " + bits);
    case kBitfields:
    case kAlphaBitfields:
      if (f.bits == 16 || f.bits == 32) return {};
      return Reason(L"bit-field masks need 16 or 32 bits per pixel, not " + bits);
    case kJpeg:
      return Reason(L"embedded JPEG (BI_JPEG) is not supported");
    case kPng:
      return Reason(L"embedded PNG (BI_PNG) is not supported");
    case kCmyk:
    case kCmykRle8:
    case kCmykRle4:
      return Reason(L"CMYK is not supported");
  }
  return Reason(L"compression " + Num(f.compression) + L" is not supported");
}

CString CheckGeometry(const InfoFields& f, BmpLayout& layout) {
  if (f.width < 0) return Reason(L"width is negative");
  const int64_t height = f.height < 0 ? -f.height : f.height;
  if (f.width > kMaxDimension || height > kMaxDimension) {
    return Reason(L"picture is wider or higher than 65535 pixels");
  }
  if (f.width * height > kMaxPixels) {
    return Reason(L"picture has more than " + Num(kMaxPixels) + L" pixels");
  }
  layout.width = static_cast<uint32_t>(f.width);
  layout.height = static_cast<uint32_t>(height);
  layout.topDown = f.height < 0;
  layout.bits = f.bits;
  layout.compression = f.compression;
  layout.stride = (static_cast<uint64_t>(f.width) * f.bits + 31) / 32 * 4;
  return {};
}

ChannelMask MaskOf(uint32_t mask) {
  ChannelMask m;
  m.mask = mask;
  if (mask == 0) return m;
  m.shift = std::countr_zero(mask);
  m.width = std::popcount(mask);
  return m;
}

CString CheckMask(const ChannelMask& m, uint16_t bits) {
  if (m.mask == 0) return {};
  const uint64_t run = (uint64_t{1} << m.width) - 1;
  if ((uint64_t{m.mask} >> m.shift) != run) return Reason(L"a colour mask is not one run of bits");
  if (bits == 16 && (m.mask >> 16) != 0) {
    return Reason(L"a colour mask has bits beyond the 16 of a pixel");
  }
  return {};
}

// Masks sit right after the 40 bytes of the info header's common part,
// inside the larger headers or after a 40-byte one. `headersEnd` becomes the
// end of the headers and masks: where the colour table or pixels may begin.
CString ReadMasks(const uint8_t* h, size_t available, const InfoFields& f, BmpLayout& layout,
                  uint64_t& headersEnd) {
  headersEnd = kFileHeaderSize + f.headerSize;
  if (!IsBitfields(f.compression)) {
    // BI_RGB: X1R5G5B5 at 16 bits; blue, green, red and an unused byte at 32.
    if (f.bits == 16) layout.masks = {MaskOf(0x7C00), MaskOf(0x03E0), MaskOf(0x001F), {}};
    if (f.bits == 32) layout.masks = {MaskOf(0xFF0000), MaskOf(0xFF00), MaskOf(0xFF), {}};
    return {};
  }
  const uint64_t count = (f.compression == kAlphaBitfields || f.headerSize >= 56) ? 4 : 3;
  headersEnd = std::max(headersEnd, kMasksOffset + 4 * count);
  if (available < headersEnd) return Reason(L"file is shorter than its headers");
  for (uint64_t i = 0; i < count; ++i) {
    layout.masks[i] = MaskOf(U32(h + kMasksOffset + 4 * i));
    if (CString problem = CheckMask(layout.masks[i], f.bits); !problem.IsEmpty()) return problem;
  }
  return {};
}

CString ReadPalette(ByteSource& bytes, const InfoFields& f, uint64_t tableStart,
                    BmpLayout& layout) {
  if (f.bits > 8) return {};
  const uint64_t entrySize = f.headerSize == kCoreHeaderSize ? 3 : 4;
  const uint64_t maxEntries = uint64_t{1} << f.bits;
  const uint64_t room = (layout.dataOffset - tableStart) / entrySize;
  const uint64_t wanted = f.colorsUsed ? std::min<uint64_t>(f.colorsUsed, maxEntries) : maxEntries;
  if (f.colorsUsed != 0 && room < wanted) {
    return Reason(Num(f.bits) + L"-bit colour table shorter than biClrUsed");
  }
  // Without biClrUsed, a table cut short by bfOffBits is as long as it is.
  const uint64_t entries = std::min(wanted, room);
  if (entries == 0) return Reason(Num(f.bits) + L"-bit picture has no colour table");
  uint8_t table[256 * 4];
  const size_t size = static_cast<size_t>(entries * entrySize);
  if (bytes.ReadAt(tableStart, table, size) != size) {
    return Reason(L"file is shorter than its colour table");
  }
  layout.palette.resize(static_cast<size_t>(entries));
  for (size_t i = 0; i < layout.palette.size(); ++i) {
    const uint8_t* e = table + i * entrySize;
    layout.palette[i] = Pixel{e[2], e[1], e[0], 255};
  }
  return {};
}

CString CheckPixelData(const InfoFields& f, int64_t fileLength, BmpLayout& layout,
                       uint32_t& storedSize) {
  const uint64_t length = static_cast<uint64_t>(fileLength);
  if (layout.dataOffset > length) return Reason(L"bfOffBits is past the end of the file");
  if (IsRle(f.compression)) {
    layout.dataSize = f.sizeImage ? f.sizeImage : length - layout.dataOffset;
    if (layout.dataSize > UINT32_MAX) return Reason(L"RLE data is larger than 4 GiB");
  } else {
    // Below 2^28 pixels of at most 4 bytes and a side of 65535: under 2^32.
    layout.dataSize = layout.stride * layout.height;
  }
  if (layout.dataOffset + layout.dataSize > length) {
    return Reason(L"pixel data runs past the end of the file");
  }
  storedSize = IsRle(f.compression) || f.sizeImage == 0 ? static_cast<uint32_t>(layout.dataSize)
                                                        : f.sizeImage;
  return {};
}

uint32_t IndexAt(const uint8_t* stored, uint32_t j, uint16_t bits) {
  const uint64_t bit = uint64_t{j} * bits;
  const int shift = 8 - bits - static_cast<int>(bit % 8);
  return (stored[bit / 8] >> shift) & ((1u << bits) - 1);
}

Pixel Masked(uint32_t v, const std::array<ChannelMask, 4>& m) {
  auto channel = [v](const ChannelMask& c) {
    return c.width ? WidenChannel((v & c.mask) >> c.shift, c.width) : uint8_t{0};
  };
  return Pixel{channel(m[0]), channel(m[1]), channel(m[2]),
               m[3].width ? channel(m[3]) : uint8_t{255}};
}

void DecodeRow(const BmpLayout& l, const uint8_t* s, Pixel* row) {
  for (uint32_t j = 0; j < l.width; ++j) {
    switch (l.bits) {
      case 24:
        row[j] = Pixel{s[3 * size_t{j} + 2], s[3 * size_t{j} + 1], s[3 * size_t{j}], 255};
        break;
      case 16:
        row[j] = Masked(U16(s + 2 * size_t{j}), l.masks);
        break;
      case 32:
        row[j] = Masked(U32(s + 4 * size_t{j}), l.masks);
        break;
      default: {
        // Checked in Open; a file changed since then shows black.
        const uint32_t index = IndexAt(s, j, l.bits);
        row[j] = index < l.palette.size() ? l.palette[index] : Pixel{0, 0, 0, 255};
      }
    }
  }
}

bool KnownHeaderSize(uint32_t size) {
  return std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), size) !=
         std::end(kHeaderSizes);
}

}  // namespace

uint8_t WidenChannel(uint32_t value, int width) {
  if (width == 8) return static_cast<uint8_t>(value);
  if (width > 8) {
    const uint64_t max = (uint64_t{1} << width) - 1;
    return static_cast<uint8_t>((uint64_t{value} * 255 + max / 2) / max);
  }
  uint32_t wide = 0;
  int bits = 0;
  for (; bits < 8; bits += width) wide = (wide << width) | value;
  return static_cast<uint8_t>(wide >> (bits - 8));
}

CString ReadBmpLayout(ByteSource& bytes, BmpLayout& layout, uint32_t& storedSize) {
  const int64_t length = bytes.Length();
  uint8_t h[kHeaderBufferSize] = {};
  const size_t got = bytes.ReadAt(0, h, sizeof h);
  if (length < 0 || got < kFileHeaderSize + 4) return Reason(L"file is shorter than its headers");
  if (h[0] != 'B' || h[1] != 'M') return Reason(L"file does not begin with \"BM\"");
  const uint32_t headerSize = U32(h + kFileHeaderSize);
  if (!KnownHeaderSize(headerSize)) {
    return Reason(L"info header of " + Num(headerSize) + L" bytes is not supported");
  }
  if (got < kFileHeaderSize + headerSize) return Reason(L"file is shorter than its headers");
  InfoFields f;
  ParseInfo(h + kFileHeaderSize, headerSize, f);
  if (f.planes != 1) return Reason(L"biPlanes is " + Num(f.planes) + L", not 1");
  if (CString problem = CheckCompression(f); !problem.IsEmpty()) return problem;
  if (CString problem = CheckGeometry(f, layout); !problem.IsEmpty()) return problem;
  uint64_t headersEnd = 0;
  if (CString problem = ReadMasks(h, got, f, layout, headersEnd); !problem.IsEmpty()) {
    return problem;
  }
  layout.dataOffset = U32(h + 10);
  if (layout.dataOffset < headersEnd) {
    return Reason(L"bfOffBits " + Num(layout.dataOffset) + L" points into the headers");
  }
  if (CString problem = ReadPalette(bytes, f, headersEnd, layout); !problem.IsEmpty()) {
    return problem;
  }
  return CheckPixelData(f, length, layout, storedSize);
}

CString AnyBmpSource::Open() {
  CString problem = ReadBmpLayout(bytes_, layout_, header_.storedSize);
  if (!problem.IsEmpty()) return problem;
  header_.width = layout_.width;
  header_.height = layout_.height;
  header_.sourceBits = layout_.bits;
  if (IsRle(layout_.compression)) {
    indices_.resize(layout_.width);
    return CheckRle(bytes_, layout_, rleRows_);
  }
  stored_.resize(static_cast<size_t>(layout_.stride));
  if (layout_.bits <= 8 && layout_.palette.size() < (size_t{1} << layout_.bits)) {
    return CheckIndices();
  }
  return {};
}

CString AnyBmpSource::CheckIndices() {
  const uint32_t entries = static_cast<uint32_t>(layout_.palette.size());
  for (uint32_t y = 0; y < layout_.height; ++y) {
    const size_t got =
        bytes_.ReadAt(layout_.dataOffset + y * layout_.stride, stored_.data(), stored_.size());
    if (got != stored_.size()) return Reason(L"pixel data runs past the end of the file");
    for (uint32_t j = 0; j < layout_.width; ++j) {
      const uint32_t index = IndexAt(stored_.data(), j, layout_.bits);
      if (index >= entries) {
        return Reason(L"pixel index " + Num(index) + L" is past the end of the " + Num(entries) +
                      L"-entry colour table");
      }
    }
  }
  return {};
}

bool AnyBmpSource::ReadRleRow(uint32_t stored, Pixel* row) {
  std::fill(indices_.begin(), indices_.end(), kUnwritten);
  const bool complete = DecodeRleRow(bytes_, layout_, rleRows_[stored], stored, indices_.data());
  for (uint32_t j = 0; j < layout_.width; ++j) {
    const uint16_t index = indices_[j];
    row[j] = index < layout_.palette.size() ? layout_.palette[index] : Pixel{0, 0, 0, 0};
  }
  return complete;
}

bool AnyBmpSource::ReadRow(uint32_t k, Pixel* row) {
  const uint32_t stored = layout_.topDown ? k : layout_.height - 1 - k;
  if (IsRle(layout_.compression)) return ReadRleRow(stored, row);
  const size_t want = stored_.size();
  const size_t got =
      bytes_.ReadAt(layout_.dataOffset + stored * layout_.stride, stored_.data(), want);
  if (got < want) std::memset(stored_.data() + got, 0, want - got);
  DecodeRow(layout_, stored_.data(), row);
  return got == want;
}
