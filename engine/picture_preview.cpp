#include "engine/picture_preview.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/byte_source.h"
#include "engine/strict_bmp_source.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"

void PreviewCollector::Begin(uint32_t width, uint32_t height, uint32_t step) {
  width_ = width;
  step_ = std::max<uint32_t>(step, 1);
  shownWidth_ = (width + step_ - 1) / step_;
  shownHeight_ = (height + step_ - 1) / step_;
  row_ = 0;
  source_.clear();
  decoded_.clear();
  source_.reserve(size_t{shownWidth_} * shownHeight_);
  decoded_.reserve(size_t{shownWidth_} * shownHeight_);
  decodedRow_.resize(width);
  sourceHasAlpha_ = false;
  error_ = ColourError{};
}

void PreviewCollector::AddRow(const Pixel* source, const uint8_t* encoded) {
  decoder_.DecodeRow(encoded, width_, decodedRow_.data());
  for (uint32_t j = 0; j < width_; ++j) {
    Pixel shown = OverBackground(source[j], background_);
    const Pixel& got = decodedRow_[j];
    for (int d : {shown.r - got.r, shown.g - got.g, shown.b - got.b}) {
      error_.sum += static_cast<uint64_t>(std::abs(d));
      error_.largest = std::max(error_.largest, std::abs(d));
    }
  }
  error_.count += uint64_t{width_} * 3;
  if (row_++ % step_ != 0) return;
  for (uint32_t j = 0; j < width_; j += step_) {
    source_.push_back(source[j]);
    decoded_.push_back(decodedRow_[j]);
    sourceHasAlpha_ |= source[j].a != 255;
  }
}

uint32_t PreviewStep(uint32_t width, uint32_t height, uint32_t maxSide) {
  uint32_t longer = std::max(width, height);
  if (maxSide == 0 || longer <= maxSide) return 1;
  return (longer + maxSide - 1) / maxSide;
}

PicturePreview PreviewPicture(const CString& path, int depth, Background background,
                              uint32_t maxSide) {
  PicturePreview preview;
  FILE* file = platform::OpenPictureFile(platform::WideToAnsi(path));
  if (!file) {
    preview.rejection = L" bmp Image opening failed";
    return preview;
  }
  FileByteSource bytes(file);
  StrictBmpSource source(bytes);
  preview.rejection = source.Open();
  if (preview.rejection.IsEmpty()) {
    preview.header = source.header();
    const uint32_t width = preview.header.width;
    const PixelFormat format = FormatOfDepth(depth);
    std::unique_ptr<PixelEncoder> encoder = EncoderFor(format, Dither::kNone, background);
    std::unique_ptr<FormatDecoder> decoder = DecoderFor(format, background);
    PreviewCollector collector(*decoder, background);
    collector.Begin(width, preview.header.height,
                    PreviewStep(width, preview.header.height, maxSide));
    std::vector<Pixel> row(width);
    std::vector<uint8_t> encoded(size_t{width} * static_cast<size_t>(encoder->BytesPerPixel()));
    preview.complete = true;
    encoder->BeginPicture(width);
    for (uint32_t k = 0; k < preview.header.height; ++k) {
      preview.complete &= source.ReadRow(k, row.data());
      encoder->EncodeRow(row.data(), width, encoded.data());
      collector.AddRow(row.data(), encoded.data());
    }
    preview.step = collector.step();
    preview.shownWidth = collector.shownWidth();
    preview.shownHeight = collector.shownHeight();
    preview.source = collector.source();
    preview.decoded = collector.decoded();
    preview.error = collector.error();
  }
  std::fclose(file);
  return preview;
}
