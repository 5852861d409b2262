// The PNG source of `--input any`, over libspng: every colour type and bit
// depth, tRNS, 16 bits rounded to 8, Adam7 interlacing. Gamma and colour
// profile chunks are ignored: pixels are taken as stored. A non-interlaced
// picture is decoded row by row as the run asks; an interlaced one needs the
// whole picture, decoded in Open.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/byte_reader.h"
#include "engine/byte_source.h"
#include "engine/picture_source.h"
#include "platform/cstring.h"

struct spng_ctx;

class PngSource : public PictureSource {
 public:
  explicit PngSource(ByteSource& bytes);
  ~PngSource() override;
  CString Open() override;
  const PictureHeader& header() const override { return header_; }
  bool ReadRow(uint32_t k, Pixel* row) override;
  CString ReadFailure() const override { return failure_; }

 private:
  static int Read(spng_ctx* ctx, void* user, void* dest, size_t length);
  CString StartDecoding(uint64_t idatBytes);
  CString DecodeInterlaced();
  void ToPixels(const uint8_t* decoded, Pixel* row, uint32_t first, uint32_t step) const;

  ByteSource& bytes_;
  std::unique_ptr<ByteReader> reader_;
  spng_ctx* ctx_ = nullptr;
  PictureHeader header_;
  bool sixteen_ = false;      // decoded as RGBA16, rounded to 8 bits here
  std::vector<uint8_t> row_;  // one decoded row
  std::vector<Pixel> whole_;  // an interlaced picture, top row first
  uint32_t nextRow_ = 0;
  CString failure_;
};
