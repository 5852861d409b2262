#include "engine/extension_list.h"

namespace {

void StripTrailingBlanks(CString& text) {
  int length = text.GetLength();
  while (length > 0 && text.GetAt(length - 1) == L' ') --length;
  if (length < text.GetLength()) text = text.Left(length);
}

}  // namespace

void ParseExtensionList(const CString& text, std::array<CString, kMaxExtensions>& words,
                        uint8_t& count) {
  CString rest = text;
  StripTrailingBlanks(rest);
  for (int blank = rest.ReverseFind(L' '); blank != -1; blank = rest.ReverseFind(L' ')) {
    if (count >= kMaxExtensions) return;
    words[count++] = rest.Right(rest.GetLength() - blank - 1);
    rest = rest.Left(blank);
    StripTrailingBlanks(rest);
  }
  if (!rest.IsEmpty() && count < kMaxExtensions) words[count++] = rest;
}
