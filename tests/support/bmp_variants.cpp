#include "tests/support/bmp_variants.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace testing_support {

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

uint32_t IndexOf(const std::vector<Pixel>& palette, const Pixel& px) {
  for (size_t i = 0; i < palette.size(); ++i) {
    if (palette[i].r == px.r && palette[i].g == px.g && palette[i].b == px.b) return uint32_t(i);
  }
  throw std::invalid_argument("a colour of the picture is not in the palette");
}

uint32_t Field(uint8_t value, uint32_t mask) {
  if (mask == 0) return 0;
  const uint64_t max = mask >> std::countr_zero(mask);
  return uint32_t((value * max + 127) / 255) << std::countr_zero(mask);
}

std::array<uint32_t, 4> MasksOf(const BmpVariant& v) {
  if (v.compression == kBiBitfields || v.compression == kBiAlphaBitfields) return v.masks;
  if (v.bits == 16) return {0x7C00, 0x03E0, 0x001F, 0};
  return {0xFF0000, 0xFF00, 0xFF, 0};
}

std::vector<uint8_t> EncodeRows(const BmpVariant& v, const RgbaPicture& p) {
  const size_t stride = (size_t(p.width) * v.bits + 31) / 32 * 4;
  std::vector<uint8_t> data(stride * p.height, 0);
  const std::array<uint32_t, 4> masks = MasksOf(v);
  for (int y = 0; y < p.height; ++y) {
    uint8_t* row = data.data() + stride * (v.topDown ? y : p.height - 1 - y);
    for (int x = 0; x < p.width; ++x) {
      const Pixel& px = p.at(x, y);
      if (v.bits <= 8) {
        const size_t bit = size_t(x) * v.bits;
        row[bit / 8] |= uint8_t(IndexOf(v.palette, px) << (8 - v.bits - bit % 8));
      } else if (v.bits == 24) {
        row[3 * x] = px.b;
        row[3 * x + 1] = px.g;
        row[3 * x + 2] = px.r;
      } else {
        uint32_t value = Field(px.r, masks[0]) | Field(px.g, masks[1]) | Field(px.b, masks[2]) |
                         Field(px.a, masks[3]);
        // BI_RGB's fourth byte at 32 bits is unused: fill it to prove it.
        if (v.bits == 32 && v.compression == kBiRgb) value |= uint32_t(px.a) << 24;
        for (int i = 0; i < v.bits / 8; ++i) row[v.bits / 8 * x + i] = uint8_t(value >> (8 * i));
      }
    }
  }
  return data;
}

class RleWriter {
 public:
  RleWriter(const BmpVariant& v, const RgbaPicture& p) : v_(v), p_(p), four_(v.bits == 4) {}

  std::vector<uint8_t> Encode() {
    for (int stored = 0; stored < p_.height; ++stored) {
      const int y = v_.topDown ? stored : p_.height - 1 - stored;
      Row(y);
      const bool last = stored == p_.height - 1;
      out_.insert(out_.end(), {0, uint8_t(last ? 1 : 0)});
    }
    return out_;
  }

 private:
  bool Clear(int x, int y) const { return p_.at(x, y).a == 0; }
  uint32_t Index(int x, int y) const { return IndexOf(v_.palette, p_.at(x, y)); }

  void Row(int y) {
    int x = 0;
    while (x < p_.width) {
      int n = 1;
      if (Clear(x, y)) {
        while (x + n < p_.width && n < 255 && Clear(x + n, y)) ++n;
        if (x + n == p_.width) return;  // the end-of-line code skips the rest
        out_.insert(out_.end(), {0, 2, uint8_t(n), 0});
      } else {
        const uint32_t index = Index(x, y);
        while (x + n < p_.width && n < 255 && !Clear(x + n, y) && Index(x + n, y) == index) ++n;
        const int literal = n == 1 ? LiteralLength(x, y) : 0;
        if (literal >= 3) {
          n = literal;
          Literal(x, y, n);
        } else {
          out_.insert(out_.end(), {uint8_t(n), uint8_t(four_ ? (index << 4 | index) : index)});
        }
      }
      x += n;
    }
  }

