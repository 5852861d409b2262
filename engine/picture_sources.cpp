#include "engine/picture_sources.h"

#include <algorithm>
#include <cstring>

#include "engine/any_bmp_source.h"
#include "engine/jpeg_source.h"
#include "engine/png_source.h"
#include "engine/strict_bmp_source.h"

namespace {

// Rejects what no source reads, before anything else is looked at.
class UnknownSource : public PictureSource {
 public:
  CString Open() override { return L" not a BMP, PNG or JPEG picture"; }
  const PictureHeader& header() const override { return header_; }
  bool ReadRow(uint32_t, Pixel*) override { return false; }

 private:
  PictureHeader header_;
};

bool StartsWith(const uint8_t* bytes, size_t size, const char* magic, size_t magicSize) {
  return size >= magicSize && std::memcmp(bytes, magic, magicSize) == 0;
}

}  // namespace

std::unique_ptr<PictureSource> MakePictureSource(InputMode mode, ByteSource& bytes) {
  if (mode == InputMode::kStrict) return std::make_unique<StrictBmpSource>(bytes);
  uint8_t head[8] = {};
  const size_t size = bytes.ReadAt(0, head, sizeof head);
  if (StartsWith(head, size, "BM", 2)) return std::make_unique<AnyBmpSource>(bytes);
  if (StartsWith(head, size, "\x89PNG\r\n\x1A\n", 8)) return std::make_unique<PngSource>(bytes);
  if (StartsWith(head, size, "\xFF\xD8\xFF", 3)) return std::make_unique<JpegSource>(bytes);
  return std::make_unique<UnknownSource>();
}
