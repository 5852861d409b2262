// The JPEG source of `--input any`, over libjpeg-turbo's libjpeg API:
// baseline and progressive, greyscale, YCbCr and RGB, decoded with the
// library's defaults (accurate integer IDCT, fancy upsampling), so the
// pixels are those other libjpeg-turbo users see. CMYK and YCCK are refused.
//
// Open decodes the whole file once, keeping no pixels, so that damaged data
// (which libjpeg reports as warnings, taken here as errors) is a rejection
// before any row reaches the outputs; the rows are then decoded again one
// by one as the run asks for them.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/byte_source.h"
#include "engine/picture_source.h"
#include "platform/cstring.h"

class JpegDecoder;

class JpegSource : public PictureSource {
 public:
  explicit JpegSource(ByteSource& bytes);
  ~JpegSource() override;
  CString Open() override;
  const PictureHeader& header() const override { return header_; }
  bool ReadRow(uint32_t k, Pixel* row) override;
  CString ReadFailure() const override { return failure_; }

 private:
  ByteSource& bytes_;
  std::unique_ptr<JpegDecoder> decoder_;
  PictureHeader header_;
  CString failure_;
};
