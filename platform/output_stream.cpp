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
  return true;
}

void OutputStream::Fail(int error) {
  if (error_ == 0) error_ = error ? error : EIO;
}

void OutputStream::Store(const char* data, size_t size) {
  if (size > buffer_.size() - used_) Flush();
  if (size > buffer_.size()) {
    if (!file_ || error_) return;
    if (std::fwrite(data, 1, size, file_) != size) Fail(errno);
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
  if (!error_ && std::fwrite(buffer_.data(), 1, used_, file_) != used_) Fail(errno);
  used_ = 0;
}

namespace {

// Finds where the last read that a text-mode line reader makes within the
// limits ends, fed the stored bytes in order.
class LineReads {
 public:
  LineReads(int maxReads, size_t readChars) : maxReads_(maxReads), readChars_(readChars) {}

  bool done() const { return reads_ >= maxReads_; }
  // Bytes from the start up to the end of the last read that is complete.
  uint64_t end() const { return end_; }

  void Feed(const char* bytes, size_t size) {
    for (size_t i = 0; i < size && !done(); ++i, ++offset_) {
      const char c = bytes[i];
      if (pendingCr_) {
        pendingCr_ = false;
        if (c == '\n') {
          Count(offset_ + 1, true);
          continue;
        }
        Count(offset_, false);
        if (done()) return;
      }
      if (c == '\r') {
        pendingCr_ = true;
      } else {
        Count(offset_ + 1, c == '\n');
      }
    }
  }

 private:
  // One character that ends at byte `end`; a line feed ends the read.
  void Count(uint64_t end, bool lineFeed) {
    if (++chars_ < readChars_ && !lineFeed) return;
    ++reads_;
    end_ = end;
    chars_ = 0;
  }

  const int maxReads_;
  const size_t readChars_;
  int reads_ = 0;
  size_t chars_ = 0;
  bool pendingCr_ = false;
  uint64_t offset_ = 0;
  uint64_t end_ = 0;
};

}  // namespace

void OutputStream::AppendLinesOf(OutputStream& source, int maxReads, size_t readChars) {
  if (!file_ || !source.file_ || maxReads <= 0 || readChars == 0) return;
  source.Flush();
  std::vector<char> chunk(1 << 16);
  // The first pass finds how far the reads reach; the second copies that
  // much, so the scratch text is never held whole, however long it is.
  LineReads reads(maxReads, readChars);
  if (std::fseek(source.file_, 0, SEEK_SET) != 0) return source.Fail(errno);
  while (!reads.done()) {
    size_t got = std::fread(chunk.data(), 1, chunk.size(), source.file_);
    reads.Feed(chunk.data(), got);
    if (got < chunk.size()) break;
  }
  if (std::ferror(source.file_) || std::fseek(source.file_, 0, SEEK_SET) != 0) {
    return source.Fail(errno);
  }
  for (uint64_t left = reads.end(); left > 0;) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(left, chunk.size()));
    size_t got = std::fread(chunk.data(), 1, want, source.file_);
    Store(chunk.data(), got);
    if (got < want) break;
    left -= got;
  }
  if (std::ferror(source.file_)) source.Fail(errno);
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
