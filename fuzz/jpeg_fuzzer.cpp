// Any bytes as a JPEG file, read from memory through libjpeg-turbo.
#include <span>

#include "engine/byte_source.h"
#include "engine/jpeg_source.h"
#include "fuzz/source_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryByteSource bytes(std::span<const uint8_t>(data, size));
  JpegSource source(bytes);
  if (CheckSource(source, L" jpeg: ")) {
    Require(source.header().storedSize == size, "the result line's size is the file's");
  }
  return 0;
}
