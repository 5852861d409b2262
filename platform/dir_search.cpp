#include "platform/dir_search.h"

#include <algorithm>

namespace platform {
namespace {

unsigned char FoldAsciiLower(unsigned char c) {
  return c >= 'a' && c <= 'z' ? c - 32 : c;
}

bool FoldedLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldAsciiLower(static_cast<unsigned char>(x)) <
           FoldAsciiLower(static_cast<unsigned char>(y));
  });
}

bool FoldedEqual(const std::string& a, const std::string& b) {
  return !FoldedLess(a, b) && !FoldedLess(b, a);
}

bool BytesLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

void SortFolderEntries(std::vector<FolderEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    if (!FoldedEqual(a.sortKey, b.sortKey)) return FoldedLess(a.sortKey, b.sortKey);
    return BytesLess(a.sortKey, b.sortKey);
  });
}

bool DirSearch::FindFile(const CString& folder) {
  Close();
  if (!ListFolderEntries(folder, entries_)) entries_.clear();
  SortFolderEntries(entries_);
  return !entries_.empty();
}

bool DirSearch::FindNextFile() {
  if (next_ >= entries_.size()) return false;
  current_ = &entries_[next_++];
  return next_ < entries_.size();
}

bool DirSearch::IsDots() const {
  return current_ && (current_->name == CString(L".") || current_->name == CString(L".."));
}

bool DirSearch::IsDirectory() const {
  return current_ && current_->isDirectory;
}

CString DirSearch::GetFileName() const {
  return current_ ? current_->name : CString();
}

void DirSearch::Close() {
  entries_.clear();
  next_ = 0;
  current_ = nullptr;
}

}  // namespace platform
