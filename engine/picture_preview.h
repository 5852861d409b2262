// What a picture looks like on the display: its source pixels beside the
// pixels decoded back from its output bytes, and how far they are apart. The
// preview page collects one picture at a time through PreviewCollector; the
// dialog previews a single file through PreviewPicture.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/format_decoder.h"
#include "engine/picture_source.h"
#include "engine/pixel_encoder.h"
#include "platform/cstring.h"

// The colour error of a picture: for every pixel and each of red, green and
// blue, the absolute difference between the source pixel composited over the
// run's background (what an exact display would show; OverBackground) and
// the pixel decoded back from the output bytes. Its mean is over all those
// differences (3 per pixel), its largest the largest of them (0 to 255).
struct ColourError {
  uint64_t sum = 0;
  uint64_t count = 0;
  int largest = 0;
  double Mean() const { return count ? static_cast<double>(sum) / static_cast<double>(count) : 0; }
};

// Collects one picture row by row in memory bounded by what it shows: the
// colour error over every pixel, and the source and decoded-back pixels of
// every step-th row and column, starting with the first (all of them at step
// 1): a nearest-pixel downscale that keeps banding visible.
class PreviewCollector {
 public:
  PreviewCollector(const FormatDecoder& decoder, Background background)
      : decoder_(decoder), background_(background) {}

  void Begin(uint32_t width, uint32_t height, uint32_t step);
  // Row k of the picture, rows top first: its source pixels and the bytes
  // the encoder wrote for them.
  void AddRow(const Pixel* source, const uint8_t* encoded);

  uint32_t step() const { return step_; }
  uint32_t shownWidth() const { return shownWidth_; }
  uint32_t shownHeight() const { return shownHeight_; }
  // shownWidth x shownHeight pixels, top row first.
  const std::vector<Pixel>& source() const { return source_; }
  const std::vector<Pixel>& decoded() const { return decoded_; }
  // True when a shown source pixel is not opaque.
  bool sourceHasAlpha() const { return sourceHasAlpha_; }
  const ColourError& error() const { return error_; }

 private:
  const FormatDecoder& decoder_;
  Background background_;
  uint32_t width_ = 0, step_ = 1, shownWidth_ = 0, shownHeight_ = 0, row_ = 0;
  std::vector<Pixel> source_, decoded_, decodedRow_;
  bool sourceHasAlpha_ = false;
  ColourError error_;
};

// The step that brings a picture's longer side down to at most `maxSide`
// shown pixels; 1 when it fits or `maxSide` is 0.
uint32_t PreviewStep(uint32_t width, uint32_t height, uint32_t maxSide);

// One picture file previewed on its own, as a run at `depth` over
// `background` would convert it.
struct PicturePreview {
  // Empty when the picture was accepted; else why not, as the text that
  // follows the path in its message line.
  CString rejection;
  PictureHeader header;
  // False when the file changed while it was read.
  bool complete = false;
  uint32_t step = 1, shownWidth = 0, shownHeight = 0;
  std::vector<Pixel> source, decoded;
  ColourError error;
};

// Reads `path` (as a run opens it) and previews it; pictures larger than
// `maxSide` on a side are shown downscaled (0: never, for a caller that
// knows the picture is small: a 65535 x 65535 one would take 32 GiB).
PicturePreview PreviewPicture(const CString& path, int depth, Background background,
                              uint32_t maxSide = 1024);
