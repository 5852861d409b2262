#include "engine/png_source.h"

#include <spng.h>
#include <zlib.h>

#include <array>
#include <cstring>
#include <string>

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The largest chunk length the format allows.
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;
// Ancillary chunks libspng keeps (text, profiles) are capped so that a file
// cannot make it hold more than a small part of the run's memory.
constexpr size_t kMaxAncillaryChunk = 16 * 1024 * 1024;
constexpr size_t kMaxChunkCache = 32 * 1024 * 1024;
// Deflate expands by at most 1032:1, so image data shorter than this part
// of the pixels it must describe cannot hold them: such a picture is
// refused before anything is allocated for it.
constexpr uint64_t kMaxDeflateRatio = 1032;

// Adam7: where each pass starts and how far apart its pixels are.
constexpr std::array<uint32_t, 7> kPassX = {0, 4, 0, 2, 0, 1, 0};
constexpr std::array<uint32_t, 7> kPassDx = {8, 8, 4, 4, 2, 2, 1};

CString Reason(const std::wstring& text) {
  return CString(L" png: " + text);
}

CString SpngReason(int error) {
  const char* text = spng_strerror(error);
  return Reason(std::wstring(text, text + std::strlen(text)));
}

std::wstring TypeName(const uint8_t* type) {
  return std::wstring(type, type + 4);
}

bool IsLetter(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int Channels(uint8_t colourType) {
  switch (colourType) {
    case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:
      return 2;
    case SPNG_COLOR_TYPE_TRUECOLOR:
      return 3;
    case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA:
      return 4;
    default:
      return 1;
  }
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Checks one chunk's length, type and CRC; adds IDAT lengths to `idatBytes`.
CString CheckChunk(ByteReader& reader, bool first, bool& end, uint64_t& idatBytes) {
  uint8_t head[8];
  if (!reader.Read(head, sizeof head)) return Reason(L"file ends before its IEND chunk");
  const uint32_t length = BigEndian32(head);
  const uint8_t* type = head + 4;
  if (length > kMaxChunkLength) return Reason(L"chunk length is over 2^31 - 1");
  if (!IsLetter(type[0]) || !IsLetter(type[1]) || !IsLetter(type[2]) || !IsLetter(type[3])) {
    return Reason(L"chunk type is not four letters");
  }
  if (first && (std::memcmp(type, "IHDR", 4) != 0 || length != 13)) {
    return Reason(L"first chunk is not a 13-byte IHDR");
  }
  uLong crc = crc32(0, type, 4);
  uint8_t data[4096];
  for (uint32_t left = length; left > 0;) {
    const uint32_t piece = left < sizeof data ? left : uint32_t{sizeof data};
    if (!reader.Read(data, piece))
      return Reason(L"file ends inside its " + TypeName(type) + L" chunk");
    crc = crc32(crc, data, piece);
    left -= piece;
  }
  uint8_t stored[4];
  if (!reader.Read(stored, 4)) return Reason(L"file ends inside its " + TypeName(type) + L" chunk");
  if (BigEndian32(stored) != crc) return Reason(L"CRC error in " + TypeName(type));
  if (std::memcmp(type, "IDAT", 4) == 0) idatBytes += length;
  end = std::memcmp(type, "IEND", 4) == 0;
  return {};
}

// Walks every chunk up to IEND before decoding, so a truncated or damaged
// file is rejected before the first row goes into the outputs.
CString CheckChunks(ByteSource& bytes, uint64_t length, uint64_t& idatBytes) {
  ByteReader reader(bytes, 0, length);
  uint8_t signature[8];
  if (!reader.Read(signature, 8) || std::memcmp(signature, kSignature, 8) != 0) {
    return Reason(L"signature is damaged");
  }
  bool end = false;
  for (bool first = true; !end; first = false) {
    if (CString problem = CheckChunk(reader, first, end, idatBytes); !problem.IsEmpty()) {
      return problem;
    }
  }
  return {};
}

uint8_t Round16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);  // libspng stores 16-bit samples in host order
  return static_cast<uint8_t>((uint32_t{v} * 255 + 32767) / 65535);
}

}  // namespace

PngSource::PngSource(ByteSource& bytes) : bytes_(bytes) {}

PngSource::~PngSource() {
  spng_ctx_free(ctx_);
}

int PngSource::Read(spng_ctx*, void* user, void* dest, size_t length) {
  auto* self = static_cast<PngSource*>(user);
  return self->reader_->Read(static_cast<uint8_t*>(dest), length) ? 0 : SPNG_IO_EOF;
}

