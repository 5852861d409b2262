// POSIX hosts: the ANSI code page is UTF-8, whatever the process locale.
#include <cwchar>

#include "platform/text_encoding.h"
#include "platform/utf8.h"

namespace platform {

std::string WideToAnsi(const CString& text) {
  return utf8::Encode(text.str(), true);
}

CString AnsiToWide(std::string_view bytes) {
  return CString(utf8::Decode(bytes));
}

std::string WideToUtf8(const CString& text) {
  return utf8::Encode(text.str(), false);
}

CString Utf8ToWide(std::string_view bytes) {
  return CString(utf8::Decode(bytes));
}

int CompareWide(const CString& a, const CString& b) {
  return std::wcscmp(a.GetString(), b.GetString());
}

}  // namespace platform
