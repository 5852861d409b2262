#include "platform/cstring.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CString, FindsFirstAndLastOccurrence) {
  CString s(L"a.b.c");
  EXPECT_EQ(s.Find(L'.'), 1);
  EXPECT_EQ(s.ReverseFind(L'.'), 3);
  EXPECT_EQ(s.Find(L'x'), -1);
  EXPECT_EQ(s.ReverseFind(L'x'), -1);
  EXPECT_EQ(CString().ReverseFind(L'.'), -1);
}

struct SliceCase {
  int count;
  const wchar_t* left;
  const wchar_t* right;
};

class Slice : public ::testing::TestWithParam<SliceCase> {};

TEST_P(Slice, LeftAndRightClampTheirCount) {
  CString s(L"abcd");
  EXPECT_EQ(s.Left(GetParam().count).str(), GetParam().left);
  EXPECT_EQ(s.Right(GetParam().count).str(), GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Counts, Slice,
                         ::testing::Values(SliceCase{-1, L"", L""}, SliceCase{0, L"", L""},
                                           SliceCase{1, L"a", L"d"}, SliceCase{3, L"abc", L"bcd"},
                                           SliceCase{4, L"abcd", L"abcd"},
                                           SliceCase{9, L"abcd", L"abcd"}));

TEST(CString, FormatPadsAndReplacesTheContents) {
  CString s(L"old");
  s.Format(L"%0.5d: ", 3);
  EXPECT_EQ(s.str(), L"00003: ");
  s.Format(L"%0.5d: ", 123456);
  EXPECT_EQ(s.str(), L"123456: ");
}

TEST(CString, FormatGrowsForLongResults) {
  const std::wstring part(5000, L'\u00e9');
  CString s;
  s.Format(L"[%ls|%d]", part.c_str(), 42);
  EXPECT_EQ(s.str(), L"[" + part + L"|42]");
}

TEST(CString, ConcatenatesAndCompares) {
  CString folder(L"bmp");
  CString joined = folder + L"/" + CString(L"a.bmp");
  EXPECT_EQ(joined.str(), L"bmp/a.bmp");
  EXPECT_EQ((L"x" + folder).str(), L"xbmp");
  EXPECT_TRUE(joined == CString(L"bmp/a.bmp"));
  EXPECT_FALSE(joined == CString(L"bmp/A.bmp"));
  EXPECT_EQ(CString(static_cast<const wchar_t*>(nullptr)).GetLength(), 0);
}

}  // namespace
