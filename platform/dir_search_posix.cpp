#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/dir_search.h"
#include "platform/text_encoding.h"

namespace platform {

bool ListFolderEntries(const CString& folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  // Always with a separator added, as the Win32 half adds one before its
  // wildcard: the empty folder is the root on both hosts.
  const std::string prefix = WideToAnsi(folder) + '/';
  DIR* dir = opendir(prefix.c_str());
  if (!dir) return false;
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    FolderEntry item;
    item.sortKey = entry->d_name;
    item.name = AnsiToWide(item.sortKey);
    if (entry->d_type == DT_DIR || entry->d_type == DT_REG) {
      item.isDirectory = entry->d_type == DT_DIR;
    } else {
      // stat, not lstat: a link to a folder is walked as a folder.
      struct stat info;
      item.isDirectory = stat((prefix + item.sortKey).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back(std::move(item));
  }
  closedir(dir);
  return true;
}

}  // namespace platform
