// ByteReader: reads a ByteSource front to back through a small buffer, for
// decoders that walk a stream (RLE codes, PNG chunks, JPEG markers) and
// must not hold the whole file in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/byte_source.h"

class ByteReader {
 public:
  // Reads from `offset` up to `end` (exclusive), never past it.
  ByteReader(ByteSource& bytes, uint64_t offset, uint64_t end);

  // False at `end` or when the source holds no more bytes.
  bool Next(uint8_t& byte);
  // Reads `size` bytes into `data`; false when fewer were left.
  bool Read(uint8_t* data, size_t size) { return ReadUpTo(data, size) == size; }
  // Reads up to `size` bytes into `data`; returns how many.
  size_t ReadUpTo(uint8_t* data, size_t size);
  // Skips `size` bytes; false when fewer were left.
  bool Skip(uint64_t size);
  uint64_t position() const { return position_; }

 private:
  bool Refill();

  ByteSource& bytes_;
  uint64_t position_;
  uint64_t end_;
  std::vector<uint8_t> buffer_;
  size_t at_ = 0;
  size_t filled_ = 0;
};
