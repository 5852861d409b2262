#include "tests/support/bmp_writer.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testing_support {

void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
  bytes.at(offset) = static_cast<uint8_t>(value);
  bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> EncodeBitmap(const Picture& p) {
  const size_t rowBytes = size_t(p.width) * 3;
  const size_t stride = (rowBytes + 3) / 4 * 4;
  const size_t imageSize = stride * size_t(p.height);
  std::vector<uint8_t> bytes(54 + imageSize, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutU32(bytes, 2, static_cast<uint32_t>(54 + imageSize));
  PutU32(bytes, 10, 54);
  PutU32(bytes, 14, 40);
  PutU32(bytes, 18, static_cast<uint32_t>(p.width));
  PutU32(bytes, 22, static_cast<uint32_t>(p.topDown ? -p.height : p.height));
  PutU16(bytes, 26, 1);
  PutU16(bytes, 28, p.bitCount);
  PutU32(bytes, 34, static_cast<uint32_t>(imageSize));
  for (int y = 0; y < p.height; ++y) {
    size_t storedRow = p.topDown ? size_t(y) : size_t(p.height - 1 - y);
    uint8_t* row = bytes.data() + 54 + storedRow * stride;
    for (int x = 0; x < p.width; ++x) {
      Rgb c = p.pixel(x, y);
      row[3 * x] = c.b;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.r;
    }
  }
  return bytes;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteTinyPicture(const std::filesystem::path& path) {
  Picture p;
  p.width = 1;
  p.height = 1;
  WriteFile(path, EncodeBitmap(p));
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TempDir::TempDir() {
  // create_directory reports whether it made the folder, so a name another
  // process took meanwhile is never shared; this works on every host.
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = base / ("rastrum-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all);
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder in " + base.string());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedCurrentDir::ScopedCurrentDir(const std::filesystem::path& dir)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace testing_support
