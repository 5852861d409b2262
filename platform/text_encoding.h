// Conversions between wide text and the byte text that files and file names
// use, and the wide comparison the extension match relies on.
#pragma once

#include <string>
#include <string_view>

#include "platform/cstring.h"

namespace platform {

// Wide text in the host's ANSI code page: what file names are opened with and
// what the text output files hold. On POSIX hosts the code page is UTF-8, and
// bytes of a file name that are not valid UTF-8 survive the round trip through
// AnsiToWide and back unchanged, so such files still open.
std::string WideToAnsi(const CString& text);
CString AnsiToWide(std::string_view bytes);

// Strict UTF-8 for showing text to a person: anything that is not a character
// (a byte kept from an invalid file name, a lone surrogate) becomes U+FFFD.
std::string WideToUtf8(const CString& text);
// UTF-8 to wide; invalid bytes are kept the way AnsiToWide keeps them.
CString Utf8ToWide(std::string_view bytes);

// The host's wide string comparison; 0 means equal. Case-sensitive.
int CompareWide(const CString& a, const CString& b);

}  // namespace platform
