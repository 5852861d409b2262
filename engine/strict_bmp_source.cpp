#include "engine/strict_bmp_source.h"

#include <cstring>

namespace {

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t I32(const uint8_t* p) {
  return static_cast<int32_t>(U32(p));
}

bool IsSupportedBitCount(uint16_t bits) {
  return bits == 16 || bits == 24 || bits == 32;
}

// A 5-bit channel widened so that 0 stays 0 and 31 becomes 255.
uint8_t Widen5(uint32_t v) {
  return static_cast<uint8_t>((v << 3) | (v >> 2));
}

void DecodeRow(const uint8_t* stored, uint32_t width, uint16_t bits, Pixel* row) {
  for (uint32_t j = 0; j < width; ++j) {
    Pixel& px = row[j];
    if (bits == 16) {
      // X1R5G5B5, little-endian: the default of 16-bit files without masks.
      uint32_t v = U16(stored + 2 * size_t{j});
      px = Pixel{Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31), 255};
    } else {
      // Blue, green, red, and in 32-bit files a fourth byte that is ignored.
      const uint8_t* p = stored + size_t{j} * (bits / 8);
      px = Pixel{p[2], p[1], p[0], 255};
    }
  }
}

}  // namespace

void ParseHeaders(const uint8_t (&b)[kHeadersSize], BitmapFileHeader& fh, BitmapInfoHeader& ih) {
  fh.bfType = U16(b + 0);
  fh.bfSize = U32(b + 2);
  fh.bfReserved1 = U16(b + 6);
  fh.bfReserved2 = U16(b + 8);
  fh.bfOffBits = U32(b + 10);
  ih.biSize = U32(b + 14);
  ih.biWidth = I32(b + 18);
  ih.biHeight = I32(b + 22);
  ih.biPlanes = U16(b + 26);
  ih.biBitCount = U16(b + 28);
  ih.biCompression = U32(b + 30);
  ih.biSizeImage = U32(b + 34);
  ih.biXPelsPerMeter = I32(b + 38);
  ih.biYPelsPerMeter = I32(b + 42);
  ih.biClrUsed = U32(b + 46);
  ih.biClrImportant = U32(b + 50);
}

RowGeometry ComputeRowGeometry(int32_t width, int bytesPerPixel) {
  RowGeometry g;
  g.rowBytes = int64_t{width} * bytesPerPixel;
  int64_t rest = g.rowBytes % 4;
  g.rowPadding = rest == 0 ? 0 : 4 - (rest < 0 ? rest + 4 : rest);
  g.rowStride = g.rowBytes + g.rowPadding;
  return g;
}

Verdict CheckPicture(const BitmapFileHeader& fh, const BitmapInfoHeader& ih, int64_t fileLength) {
  if (fileLength >= 0 && fileLength < kHeadersSize) return Verdict::kHeaderNot54;
  if (int64_t{fh.bfSize} != int64_t{ih.biSizeImage} + kHeadersSize) return Verdict::kHeaderNot54;
  if (fileLength < 0 || int64_t{fh.bfSize} > fileLength) return Verdict::kShorterThanDeclared;
  if (!IsSupportedBitCount(ih.biBitCount)) return Verdict::kUnsupportedBits;
  if (ih.biWidth < 0) return Verdict::kSizeMismatch;
  // The height is at most 2^31 and the stride at most 4 * 2^31, so the
  // product stays below 2^64: it fits unsigned 64 bits, not signed ones.
  const RowGeometry geometry = ComputeRowGeometry(ih.biWidth, ih.biBitCount / 8);
  if (uint64_t{PictureHeight(ih)} * static_cast<uint64_t>(geometry.rowStride) >
      uint64_t{ih.biSizeImage}) {
    return Verdict::kSizeMismatch;
  }
  if (ih.biWidth > kMaxDimension || PictureHeight(ih) > kMaxDimension) return Verdict::kTooLarge;
  return Verdict::kAccepted;
}

const wchar_t* RejectionText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kHeaderNot54:
      return L"bmp image file header is not 54 bytes";
    case Verdict::kShorterThanDeclared:
      return L"bmp image file is shorter than its declared size";
    case Verdict::kUnsupportedBits:
      return L"bmp image is not 16, 24 or 32 bits per pixel";
    case Verdict::kSizeMismatch:
      return L"bmp image size does not match its width and height";
    case Verdict::kTooLarge:
      return L"bmp image is wider or higher than 65535 pixels";
    case Verdict::kAccepted:
      break;
  }
  return L"";
}

uint64_t RowOffset(const BitmapFileHeader& fh, const BitmapInfoHeader& ih, const RowGeometry& g,
                   uint32_t k) {
  uint64_t stride = static_cast<uint64_t>(g.rowStride);
  // Bottom-up files store the top row last; top-down files store it first.
  uint64_t rowsFromEnd = ih.biHeight < 0 ? uint64_t{PictureHeight(ih)} - k : uint64_t{k} + 1;
  return uint64_t{fh.bfSize} - rowsFromEnd * stride;
}

CString StrictBmpSource::Open() {
  uint8_t headers[kHeadersSize];
  Verdict verdict = Verdict::kHeaderNot54;
  if (bytes_.ReadAt(0, headers, sizeof headers) == sizeof headers) {
    ParseHeaders(headers, fileHeader_, infoHeader_);
    verdict = CheckPicture(fileHeader_, infoHeader_, bytes_.Length());
  }
  if (verdict != Verdict::kAccepted) return RejectionText(verdict);

  geometry_ = ComputeRowGeometry(infoHeader_.biWidth, infoHeader_.biBitCount / 8);
  header_.width = static_cast<uint32_t>(infoHeader_.biWidth);
  header_.height = PictureHeight(infoHeader_);
  header_.sourceBits = infoHeader_.biBitCount;
  header_.storedSize = infoHeader_.biSizeImage;
  // The checks above put every row inside the file, so its size is confirmed.
  stored_.resize(static_cast<size_t>(geometry_.rowBytes));
  return CString();
}

bool StrictBmpSource::ReadRow(uint32_t k, Pixel* row) {
  const size_t want = stored_.size();
  size_t got =
      bytes_.ReadAt(RowOffset(fileHeader_, infoHeader_, geometry_, k), stored_.data(), want);
  // A file that shrinks while it is read: the missing bytes become zeros, so
  // the outputs still hold as many bytes as the table says.
  if (got < want) std::memset(stored_.data() + got, 0, want - got);
  DecodeRow(stored_.data(), header_.width, infoHeader_.biBitCount, row);
  return got == want;
}
