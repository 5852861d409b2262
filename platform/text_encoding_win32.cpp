// Win32 hosts: the ANSI code page is the system's (CP_ACP). Characters it
// cannot hold become its default character, '?', which no file name may
// contain, so such a name fails to open rather than opening another file.
#include <windows.h>

#include <climits>

#include "platform/text_encoding.h"
#include "platform/utf8.h"

namespace platform {

std::string WideToAnsi(const CString& text) {
  if (text.IsEmpty()) return std::string();
  const wchar_t* wide = text.GetString();
  int length = text.GetLength();
  int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string bytes(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

CString AnsiToWide(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return CString();
  int length = static_cast<int>(bytes.size());
  int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return CString();
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), needed);
  return CString(std::move(wide));
}

std::string WideToUtf8(const CString& text) {
  return utf8::Encode(text.str(), false);
}

CString Utf8ToWide(std::string_view bytes) {
  return CString(utf8::Decode(bytes));
}

int CompareWide(const CString& a, const CString& b) {
  return lstrcmpW(a.GetString(), b.GetString());
}

}  // namespace platform
