#include "engine/byte_source.h"

#include <algorithm>
#include <cstring>

#include "platform/file_access.h"

size_t MemoryByteSource::ReadAt(uint64_t offset, uint8_t* data, size_t size) {
  if (offset >= bytes_.size() || size == 0) return 0;
  size_t count = static_cast<size_t>(std::min<uint64_t>(size, bytes_.size() - offset));
  std::memcpy(data, bytes_.data() + offset, count);
  return count;
}

int64_t FileByteSource::Length() const {
  return platform::FileLength(file_);
}

size_t FileByteSource::ReadAt(uint64_t offset, uint8_t* data, size_t size) {
  if (!platform::SeekTo(file_, offset)) return 0;
  return std::fread(data, 1, size, file_);
}
