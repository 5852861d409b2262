// Any bytes as a BMP file for `--input any`, read from memory.
#include <span>

#include "engine/any_bmp_source.h"
#include "engine/byte_source.h"
#include "fuzz/source_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryByteSource bytes(std::span<const uint8_t>(data, size));
  AnyBmpSource source(bytes);
  CheckSource(source, L" bmp: ");
  return 0;
}
