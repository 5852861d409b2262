// ByteSource: where a picture source reads its bytes. A file in a run, a
// buffer in a test or a fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The length in bytes, or -1 when the host cannot tell.
  virtual int64_t Length() const = 0;
  // Reads up to `size` bytes at `offset`; returns how many were read, fewer
  // at the end or on a failure.
  virtual size_t ReadAt(uint64_t offset, uint8_t* data, size_t size) = 0;
};

// Bytes held in memory; the span must outlive the source.
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  int64_t Length() const override { return static_cast<int64_t>(bytes_.size()); }
  size_t ReadAt(uint64_t offset, uint8_t* data, size_t size) override;

 private:
  std::span<const uint8_t> bytes_;
};

// An open file, read by absolute positions; the caller keeps and closes it.
class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(FILE* file) : file_(file) {}
  int64_t Length() const override;
  size_t ReadAt(uint64_t offset, uint8_t* data, size_t size) override;

 private:
  FILE* file_;
};