  // Opaque pixels from x on in which no two neighbours repeat, at most 255.
  int LiteralLength(int x, int y) const {
    int n = 1;
    while (x + n < p_.width && n < 255 && !Clear(x + n, y) &&
           Index(x + n, y) != Index(x + n - 1, y)) {
      ++n;
    }
    return n;
  }

  // Absolute mode: 3 to 255 pixels, padded to 16 bits.
  void Literal(int x, int y, int n) {
    out_.insert(out_.end(), {0, uint8_t(n)});
    std::vector<uint8_t> bytes(four_ ? (n + 1) / 2 : n, 0);
    for (int i = 0; i < n; ++i) {
      const uint32_t index = Index(x + i, y);
      if (four_) {
        bytes[i / 2] |= uint8_t(i % 2 == 0 ? index << 4 : index);
      } else {
        bytes[i] = uint8_t(index);
      }
    }
    if (bytes.size() % 2) bytes.push_back(0);
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }

  const BmpVariant& v_;
  const RgbaPicture& p_;
  bool four_;
  std::vector<uint8_t> out_;
};

}  // namespace

RgbaPicture PatternPicture(int width, int height, const std::vector<Pixel>& colours) {
  RgbaPicture p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // Runs of four equal pixels on even rows, changing pixels on odd rows.
      const size_t pick = y % 2 == 0 ? size_t(x / 4 + y) : size_t(x * 7 + y * 3);
      p.pixels.push_back(colours[pick % colours.size()]);
    }
  }
  return p;
}

std::vector<uint8_t> EncodeBmpVariant(const BmpVariant& v, const RgbaPicture& p) {
  const bool core = v.headerSize == 12;
  const bool rle = v.compression == kBiRle8 || v.compression == kBiRle4;
  const bool bitfields = v.compression == kBiBitfields || v.compression == kBiAlphaBitfields;
  const size_t maskCount = v.compression == kBiAlphaBitfields || v.headerSize >= 56 ? 4 : 3;
  const size_t headersEnd =
      bitfields ? std::max<size_t>(14 + v.headerSize, 54 + 4 * maskCount) : 14 + v.headerSize;
  const size_t dataOffset = headersEnd + v.palette.size() * (core ? 3 : 4) + v.gap;
  const std::vector<uint8_t> data = rle ? RleWriter(v, p).Encode() : EncodeRows(v, p);

  std::vector<uint8_t> b(dataOffset + data.size(), 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, uint32_t(b.size()));
  Put32(b, 10, uint32_t(dataOffset));
  Put32(b, 14, v.headerSize);
  if (core) {
    Put16(b, 18, uint32_t(p.width));
    Put16(b, 20, uint32_t(p.height));
    Put16(b, 22, 1);
    Put16(b, 24, v.bits);
  } else {
    Put32(b, 18, uint32_t(p.width));
    Put32(b, 22, uint32_t(v.topDown ? -p.height : p.height));
    Put16(b, 26, 1);
    Put16(b, 28, v.bits);
    Put32(b, 30, v.compression);
    Put32(b, 34, v.zeroSizeImage ? 0 : uint32_t(data.size()));
    Put32(b, 46, v.writeColorsUsed ? uint32_t(v.palette.size()) : 0);
  }
  if (bitfields) {
    for (size_t i = 0; i < maskCount; ++i) Put32(b, 54 + 4 * i, v.masks[i]);
  }
  for (size_t i = 0; i < v.palette.size(); ++i) {
    uint8_t* e = b.data() + headersEnd + i * (core ? 3 : 4);
    e[0] = v.palette[i].b;
    e[1] = v.palette[i].g;
    e[2] = v.palette[i].r;
  }
  std::copy(data.begin(), data.end(), b.begin() + dataOffset);
  return b;
}

}  // namespace testing_support
