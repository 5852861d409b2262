#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextEncoding, TextForPeopleReplacesWhatIsNotACharacter) {
  EXPECT_EQ(platform::WideToUtf8(CString(L"a\xDCFF\u00e9")), "a\xEF\xBF\xBD\xC3\xA9");
  EXPECT_EQ(platform::WideToUtf8(CString(L"\xD800x")), "\xEF\xBF\xBDx");
  EXPECT_EQ(platform::Utf8ToWide("\xFF").str(), L"\xDCFF");
}

TEST(CompareWide, IsCaseSensitiveAndWhole) {
  EXPECT_EQ(platform::CompareWide(L"bmp", L"bmp"), 0);
  EXPECT_NE(platform::CompareWide(L"bmp", L"BMP"), 0);
  EXPECT_NE(platform::CompareWide(L"bmp", L"bmp2"), 0);
  EXPECT_NE(platform::CompareWide(L"", L"bmp"), 0);
  EXPECT_EQ(platform::CompareWide(L"", L""), 0);
}

}  // namespace
