// Win32 only: the ANSI code page is the system's. The cases are written for
// Windows-1252, the code page of Western European systems and of Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

class Cp1252 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  }
};

TEST_F(Cp1252, NamesTakeOneByteACharacter) {
  EXPECT_EQ(platform::WideToAnsi(L"caf\u00e9.bmp"), "caf\xE9.bmp");
  EXPECT_EQ(platform::WideToAnsi(L"\u20ac"), "\x80");
  EXPECT_EQ(platform::AnsiToWide("caf\xE9\x80").str(), L"caf\u00e9\u20ac");
  EXPECT_EQ(platform::WideToAnsi(L""), "");
  EXPECT_EQ(platform::AnsiToWide("").str(), L"");
}

TEST_F(Cp1252, CharactersOutsideThePageBecomeQuestionMarks) {
  EXPECT_EQ(platform::WideToAnsi(L"\u0436\u0443\u043a.bmp"), "???.bmp");
}

TEST(Utf8Output, SurrogatePairsAreOneCharacter) {
  EXPECT_EQ(platform::WideToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(platform::Utf8ToWide("\xF0\x9F\x98\x80").str(), L"\xD83D\xDE00");
  EXPECT_EQ(platform::WideToUtf8(L"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
