// PictureSource: the first stage of the picture pipeline. It checks a file's
// header and then yields the picture's rows top row first as pixels.
#pragma once

#include <cstdint>

#include "engine/pixel.h"
#include "platform/cstring.h"

// The table stores width and height in 16 bits: no source accepts more.
inline constexpr int64_t kMaxDimension = 65535;
// Sources that hold a whole picture in memory (interlaced PNG, RLE BMP) need
// 2 to 4 bytes per pixel: 2^28 pixels keeps that at 1 GiB at most, and
// every source refuses larger pictures alike.
inline constexpr int64_t kMaxPixels = int64_t{1} << 28;

// What an accepted picture tells the rest of the pipeline and the report.
struct PictureHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t sourceBits = 0;  // bits per pixel as stored, for the result line
  uint32_t storedSize = 0;  // the stored picture data's size, for the result and enum lines
  const char* sourceFormat = "bmp";  // the file format read, for the manifest
};

class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // Reads and checks the header. Returns empty when the picture is accepted,
  // else the reason, as text that follows the file's path directly.
  virtual CString Open() = 0;
  // Valid after Open accepted the picture.
  virtual const PictureHeader& header() const = 0;
  // Fills `row` with the header().width pixels of row `k` (0 is the top row).
  // Returns false when the file no longer holds the row (it changed while it
  // was read); the pixels it lacked are then black.
  virtual bool ReadRow(uint32_t k, Pixel* row) = 0;
  // Why ReadRow returned false, as text that follows the file's path.
  virtual CString ReadFailure() const { return L"bmp image file changed while it was read"; }
};

// The result line's text after the line prefix and before the path.
CString ResultText(const PictureHeader& header);
