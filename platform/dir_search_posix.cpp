#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/dir_search.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

// The search pattern is folder + "/*.*"; the folder is what stands before "*.*".
std::string FolderOfPattern(const CString& pattern) {
  std::string bytes = WideToAnsi(pattern);
  const std::string wildcard = "*.*";
  if (bytes.size() >= wildcard.size() &&
      bytes.compare(bytes.size() - wildcard.size(), wildcard.size(), wildcard) == 0) {
    bytes.resize(bytes.size() - wildcard.size());
  }
  return bytes.empty() ? "." : bytes;
}

}  // namespace

bool ListFolderEntries(const CString& pattern, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::string folder = FolderOfPattern(pattern);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  if (folder.back() != '/') folder += '/';
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
      item.isDirectory = stat((folder + item.sortKey).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back(std::move(item));
  }
  closedir(dir);
  return true;
}

}  // namespace platform
