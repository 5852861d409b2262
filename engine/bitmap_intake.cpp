#include "engine/bitmap_intake.h"

BitmapFileHeader g_bmfh;
BitmapInfoHeader g_bmih;

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

RowGeometry ComputeRowGeometry(int32_t width) {
  RowGeometry g;
  g.rowBytes = int64_t{width} * 3;
  int64_t rest = g.rowBytes % 4;
  g.rowPadding = rest == 0 ? 0 : 4 - (rest < 0 ? rest + 4 : rest);
  g.rowStride = g.rowBytes + g.rowPadding;
  return g;
}

Verdict CheckPicture(const BitmapFileHeader& fh, const BitmapInfoHeader& ih, int64_t fileLength) {
  if (fileLength >= 0 && fileLength < kHeadersSize) return Verdict::kHeaderNot54;
  if (int64_t{fh.bfSize} != int64_t{ih.biSizeImage} + kHeadersSize) return Verdict::kHeaderNot54;
  if (fileLength < 0 || int64_t{fh.bfSize} > fileLength) return Verdict::kShorterThanDeclared;
  if (ih.biWidth < 0) return Verdict::kSizeMismatch;
  // The height is at most 2^31 and the stride at most 3 * 2^31, so the
  // product stays below 3 * 2^62: it fits unsigned 64 bits, not signed ones.
  if (uint64_t{PictureHeight(ih)} *
          static_cast<uint64_t>(ComputeRowGeometry(ih.biWidth).rowStride) >
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

std::string PictureIdentifier(const std::string& ansiName) {
  return ansiName.substr(0, ansiName.find('.'));
}

CString ResultText(const BitmapInfoHeader& ih) {
  CString text;
  text.Format(L"[%.2d bit,(%.3d*%.3u),Size:%.7u]: ", int{ih.biBitCount}, ih.biWidth,
              PictureHeight(ih), ih.biSizeImage);
  return text;
}