CString PngSource::Open() {
  const int64_t length = bytes_.Length();
  if (length < 0) return Reason(L"file length is unknown");
  if (length > int64_t{UINT32_MAX}) return Reason(L"file is larger than 4 GiB");
  uint64_t idatBytes = 0;
  if (CString problem = CheckChunks(bytes_, uint64_t(length), idatBytes); !problem.IsEmpty()) {
    return problem;
  }
  header_.storedSize = static_cast<uint32_t>(length);
  reader_ = std::make_unique<ByteReader>(bytes_, 0, uint64_t(length));
  ctx_ = spng_ctx_new(0);
  if (!ctx_) return Reason(L"out of memory");
  spng_set_image_limits(ctx_, uint32_t{kMaxDimension}, uint32_t{kMaxDimension});
  spng_set_chunk_limits(ctx_, kMaxAncillaryChunk, kMaxChunkCache);
  spng_set_png_stream(ctx_, &PngSource::Read, this);
  return StartDecoding(idatBytes);
}

CString PngSource::StartDecoding(uint64_t idatBytes) {
  spng_ihdr ihdr{};
  if (int error = spng_get_ihdr(ctx_, &ihdr)) return SpngReason(error);
  const uint64_t pixels = uint64_t{ihdr.width} * ihdr.height;
  if (pixels > uint64_t(kMaxPixels)) {
    return Reason(L"picture has more than " + std::to_wstring(kMaxPixels) + L" pixels");
  }
  const int bits = Channels(ihdr.color_type) * ihdr.bit_depth;
  if (pixels * bits / 8 > idatBytes * kMaxDeflateRatio) {
    return Reason(L"image data is too short for its width and height");
  }
  header_.width = ihdr.width;
  header_.height = ihdr.height;
  header_.sourceBits = static_cast<uint16_t>(bits);
  header_.sourceFormat = "png";
  sixteen_ = ihdr.bit_depth == 16;
  const int format = sixteen_ ? SPNG_FMT_RGBA16 : SPNG_FMT_RGBA8;
  if (int error =
          spng_decode_image(ctx_, nullptr, 0, format, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE)) {
    return SpngReason(error);
  }
  row_.resize(size_t{ihdr.width} * (sixteen_ ? 8 : 4));
  return ihdr.interlace_method ? DecodeInterlaced() : CString();
}

void PngSource::ToPixels(const uint8_t* decoded, Pixel* row, uint32_t first, uint32_t step) const {
  const size_t size = sixteen_ ? 8 : 4;
  for (uint32_t x = first; x < header_.width; x += step) {
    const uint8_t* p = decoded + x * size;
    row[x] = sixteen_ ? Pixel{Round16(p), Round16(p + 2), Round16(p + 4), Round16(p + 6)}
                      : Pixel{p[0], p[1], p[2], p[3]};
  }
}

// Each pass's rows come with their place in the picture; libspng puts a
// row's pixels at their own columns, so only those columns are taken.
CString PngSource::DecodeInterlaced() {
  whole_.resize(size_t{header_.width} * header_.height);
  for (;;) {
    spng_row_info info{};
    if (int error = spng_get_row_info(ctx_, &info)) return SpngReason(error);
    const int result = spng_decode_row(ctx_, row_.data(), row_.size());
    if (result != 0 && result != SPNG_EOI) return SpngReason(result);
    ToPixels(row_.data(), whole_.data() + size_t{info.row_num} * header_.width, kPassX[info.pass],
             kPassDx[info.pass]);
    if (result == SPNG_EOI) return {};
  }
}

bool PngSource::ReadRow(uint32_t k, Pixel* row) {
  if (!whole_.empty()) {
    std::memcpy(row, whole_.data() + size_t{k} * header_.width, header_.width * sizeof(Pixel));
    return true;
  }
  int result = k == nextRow_ && failure_.IsEmpty() ? spng_decode_row(ctx_, row_.data(), row_.size())
                                                   : SPNG_EOI;
  ++nextRow_;
  if (result != 0 && !(result == SPNG_EOI && nextRow_ == header_.height)) {
    if (failure_.IsEmpty())
      failure_ = result == SPNG_EOI ? Reason(L"rows read out of order") : SpngReason(result);
    for (uint32_t x = 0; x < header_.width; ++x) row[x] = Pixel{0, 0, 0, 255};
    return false;
  }
  ToPixels(row_.data(), row, 0, 1);
  return true;
}
