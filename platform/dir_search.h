// DirSearch: the entries of one folder, one at a time, in the manner of the
// dialog framework's file finder. The order is fixed by SortFolderEntries, not
// by the file system, so picture indexes are the same on every machine.
#pragma once

#include <string>
#include <vector>

#include "platform/cstring.h"

namespace platform {

struct FolderEntry {
  CString name;         // without any folder part
  std::string sortKey;  // the name's bytes: what the order is decided on
  bool isDirectory = false;
};

// Ascending order of the names with ASCII a-z read as A-Z, compared byte by
// byte (for UTF-8 names that is code point order); names equal under that
// mapping come in ascending order of their own bytes. For ASCII names this is
// the order NTFS yields.
void SortFolderEntries(std::vector<FolderEntry>& entries);

// Reads every entry of `folder`, except "." and "..". A link to a folder
// counts as a folder. Returns false when the folder cannot be read.
// Implemented once per host.
bool ListFolderEntries(const CString& folder, std::vector<FolderEntry>& entries);

class DirSearch {
 public:
  // Starts a search of the entries of `folder`; true when it has at least one.
  bool FindFile(const CString& folder);
  // Makes the next entry current; false when that entry is the last one
  // (the entry is still current and valid).
  bool FindNextFile();
  bool IsDots() const;
  bool IsDirectory() const;
  CString GetFileName() const;
  void Close();

 private:
  std::vector<FolderEntry> entries_;
  size_t next_ = 0;
  const FolderEntry* current_ = nullptr;
};

}  // namespace platform
