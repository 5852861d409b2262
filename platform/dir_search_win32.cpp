#include <windows.h>

#include "platform/dir_search.h"
#include "platform/utf8.h"

namespace platform {
namespace {

bool IsDotsName(const wchar_t* name) {
  return (name[0] == L'.' && name[1] == L'\0') ||
         (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

FolderEntry MakeEntry(const WIN32_FIND_DATAW& found) {
  FolderEntry item;
  item.name = CString(found.cFileName);
  // The same key a POSIX host holds for this name, so both hosts walk a tree
  // in the same order.
  item.sortKey = utf8::Encode(item.name.str(), true);
  // A junction or a link to a folder carries the directory attribute too.
  item.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return item;
}

}  // namespace

bool ListFolderEntries(const CString& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  const CString pattern = folder + L"\\*.*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(pattern.GetString(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // A drive's empty root has not even the dot entries: readable, but empty.
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  }
  do {
    if (!IsDotsName(found.cFileName)) entries.push_back(MakeEntry(found));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

}  // namespace platform
