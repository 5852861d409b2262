#include "platform/output_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {

constexpr size_t kBufferSize = 1 << 20;

}  // namespace

OutputStream::~OutputStream() {
  Close();
}

bool OutputStream::Open(const std::string& ansiPath, Mode mode) {
  Close();
  error_ = 0;
  mode_ = mode;
  // Binary on every host: the CR LF of text mode is added by Write itself.
  errno = 0;
  file_ = std::fopen(ansiPath.c_str(), "w+b");
  if (!file_) {
    Fail(errno ? errno : EIO);
    return false;
  }
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.resize(kBufferSize);
  used_ = 0;
  stored_ = 0;
  return true;
}

void OutputStream::Fail(int error) {
  if (error_ == 0) error_ = error ? error : EIO;
}

void OutputStream::Put(const char* data, size_t size) {
  if (std::fwrite(data, 1, size, file_) != size) return Fail(errno);
  stored_ += size;
}

void OutputStream::Store(const char* data, size_t size) {
  if (size > buffer_.size() - used_) Flush();
  if (size > buffer_.size()) {
    if (file_ && !error_) Put(data, size);
    return;
  }
  std::memcpy(buffer_.data() + used_, data, size);
  used_ += size;
}

void OutputStream::Write(std::string_view text) {
  if (!file_ || error_) return;
  if (mode_ == Mode::kBinary) {
    Store(text.data(), text.size());
    return;
  }
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    if (!nl) {
      Store(p, static_cast<size_t>(end - p));
      return;
    }
    Store(p, static_cast<size_t>(nl - p));
    Store("\r\n", 2);
    p = nl + 1;
  }
}

void OutputStream::Print(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (needed < 0) return Fail(EINVAL);
  if (static_cast<size_t>(needed) < sizeof small) return Write(std::string_view(small, needed));
  std::string large(static_cast<size_t>(needed) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(large.data(), large.size(), format, args);
  va_end(args);
  large.resize(static_cast<size_t>(needed));
  Write(large);
}

void OutputStream::Flush() {
  if (!file_ || used_ == 0) return;
  if (!error_) Put(buffer_.data(), used_);
  used_ = 0;
}

void OutputStream::AppendContentsOf(OutputStream& source) {
  if (!file_ || !source.file_) return;
  source.Flush();
  // A source that failed holds an incomplete text; its own failure is reported.
  if (source.error_) return;
  if (std::fseek(source.file_, 0, SEEK_SET) != 0) return source.Fail(errno);
  // Copy exactly what was stored: the file may be a device that never ends.
  std::vector<char> chunk(1 << 16);
  for (uint64_t left = source.stored_; left > 0;) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(left, chunk.size()));
    size_t got = std::fread(chunk.data(), 1, want, source.file_);
    Store(chunk.data(), got);
    if (got < want) {
      source.Fail(std::ferror(source.file_) ? errno : EIO);
      break;
    }
    left -= got;
  }
  std::fseek(source.file_, 0, SEEK_END);
}

bool OutputStream::Close() {
  if (!file_) return error_ == 0;
  Flush();
  if (std::fflush(file_) != 0) Fail(errno);
  if (std::fclose(file_) != 0) Fail(errno);
  file_ = nullptr;
  buffer_.clear();
  buffer_.shrink_to_fit();
  return error_ == 0;
}

}  // namespace platform
