#include "engine/jpeg_source.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "engine/byte_reader.h"

namespace {

// Beyond the 4 bytes per pixel a whole-picture buffer may take, what a
// decoder may allocate: progressive pictures keep every coefficient, 2 to 6
// bytes per pixel; the rest is refused instead of swapping.
constexpr uint64_t kMemoryBeyondPixels = 48 * 1024 * 1024;
// A progressive file may hold any number of scans, each a pass over the
// whole picture: more than real encoders write is refused.
constexpr int kMaxScans = 500;
constexpr size_t kInputBufferSize = 64 * 1024;

CString Reason(const std::string& text) {
  return CString(L" jpeg: " + std::wstring(text.begin(), text.end()));
}

static_assert(sizeof(Pixel) == 4, "rows are decoded straight into pixels as RGBA");

}  // namespace

// One libjpeg decompressor over a byte source. libjpeg reports errors by
// calling back; they longjmp to the setjmp in the one call that was under
// way, which holds no C++ objects, then the call returns false and
// message() says why.
class JpegDecoder {
 public:
  explicit JpegDecoder(ByteSource& bytes, uint64_t length);
  ~JpegDecoder() { jpeg_destroy_decompress(&cinfo_); }
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  bool ReadHeader();
  bool Start(uint64_t pixels);
  bool ReadLine(uint8_t* row);
  const std::string& message() const { return message_; }
  const jpeg_decompress_struct& info() const { return cinfo_; }

 private:
  struct Errors {
    jpeg_error_mgr manager;
    JpegDecoder* self;
  };
  struct Source {
    jpeg_source_mgr manager;
    JpegDecoder* self;
  };
  struct Progress {
    jpeg_progress_mgr manager;
    JpegDecoder* self;
  };

  [[noreturn]] static void Fail(j_common_ptr cinfo);
  static void Warn(j_common_ptr cinfo, int level);
  static void Fill(j_decompress_ptr cinfo);
  static boolean FillBuffer(j_decompress_ptr cinfo);
  static void SkipData(j_decompress_ptr cinfo, long count);
  static void NoOp(j_decompress_ptr) {}
  static void CountScans(j_common_ptr cinfo);

  jpeg_decompress_struct cinfo_{};
  Errors errors_{};
  Source source_{};
  Progress progress_{};
  std::jmp_buf jump_;
  ByteReader reader_;
  std::vector<uint8_t> buffer_;
  std::string message_;
};

JpegDecoder::JpegDecoder(ByteSource& bytes, uint64_t length)
    : reader_(bytes, 0, length), buffer_(kInputBufferSize) {
  cinfo_.err = jpeg_std_error(&errors_.manager);
  errors_.manager.error_exit = &JpegDecoder::Fail;
  errors_.manager.emit_message = &JpegDecoder::Warn;
  errors_.self = this;
  jpeg_create_decompress(&cinfo_);
  source_.manager.init_source = &JpegDecoder::NoOp;
  source_.manager.fill_input_buffer = &JpegDecoder::FillBuffer;
  source_.manager.skip_input_data = &JpegDecoder::SkipData;
  source_.manager.resync_to_restart = &jpeg_resync_to_restart;
  source_.manager.term_source = &JpegDecoder::NoOp;
  source_.self = this;
  cinfo_.src = &source_.manager;
  progress_.manager.progress_monitor = &JpegDecoder::CountScans;
  progress_.self = this;
  cinfo_.progress = &progress_.manager;
}

void JpegDecoder::Fail(j_common_ptr cinfo) {
  JpegDecoder* self = reinterpret_cast<Errors*>(cinfo->err)->self;
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  self->message_ = text;
  std::longjmp(self->jump_, 1);
}

// Warnings mean damaged data; level 0 and above are only trace messages.
void JpegDecoder::Warn(j_common_ptr cinfo, int level) {
  if (level < 0) Fail(cinfo);
}

void JpegDecoder::CountScans(j_common_ptr cinfo) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxScans) {
    JpegDecoder* self = reinterpret_cast<Progress*>(cinfo->progress)->self;
    self->message_ = "more than " + std::to_string(kMaxScans) + " scans";
    std::longjmp(self->jump_, 1);
  }
}

boolean JpegDecoder::FillBuffer(j_decompress_ptr cinfo) {
  JpegDecoder* self = reinterpret_cast<Source*>(cinfo->src)->self;
  const size_t got = self->reader_.ReadUpTo(self->buffer_.data(), self->buffer_.size());
  if (got == 0) ERREXIT(cinfo, JERR_INPUT_EOF);
  cinfo->src->next_input_byte = self->buffer_.data();
  cinfo->src->bytes_in_buffer = got;
  return TRUE;
}

