// What every picture source must hold for any input, checked by the
// per-source fuzz targets: a rejection names its format; an accepted picture
// fits the table and the pixel limit, and yields every row, or says why not.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/picture_source.h"

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Returns whether the source accepted the picture.
inline bool CheckSource(PictureSource& source, const std::wstring& prefix) {
  const std::wstring reason = source.Open().str();
  if (!reason.empty()) {
    Require(reason.compare(0, prefix.size(), prefix) == 0, "a rejection names its format");
    Require(reason.size() > prefix.size(), "a rejection says why");
    return false;
  }
  const PictureHeader& header = source.header();
  Require(header.width <= kMaxDimension && header.height <= kMaxDimension, "sides fit the table");
  Require(int64_t{header.width} * header.height <= kMaxPixels, "pixels within the limit");
  std::vector<Pixel> row(header.width);
  for (uint32_t k = 0; k < header.height; ++k) {
    if (!source.ReadRow(k, row.data())) {
      const std::wstring failure = source.ReadFailure().str();
      Require(failure.compare(0, prefix.size(), prefix) == 0, "a failed row names its format");
    }
  }
  return true;
}
