#include "engine/pixel_encoders.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kPixelsPerLine = 32;

// "0x" and two lower-case digits for every byte value: the array text is most
// of a run's output, and a table lookup is far cheaper than a printf per value.
constexpr std::array<std::array<char, 4>, 256> MakeHexTable() {
  std::array<std::array<char, 4>, 256> table{};
  const char* digits = "0123456789abcdef";
  for (int v = 0; v < 256; ++v) table[v] = {'0', 'x', digits[v >> 4], digits[v & 15]};
  return table;
}
constexpr auto kHex = MakeHexTable();

char* PutHex(char* p, uint8_t value) {
  std::memcpy(p, kHex[value].data(), 4);
  return p + 4;
}

// Writes one pixel's value text; returns the end.
char* PutPixel(char* p, const uint8_t* px, int bpp) {
  if (bpp == 1) {
    p = PutHex(p, px[0]);
    *p++ = ',';
    return p;
  }
  for (int i = 0; i < bpp; ++i) {
    if (i > 0) *p++ = ',';
    p = PutHex(p, px[i]);
  }
  *p++ = ',';
  *p++ = ' ';
  return p;
}

}  // namespace

int BytesPerPixel(int depth) {
  switch (depth) {
    case 24:
      return 3;
    case 8:
      return 1;
    default:
      return 2;
  }
}

void EncodeRow(uint8_t* row, uint32_t width, int depth) {
  const int bpp = BytesPerPixel(depth);
  // Left to right: pixel j's output (j * bpp onwards) never reaches the
  // source bytes of a pixel not yet read (j * 3 onwards).
  for (uint32_t j = 0; j < width; ++j) {
    const uint8_t* src = row + 3 * size_t{j};
    uint8_t b = src[0], g = src[1], r = src[2];
    uint8_t* dst = row + size_t{j} * bpp;
    if (bpp == 3) {
      dst[0] = r;
      dst[1] = g;
      dst[2] = b;
    } else if (bpp == 1) {
      dst[0] = EncodeR3G2B3(r, g, b);
    } else {
      uint16_t v = EncodeRgb565(r, g, b);
      dst[0] = static_cast<uint8_t>(v >> 8);
      dst[1] = static_cast<uint8_t>(v & 0xFF);
    }
  }
}

std::string_view ArrayText::Begin(int32_t width) {
  wrap_ = width > static_cast<int32_t>(kPixelsPerLine);
  counter_ = 0;
  return wrap_ ? "\n\t" : "";
}

void ArrayText::AppendRow(const uint8_t* encoded, uint32_t width, int depth, bool withValues,
                          std::string& out) {
  const int bpp = BytesPerPixel(depth);
  // Longest pixel text ("0x..,0x..,0x.., ") plus a line break per pixel.
  const size_t worst = 2 + (withValues ? size_t{width} * (20 + 2) : 0);
  size_t start = out.size();
  out.resize(start + worst);
  char* p = out.data() + start;
  if (!wrap_) {
    *p++ = '\n';
    *p++ = '\t';
  }
  if (withValues) {
    for (uint32_t j = 0; j < width; ++j) {
      p = PutPixel(p, encoded + size_t{j} * bpp, bpp);
      if (wrap_ && ++counter_ == static_cast<int>(kPixelsPerLine)) {
        *p++ = '\n';
        *p++ = '\t';
        counter_ = 0;
      }
    }
  }
  out.resize(static_cast<size_t>(p - out.data()));
}
