#include "engine/byte_reader.h"

#include <algorithm>
#include <cstring>

namespace {

// Large enough that a file is read in few calls, small against the memory a
// run may use.
constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

ByteReader::ByteReader(ByteSource& bytes, uint64_t offset, uint64_t end)
    : bytes_(bytes), position_(offset), end_(end), buffer_(kBufferSize) {}

bool ByteReader::Refill() {
  if (position_ >= end_) return false;
  const size_t want = static_cast<size_t>(std::min<uint64_t>(kBufferSize, end_ - position_));
  filled_ = bytes_.ReadAt(position_, buffer_.data(), want);
  at_ = 0;
  return filled_ > 0;
}

bool ByteReader::Next(uint8_t& byte) {
  if (at_ == filled_ && !Refill()) return false;
  byte = buffer_[at_++];
  ++position_;
  return true;
}

size_t ByteReader::ReadUpTo(uint8_t* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    if (at_ == filled_ && !Refill()) break;
    const size_t count = std::min(size - done, filled_ - at_);
    std::memcpy(data + done, buffer_.data() + at_, count);
    at_ += count;
    position_ += count;
    done += count;
  }
  return done;
}

bool ByteReader::Skip(uint64_t size) {
  const uint64_t buffered = filled_ - at_;
  if (size <= buffered) {
    at_ += static_cast<size_t>(size);
    position_ += size;
    return true;
  }
  const uint64_t target = position_ + size;
  if (target > end_) return false;
  position_ = target;
  at_ = filled_ = 0;
  return true;
}
