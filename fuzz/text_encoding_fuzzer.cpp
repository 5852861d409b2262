// Any bytes as a file or folder name. A name must survive the trip to wide
// text and back unchanged, or the walk could not open what it listed; and
// what is shown to a person must be valid UTF-8 whatever the name held.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/text_encoding.h"
#include "platform/utf8.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool HasEscapedByte(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c >= 0xDC80 && c <= 0xDCFF) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const CString wide = platform::AnsiToWide(bytes);
  Require(platform::WideToAnsi(wide) == bytes, "a name round-trips byte for byte");

  const std::string shown = platform::WideToUtf8(wide);
  Require(!HasEscapedByte(platform::utf8::Decode(shown)), "shown text is valid UTF-8");
  Require(platform::utf8::Encode(platform::utf8::Decode(shown), false) == shown,
          "valid UTF-8 decodes and encodes to itself");
  return 0;
}
