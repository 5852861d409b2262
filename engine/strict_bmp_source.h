// The strict BMP source: a 14-byte file header and a 40-byte info header,
// accepted only when the declared file size is the declared pixel data size
// plus 54 and the file really is that long; 16, 24 and 32 bits per pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/byte_source.h"
#include "engine/picture_source.h"
#include "platform/cstring.h"

// The 14-byte file header, fields as stored (little-endian).
struct BitmapFileHeader {
  uint16_t bfType = 0;
  uint32_t bfSize = 0;
  uint16_t bfReserved1 = 0;
  uint16_t bfReserved2 = 0;
  uint32_t bfOffBits = 0;
};

// The 40-byte info header that follows it.
struct BitmapInfoHeader {
  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

inline constexpr int kHeadersSize = 54;

void ParseHeaders(const uint8_t (&bytes)[kHeadersSize], BitmapFileHeader& fileHeader,
                  BitmapInfoHeader& infoHeader);

// Row geometry from the width and the stored bytes per pixel (2, 3 or 4):
// rows padded to 4 bytes.
struct RowGeometry {
  int64_t rowBytes = 0;
  int64_t rowPadding = 0;
  int64_t rowStride = 0;
};
RowGeometry ComputeRowGeometry(int32_t width, int bytesPerPixel = 3);

enum class Verdict {
  kAccepted,
  kHeaderNot54,          // too short for the headers, or bfSize != biSizeImage + 54
  kShorterThanDeclared,  // bfSize beyond the file's real length
  kUnsupportedBits,      // biBitCount other than 16, 24 or 32
  kSizeMismatch,         // negative width, or the rows would reach into the headers
  kTooLarge,             // a side the table's 16-bit fields cannot hold
};

// Checks in this order, in 64-bit arithmetic; `fileLength` is the file's real
// length (-1 when unknown, which fails the length check).
Verdict CheckPicture(const BitmapFileHeader& fileHeader, const BitmapInfoHeader& infoHeader,
                     int64_t fileLength);

// The message text of a rejection, to follow the file's path directly.
const wchar_t* RejectionText(Verdict verdict);

// Rows stored top row first have a negative biHeight; the height is its size.
inline uint32_t PictureHeight(const BitmapInfoHeader& infoHeader) {
  int64_t h = infoHeader.biHeight;
  return static_cast<uint32_t>(h < 0 ? -h : h);
}

// File offset of the row shown as row k (k = 0 is the top row), counted back
// from the declared end of the file. Only meaningful for accepted pictures.
uint64_t RowOffset(const BitmapFileHeader& fileHeader, const BitmapInfoHeader& infoHeader,
                   const RowGeometry& geometry, uint32_t k);

class StrictBmpSource : public PictureSource {
 public:
  explicit StrictBmpSource(ByteSource& bytes) : bytes_(bytes) {}
  CString Open() override;
  const PictureHeader& header() const override { return header_; }
  bool ReadRow(uint32_t k, Pixel* row) override;

 private:
  ByteSource& bytes_;
  BitmapFileHeader fileHeader_;
  BitmapInfoHeader infoHeader_;
  RowGeometry geometry_;
  PictureHeader header_;
  std::vector<uint8_t> stored_;  // one row as stored
};
