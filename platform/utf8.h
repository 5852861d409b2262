// A UTF-8 codec shared by the hosts' text conversions.
#pragma once

#include <string>
#include <string_view>

namespace platform::utf8 {

// Bytes that do not start a valid sequence are kept as U+DC80 + byte (lone
// low surrogates), so Encode(Decode(b), true) == b for any bytes b.
std::wstring Decode(std::string_view bytes);

// With `keepEscapedBytes`, U+DC80..U+DCFF turn back into the bytes they stand
// for; otherwise they, and any other lone surrogate, become U+FFFD.
std::string Encode(std::wstring_view text, bool keepEscapedBytes);

}  // namespace platform::utf8
