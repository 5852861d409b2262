// On POSIX hosts the ANSI code page is UTF-8, and bytes that are not UTF-8
// survive the round trip so that any file name can still be opened.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

struct DecodeCase {
  const char* what;
  std::string bytes;
  std::wstring wide;
};

class AnsiText : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(AnsiText, KeepsInvalidBytesAsEscapesAndRoundTrips) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(platform::AnsiToWide(c.bytes).str(), c.wide) << c.what;
  EXPECT_EQ(platform::WideToAnsi(CString(c.wide)), c.bytes) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, AnsiText,
    ::testing::Values(DecodeCase{"ASCII", "a.bmp", L"a.bmp"},
                      DecodeCase{"two bytes", "\xC3\xA9", L"\u00e9"},
                      DecodeCase{"three bytes", "\xE2\x82\xAC", L"\u20ac"},
                      DecodeCase{"four bytes", "\xF0\x9F\x98\x80", L"\U0001F600"},
                      DecodeCase{"lone high byte", "\xFF", L"\xDCFF"},
                      DecodeCase{"cut sequence", "\xE2\x82.", L"\xDCE2\xDC82."},
                      DecodeCase{"overlong slash", "\xC0\xAF", L"\xDCC0\xDCAF"},
                      DecodeCase{"encoded surrogate", "\xED\xB2\x80", L"\xDCED\xDCB2\xDC80"},
                      DecodeCase{"beyond U+10FFFF", "\xF4\x90\x80\x80",
                                 L"\xDCF4\xDC90\xDC80\xDC80"},
                      DecodeCase{"stray continuation", "a\x80z", L"a\xDC80z"}),
    [](const auto& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) name += *p == ' ' || *p == '+' ? '_' : *p;
      return name;
    });

}  // namespace
