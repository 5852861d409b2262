// Any bytes as a PNG file, read from memory through libspng.
#include <span>

#include "engine/byte_source.h"
#include "engine/png_source.h"
#include "fuzz/source_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryByteSource bytes(std::span<const uint8_t>(data, size));
  PngSource source(bytes);
  if (CheckSource(source, L" png: ")) {
    Require(source.header().storedSize == size, "the result line's size is the file's");
  }
  return 0;
}
