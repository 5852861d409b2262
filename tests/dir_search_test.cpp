#include "platform/dir_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::vector<platform::FolderEntry> entries;
  for (const std::string& name : names) {
    entries.push_back({platform::AnsiToWide(name), name, false});
  }
  platform::SortFolderEntries(entries);
  std::vector<std::string> order;
  for (const auto& entry : entries) order.push_back(entry.sortKey);
  return order;
}

struct OrderCase {
  const char* what;
  std::vector<std::string> order;  // the expected order; the input is it reversed
};

class FolderOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(FolderOrder, FoldsAsciiLettersToUpperCaseThenComparesBytes) {
  std::vector<std::string> input(GetParam().order.rbegin(), GetParam().order.rend());
  EXPECT_EQ(Sorted(input), GetParam().order) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Names, FolderOrder,
    ::testing::Values(OrderCase{"letters ignore case", {"a.bmp", "B.bmp", "c.bmp"}},
                      OrderCase{"ties by raw bytes", {"A.bmp", "a.bmp"}},
                      OrderCase{"shorter prefix first", {"PIC.BMP", "pic.bmp2", "pic.old.bmp"}},
                      OrderCase{"punctuation against folded letters",
                                {".bmp", "1.bmp", "a.bmp", "Z.bmp", "[.bmp", "_x.bmp", "{.bmp"}},
                      OrderCase{"example of the walk", {"a.bmp", "notes.txt", "sub", "z.bmp"}},
                      OrderCase{"bytes above ASCII last, unfolded",
                                {"z.bmp", "\xC3\x89.bmp", "\xC3\xA9.bmp", "\xFF.bmp"}}),
    [](const auto& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) name += *p == ' ' || *p == ',' ? '_' : *p;
      return name;
    });

class DirSearchOnDisk : public ::testing::Test {
 protected:
  CString Folder(const fs::path& folder) const { return CString((dir.path() / folder).wstring()); }
  TempDir dir;
};

TEST_F(DirSearchOnDisk, LastEntryIsCurrentWhenFindNextFileReturnsFalse) {
  WriteFile(dir.path() / "f/b.bmp", std::string("x"));
  WriteFile(dir.path() / "f/A.bmp", std::string("x"));
  fs::create_directory(dir.path() / "f/c");
  platform::DirSearch search;
  ASSERT_TRUE(search.FindFile(Folder("f")));
  std::vector<std::wstring> seen;
  bool more = true;
  while (more) {
    more = search.FindNextFile();
    EXPECT_FALSE(search.IsDots());
    seen.push_back(search.GetFileName().str() + (search.IsDirectory() ? L"/" : L""));
  }
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"A.bmp", L"b.bmp", L"c/"}));
  EXPECT_FALSE(search.FindNextFile());
  search.Close();
  EXPECT_FALSE(search.IsDirectory());
  EXPECT_EQ(search.GetFileName().str(), L"");
}

TEST_F(DirSearchOnDisk, EmptyOrMissingFolderHasNoEntries) {
  fs::create_directory(dir.path() / "empty");
  platform::DirSearch search;
  EXPECT_FALSE(search.FindFile(Folder("empty")));
  EXPECT_FALSE(search.FindFile(Folder("missing")));
  EXPECT_FALSE(search.FindNextFile());
  WriteFile(dir.path() / "file", std::string("x"));
  EXPECT_FALSE(search.FindFile(Folder("file")));
}

}  // namespace
