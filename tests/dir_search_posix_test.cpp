// Folder listing of what only POSIX hosts have: links, and names that are
// bytes rather than characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dir_search.h"
#include "platform/text_encoding.h"
#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

class DirSearchPosix : public ::testing::Test {
 protected:
  CString Folder(const fs::path& folder) const {
    return platform::AnsiToWide((dir.path() / folder).string());
  }
  TempDir dir;
};

TEST_F(DirSearchPosix, LinksCountAsWhatTheyPointAt) {
  fs::create_directories(dir.path() / "f/real");
  WriteFile(dir.path() / "f/real.bmp", std::string("x"));
  fs::create_directory_symlink("real", dir.path() / "f/to_folder");
  fs::create_symlink("real.bmp", dir.path() / "f/to_file");
  fs::create_symlink("nothing", dir.path() / "f/dangling");
  std::vector<platform::FolderEntry> entries;
  ASSERT_TRUE(platform::ListFolderEntries(Folder("f"), entries));
  platform::SortFolderEntries(entries);
  std::vector<std::string> listed;
  for (const auto& e : entries) listed.push_back(e.sortKey + (e.isDirectory ? "/" : ""));
  EXPECT_EQ(listed,
            (std::vector<std::string>{"dangling", "real/", "real.bmp", "to_file", "to_folder/"}));
}

TEST_F(DirSearchPosix, NamesOutsideUtf8ComeBackAsTheirBytes) {
  WriteFile(dir.path() / "f/\xFF\xFE.bmp", std::string("x"));
  std::vector<platform::FolderEntry> entries;
  ASSERT_TRUE(platform::ListFolderEntries(Folder("f"), entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name.str(), L"\xDCFF\xDCFE.bmp");
  EXPECT_EQ(platform::WideToAnsi(entries[0].name), "\xFF\xFE.bmp");
}

}  // namespace
