// CRC-32 as zlib's crc32() and IEEE 802.3 compute it: polynomial 0x04C11DB7
// reflected, initial value and final XOR 0xFFFFFFFF.
#pragma once

#include <cstddef>
#include <cstdint>

class Crc32 {
 public:
  void Update(const uint8_t* data, size_t size);
  // Counts `size` zero bytes in.
  void UpdateZeros(uint64_t size);
  uint32_t value() const { return ~state_; }

 private:
  uint32_t state_ = 0xFFFFFFFFu;
};
