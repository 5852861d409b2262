#include "engine/extension_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
  const wchar_t* text;
  std::vector<std::wstring> words;  // entries 0, 1, ...
};

std::wstring Words(int first, int last) {
  std::wstring text;
  for (int i = first; i <= last; ++i) text += (i > first ? L" w" : L"w") + std::to_wstring(i);
  return text;
}

std::vector<std::wstring> Descending(int from, int to) {
  std::vector<std::wstring> words;
  for (int i = from; i >= to; --i) words.push_back(L"w" + std::to_wstring(i));
  return words;
}

class ExtensionListSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ExtensionListSplit, StoresWordsRightToLeft) {
  std::array<CString, kMaxExtensions> words;
  uint8_t count = 0;
  ParseExtensionList(GetParam().text, words, count);
  ASSERT_EQ(count, GetParam().words.size());
  for (size_t i = 0; i < GetParam().words.size(); ++i) {
    EXPECT_EQ(words[i].str(), GetParam().words[i]) << "entry " << i;
  }
}

const std::wstring k20 = Words(1, 20), k21 = Words(1, 21), k25 = Words(1, 25);

INSTANTIATE_TEST_SUITE_P(Table, ExtensionListSplit,
                         ::testing::Values(SplitCase{L"bmp", {L"bmp"}},
                                           SplitCase{L"bmp BMP", {L"BMP", L"bmp"}},
                                           SplitCase{L"  a  b ", {L"b", L"a"}},
                                           SplitCase{L"   ", {}}, SplitCase{L".bmp", {L".bmp"}},
                                           SplitCase{L"bmp\tBMP", {L"bmp\tBMP"}},
                                           SplitCase{L"a\x3000"
                                                     L"b",
                                                     {L"a\x3000"
                                                      L"b"}},
                                           SplitCase{k20.c_str(), Descending(20, 1)},
                                           SplitCase{k21.c_str(), Descending(21, 2)},
                                           SplitCase{k25.c_str(), Descending(25, 6)}));

TEST(ExtensionList, LaterShorterTextLeavesOldEntriesBeyondTheCount) {
  std::array<CString, kMaxExtensions> words;
  uint8_t count = 0;
  ParseExtensionList(L"a b c", words, count);
  count = 0;
  ParseExtensionList(L"x", words, count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(words[0].str(), L"x");
  EXPECT_EQ(words[1].str(), L"b");
  EXPECT_EQ(words[2].str(), L"a");
}

}  // namespace
