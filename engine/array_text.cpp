#include "engine/array_text.h"

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

// Writes one pixel's value text; returns the end. One-byte pixels end with a
// comma, wider ones with a comma and a blank.
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

std::string_view ArrayText::Begin(uint32_t width) {
  wrap_ = width > kPixelsPerLine;
  counter_ = 0;
  return wrap_ ? "\n\t" : "";
}

// The row loop compiled for each common pixel size: the value text is most
// of a run's work, and a known size lets the compiler unroll each pixel.
template <int kBpp>
char* ArrayText::PutRow(char* p, const uint8_t* encoded, uint32_t width, int bpp) {
  const int size = kBpp > 0 ? kBpp : bpp;
  for (uint32_t j = 0; j < width; ++j) {
    p = PutPixel(p, encoded + size_t{j} * size, size);
    if (wrap_ && ++counter_ == static_cast<int>(kPixelsPerLine)) {
      *p++ = '\n';
      *p++ = '\t';
      counter_ = 0;
    }
  }
  return p;
}

void ArrayText::AppendRow(const uint8_t* encoded, uint32_t width, int bpp, std::string& out) {
  // Each pixel's text ("0x..," per byte and a blank) plus a line break per pixel.
  const size_t worst = 2 + size_t{width} * (size_t(5) * bpp + 1 + 2);
  size_t start = out.size();
  out.resize(start + worst);
  char* p = out.data() + start;
  if (!wrap_) {
    *p++ = '\n';
    *p++ = '\t';
  }
  switch (bpp) {
    case 1:
      p = PutRow<1>(p, encoded, width, bpp);
      break;
    case 2:
      p = PutRow<2>(p, encoded, width, bpp);
      break;
    case 3:
      p = PutRow<3>(p, encoded, width, bpp);
      break;
    default:
      p = PutRow<0>(p, encoded, width, bpp);
  }
  out.resize(static_cast<size_t>(p - out.data()));
}
