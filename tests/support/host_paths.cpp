#include "tests/support/host_paths.h"

#include "platform/file_access.h"
#include "platform/text_encoding.h"

namespace testing_support {

std::wstring HostPath(std::wstring_view slashed) {
  const std::wstring separator = platform::PathSeparator();
  std::wstring path;
  for (wchar_t c : slashed) {
    if (c == L'/') {
      path += separator;
    } else {
      path += c;
    }
  }
  return path;
}

std::string HostPath(std::string_view slashed) {
  const std::string separator = platform::WideToAnsi(platform::PathSeparator());
  std::string path;
  for (char c : slashed) {
    if (c == '/') {
      path += separator;
    } else {
      path += c;
    }
  }
  return path;
}

}  // namespace testing_support