void JpegDecoder::SkipData(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr* src = cinfo->src;
  while (count > 0) {
    if (src->bytes_in_buffer == 0) FillBuffer(cinfo);
    const size_t step = std::min<size_t>(static_cast<size_t>(count), src->bytes_in_buffer);
    src->next_input_byte += step;
    src->bytes_in_buffer -= step;
    count -= static_cast<long>(step);
  }
}

bool JpegDecoder::ReadHeader() {
  if (setjmp(jump_)) return false;
  jpeg_read_header(&cinfo_, TRUE);
  return true;
}

bool JpegDecoder::Start(uint64_t pixels) {
  if (setjmp(jump_)) return false;
  cinfo_.mem->max_memory_to_use = static_cast<long>(kMemoryBeyondPixels + 4 * pixels);
  cinfo_.out_color_space = JCS_EXT_RGBA;
  jpeg_start_decompress(&cinfo_);
  return true;
}

bool JpegDecoder::ReadLine(uint8_t* row) {
  if (setjmp(jump_)) return false;
  JSAMPROW rows[1] = {row};
  jpeg_read_scanlines(&cinfo_, rows, 1);
  return true;
}

JpegSource::JpegSource(ByteSource& bytes) : bytes_(bytes) {}

JpegSource::~JpegSource() = default;

namespace {

// Checks the header of a decoder that has read it.
CString CheckHeader(const jpeg_decompress_struct& info, uint64_t length) {
  if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
    return Reason("CMYK is not supported");
  }
  const uint64_t pixels = uint64_t{info.image_width} * info.image_height;
  if (info.image_width > kMaxDimension || info.image_height > kMaxDimension) {
    return Reason("picture is wider or higher than 65535 pixels");
  }
  if (pixels > uint64_t(kMaxPixels)) {
    return Reason("picture has more than " + std::to_string(kMaxPixels) + " pixels");
  }
  // Every block of the first scan takes at least one bit.
  const uint64_t mcuWidth = 8 * uint64_t(info.max_h_samp_factor);
  const uint64_t mcuHeight = 8 * uint64_t(info.max_v_samp_factor);
  const uint64_t mcus = (info.image_width + mcuWidth - 1) / mcuWidth *
                        ((info.image_height + mcuHeight - 1) / mcuHeight);
  if (mcus > 8 * length) return Reason("data is too short for its width and height");
  return {};
}

}  // namespace

CString JpegSource::Open() {
  const int64_t length = bytes_.Length();
  if (length < 0) return Reason("file length is unknown");
  if (length > int64_t{UINT32_MAX}) return Reason("file is larger than 4 GiB");
  header_.storedSize = static_cast<uint32_t>(length);

  auto check = std::make_unique<JpegDecoder>(bytes_, uint64_t(length));
  if (!check->ReadHeader()) return Reason(check->message());
  if (CString problem = CheckHeader(check->info(), uint64_t(length)); !problem.IsEmpty()) {
    return problem;
  }
  const uint64_t pixels = uint64_t{check->info().image_width} * check->info().image_height;
  if (!check->Start(pixels)) return Reason(check->message());
  std::vector<uint8_t> row(size_t{check->info().output_width} * 4);
  while (check->info().output_scanline < check->info().output_height) {
    if (!check->ReadLine(row.data())) return Reason(check->message());
  }
  header_.width = check->info().output_width;
  header_.height = check->info().output_height;
  header_.sourceBits = static_cast<uint16_t>(8 * check->info().num_components);
  header_.sourceFormat = "jpeg";
  check.reset();

  decoder_ = std::make_unique<JpegDecoder>(bytes_, uint64_t(length));
  if (!decoder_->ReadHeader() || !decoder_->Start(pixels)) return Reason(decoder_->message());
  return {};
}

bool JpegSource::ReadRow(uint32_t k, Pixel* row) {
  const bool ok = failure_.IsEmpty() && k == decoder_->info().output_scanline &&
                  decoder_->ReadLine(reinterpret_cast<uint8_t*>(row));
  if (!ok) {
    if (failure_.IsEmpty()) failure_ = Reason(decoder_->message());
    for (uint32_t x = 0; x < header_.width; ++x) row[x] = Pixel{0, 0, 0, 255};
  }
  return ok;
}
