// CString: the wide string every path, extension and message line is held in.
// Value semantics over std::wstring, with the handful of operations the
// engine and the dialog use, named as the dialog framework names them.
#pragma once

#include <string>
#include <string_view>

class CString {
 public:
  CString() = default;
  CString(const wchar_t* text) : text_(text ? text : L"") {}
  CString(std::wstring text) : text_(std::move(text)) {}
  CString(std::wstring_view text) : text_(text) {}

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  wchar_t GetAt(int index) const { return text_[static_cast<size_t>(index)]; }

  // Index of the last occurrence of `ch`, or -1.
  int ReverseFind(wchar_t ch) const;
  // Index of the first occurrence of `ch`, or -1.
  int Find(wchar_t ch) const;
  // The first `count` characters (all of them when `count` is larger).
  CString Left(int count) const;
  // The last `count` characters (all of them when `count` is larger).
  CString Right(int count) const;
  // printf-style formatting with a wide format text; replaces the contents.
  void Format(const wchar_t* format, ...);

  const wchar_t* GetString() const { return text_.c_str(); }
  const std::wstring& str() const { return text_; }

  CString& operator+=(const CString& other) {
    text_ += other.text_;
    return *this;
  }
  friend CString operator+(CString a, const CString& b) { return a += b; }
  friend CString operator+(CString a, const wchar_t* b) { return a += CString(b); }
  friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) += b; }
  friend bool operator==(const CString& a, const CString& b) = default;

 private:
  std::wstring text_;
};
