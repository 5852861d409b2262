#include "ui/tools/image_files.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void Put32Be(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return b << 16 | a;
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
  Put32Be(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  Put32Be(out, Crc32(out.data() + start, out.size() - start));
}

uint32_t IcoMaskStride(int size) {
  return static_cast<uint32_t>((size + 31) / 32 * 4);
}

uint32_t IcoImageBytes(int size) {
  auto rows = static_cast<uint32_t>(size);
  return 40 + rows * rows * 4 + IcoMaskStride(size) * rows;
}

void PutIcoImage(std::vector<uint8_t>& out, const SquareImage& image) {
  const int size = image.size;
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(size));
  Put32(out, static_cast<uint32_t>(size * 2));  // colour rows and mask rows
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, i == 1 ? static_cast<uint32_t>(size * size * 4) : 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) Put32(out, image.pixels[y * size + x]);
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(IcoMaskStride(size), 0);
    for (int x = 0; x < size; ++x) {
      if ((image.pixels[y * size + x] >> 24) == 0)
        row[static_cast<size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<SquareImage>& images) {
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const SquareImage& image : images) {
    out.push_back(static_cast<uint8_t>(image.size));  // 256 is written 0
    out.push_back(static_cast<uint8_t>(image.size));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, IcoImageBytes(image.size));
    Put32(out, offset);
    offset += IcoImageBytes(image.size);
  }
  for (const SquareImage& image : images) PutIcoImage(out, image);
  return out;
}

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int width, int height) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      uint32_t argb = pixels[y * width + x];
      for (int shift : {16, 8, 0, 24}) raw.push_back(static_cast<uint8_t>(argb >> shift));
    }
  }
  std::vector<uint8_t> zlib = {0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    size_t length = std::min<size_t>(65535, raw.size() - at);
    zlib.push_back(at + length == raw.size() ? 1 : 0);
    Put16(zlib, static_cast<uint32_t>(length));
    Put16(zlib, static_cast<uint32_t>(~length & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + static_cast<long>(at),
                raw.begin() + static_cast<long>(at + length));
    if (raw.empty()) break;
  }
  Put32Be(zlib, Adler32(raw));

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32Be(header, static_cast<uint32_t>(width));
  Put32Be(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}
