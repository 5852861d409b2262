// Any bytes as a picture file, read by the strict BMP source from memory:
// the fast way to the intake's corners (a whole run per input is slow).
//
// Beyond what the sanitizers catch: a rejection always says why; an accepted
// file holds both headers, is as long as it declares, has sides the table
// can hold, and yields every row whole, each pixel taken from the bytes its
// row offset and bit count name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

#include "engine/byte_source.h"
#include "engine/strict_bmp_source.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// The pixel a 24- or 32-bit file stores at `at`: blue, green, red.
bool SameColour(const Pixel& px, const uint8_t* at) {
  return px.r == at[2] && px.g == at[1] && px.b == at[0] && px.a == 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryByteSource bytes(std::span<const uint8_t>(data, size));
  StrictBmpSource source(bytes);
  if (!source.Open().IsEmpty()) return 0;

  Require(size >= static_cast<size_t>(kHeadersSize), "an accepted file holds both headers");
  uint8_t headers[kHeadersSize];
  for (int i = 0; i < kHeadersSize; ++i) headers[i] = data[i];
  BitmapFileHeader fh;
  BitmapInfoHeader ih;
  ParseHeaders(headers, fh, ih);
  Require(fh.bfSize <= size, "an accepted file is as long as it declares");
  const PictureHeader& header = source.header();
  Require(header.width <= kMaxDimension && header.height <= kMaxDimension, "sides fit the table");
  Require(header.sourceBits == ih.biBitCount, "the result line shows the stored bit count");

  const int stored = ih.biBitCount / 8;
  const RowGeometry geometry = ComputeRowGeometry(ih.biWidth, stored);
  std::vector<Pixel> row(header.width);
  for (uint32_t k = 0; k < header.height; ++k) {
    Require(source.ReadRow(k, row.data()), "every row of an accepted file is there");
    const uint64_t offset = RowOffset(fh, ih, geometry, k);
    Require(offset >= static_cast<uint64_t>(kHeadersSize) &&
                offset + static_cast<uint64_t>(geometry.rowBytes) <= size,
            "rows lie between the headers and the end of the file");
    if (stored == 2) continue;
    for (uint32_t j = 0; j < header.width; ++j) {
      Require(SameColour(row[j], data + offset + size_t{j} * stored), "pixels are the file's");
    }
  }
  return 0;
}
