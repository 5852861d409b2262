// Any text as the extension list. The bytes are read as UTF-8 (invalid bytes
// kept), so blanks, tabs, full-width spaces and stray bytes all turn up.
//
// The words must be the text's blank-separated runs, at most 20, the
// rightmost first; entries past the count must be left untouched.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/extension_list.h"
#include "platform/text_encoding.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// The runs of non-blank characters, left to right.
std::vector<std::wstring> Runs(const std::wstring& text) {
  std::vector<std::wstring> runs;
  size_t at = 0;
  while (at < text.size()) {
    size_t start = text.find_first_not_of(L' ', at);
    if (start == std::wstring::npos) break;
    size_t end = text.find(L' ', start);
    if (end == std::wstring::npos) end = text.size();
    runs.push_back(text.substr(start, end - start));
    at = end;
  }
  return runs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CString text =
      platform::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
  const CString untouched = L"\x1 untouched";
  std::array<CString, kMaxExtensions> words;
  words.fill(untouched);
  uint8_t count = 0;
  ParseExtensionList(text, words, count);

  Require(count <= kMaxExtensions, "at most 20 words");
  const std::vector<std::wstring> runs = Runs(text.str());
  const size_t expected = runs.size() < kMaxExtensions ? runs.size() : kMaxExtensions;
  Require(count == expected, "one word per run, up to 20");
  for (size_t i = 0; i < count; ++i) {
    const std::wstring& word = words[i].str();
    Require(!word.empty(), "no empty word");
    Require(word.find(L' ') == std::wstring::npos, "no blank inside a word");
    Require(text.str().find(word) != std::wstring::npos, "every word is part of the text");
    Require(word == runs[runs.size() - 1 - i], "words are the rightmost runs, right to left");
  }
  for (size_t i = count; i < words.size(); ++i) {
    Require(words[i] == untouched, "entries past the count are left as they were");
  }
  return 0;
}
