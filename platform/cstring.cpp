#include "platform/cstring.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

int CString::ReverseFind(wchar_t ch) const {
  size_t pos = text_.rfind(ch);
  return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(wchar_t ch) const {
  size_t pos = text_.find(ch);
  return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const {
  if (count <= 0) return CString();
  return CString(text_.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  if (count <= 0) return CString();
  size_t n = static_cast<size_t>(count);
  if (n >= text_.size()) return *this;
  return CString(text_.substr(text_.size() - n));
}

void CString::Format(const wchar_t* format, ...) {
  // A short buffer makes vswprintf fail (glibc) or return the length it
  // needed (MinGW), so a result that fills the buffer is a failure too.
  std::vector<wchar_t> buffer(128);
  for (;;) {
    va_list args;
    va_start(args, format);
    int written = std::vswprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
      text_.assign(buffer.data(), static_cast<size_t>(written));
      return;
    }
    if (buffer.size() >= (1u << 20)) {
      text_.clear();
      return;
    }
    buffer.resize(buffer.size() * 4);
  }
}
