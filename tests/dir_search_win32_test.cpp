// Win32 only: names come from the wide file-system interface, and the order
// is decided on their UTF-8 bytes, as on POSIX hosts, not on the ANSI page.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dir_search.h"
#include "platform/file_access.h"
#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(DirSearchWin32, WideNamesInUtf8OrderWithFoldersMarked) {
  TempDir dir;
  // In Windows-1252 the order would be '?' (U+0436), 'z', U+00E9.
  for (const wchar_t* name : {L"\u0436.bmp", L"\u00e9.bmp", L"z.bmp", L".hidden.bmp"}) {
    WriteFile(dir.path() / name, std::string("x"));
  }
  fs::create_directory(dir.path() / L"sub");
  SetFileAttributesW((dir.path() / L".hidden.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);

  std::vector<platform::FolderEntry> entries;
  ASSERT_TRUE(platform::ListFolderEntries(CString(dir.path().wstring()), entries));
  platform::SortFolderEntries(entries);
  std::vector<std::wstring> names;
  for (const auto& entry : entries)
    names.push_back(entry.name.str() + (entry.isDirectory ? L"\\" : L""));
  EXPECT_EQ(names, (std::vector<std::wstring>{L".hidden.bmp", L"sub\\", L"z.bmp", L"\u00e9.bmp",
                                              L"\u0436.bmp"}));
  EXPECT_EQ(entries[3].sortKey, "\xC3\xA9.bmp");
}

}  // namespace
