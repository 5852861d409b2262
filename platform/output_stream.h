// OutputStream: a buffered output file that remembers its first failure.
// In text mode every "\n" written is stored as CR LF on every host; in binary
// mode bytes are stored as given. Nothing is silently lost: every failed
// write, flush or close is kept as an errno value for the caller to report.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class OutputStream {
 public:
  enum class Mode { kText, kBinary };

  OutputStream() = default;
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  // Creates the file, or empties it, for reading and writing. On failure
  // returns false and error() holds the reason.
  bool Open(const std::string& ansiPath, Mode mode);
  bool IsOpen() const { return file_ != nullptr; }

  void Write(std::string_view text);
  void Write(const void* data, size_t size) {
    Write(std::string_view(static_cast<const char*>(data), size));
  }
  void Print(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // Appends everything stored in `source` so far, byte for byte as stored,
  // to this stream. Both stay open.
  void AppendContentsOf(OutputStream& source);

  // Flushes and closes; false when this or any earlier operation failed.
  bool Close();

  bool failed() const {
    return error_ != 0;
  }
  int error() const {
    return error_;
  }

 private:
  void Flush();
  void Store(const char* data, size_t size);
  void Put(const char* data, size_t size);
  void Fail(int error);

  FILE* file_ = nullptr;
  Mode mode_ = Mode::kBinary;
  std::vector<char> buffer_;
  size_t used_ = 0;
  uint64_t stored_ = 0;  // bytes written to the file so far
  int error_ = 0;
};

}  // namespace platform
