// Test support: writing bitmap files and folder trees to disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// A picture as a test describes it: pixel (x, y), y = 0 the top row.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;  // rows shown; stored bottom row first unless topDown
  bool topDown = false;
  uint16_t bitCount = 24;
  std::function<Rgb(int x, int y)> pixel = [](int, int) { return Rgb{}; };
};

// The bytes of a well-formed 24-bit bitmap file: 54 header bytes, rows
// padded to 4 bytes, bfSize == biSizeImage + 54.
std::vector<uint8_t> EncodeBitmap(const Picture& picture);

// Overwrites header fields of an encoded file (little-endian).
void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value);
void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// A 1 x 1 black 24-bit bitmap at `path`, its folders made as needed.
void WriteTinyPicture(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);
std::string ReadFile(const std::filesystem::path& path);

// A fresh directory under the system's temporary folder, removed (with all
// it holds) when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Makes `dir` the current directory for its lifetime: runs write their
// outputs into the current directory, and picture paths are relative to it.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& dir);
  ~ScopedCurrentDir();

 private:
  std::filesystem::path previous_;
};

// The text with every "\n" written as "\r\n", as the text output files store it.
std::string Crlf(const std::string& text);

}  // namespace testing_support
