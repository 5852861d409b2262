#include "engine/picture_ids.h"

#include <algorithm>
#include <iterator>

namespace {

// The keywords of C17 and C++20, which no identifier may be.
constexpr std::string_view kKeywords[] = {"_Alignas",
                                          "_Alignof",
                                          "_Atomic",
                                          "_Bool",
                                          "_Complex",
                                          "_Generic",
                                          "_Imaginary",
                                          "_Noreturn",
                                          "_Static_assert",
                                          "_Thread_local",
                                          "alignas",
                                          "alignof",
                                          "and",
                                          "and_eq",
                                          "asm",
                                          "auto",
                                          "bitand",
                                          "bitor",
                                          "bool",
                                          "break",
                                          "case",
                                          "catch",
                                          "char",
                                          "char16_t",
                                          "char32_t",
                                          "char8_t",
                                          "class",
                                          "co_await",
                                          "co_return",
                                          "co_yield",
                                          "compl",
                                          "concept",
                                          "const",
                                          "const_cast",
                                          "consteval",
                                          "constexpr",
                                          "constinit",
                                          "continue",
                                          "decltype",
                                          "default",
                                          "delete",
                                          "do",
                                          "double",
                                          "dynamic_cast",
                                          "else",
                                          "enum",
                                          "explicit",
                                          "export",
                                          "extern",
                                          "false",
                                          "float",
                                          "for",
                                          "friend",
                                          "goto",
                                          "if",
                                          "inline",
                                          "int",
                                          "long",
                                          "mutable",
                                          "namespace",
                                          "new",
                                          "noexcept",
                                          "not",
                                          "not_eq",
                                          "nullptr",
                                          "operator",
                                          "or",
                                          "or_eq",
                                          "private",
                                          "protected",
                                          "public",
                                          "register",
                                          "reinterpret_cast",
                                          "requires",
                                          "restrict",
                                          "return",
                                          "short",
                                          "signed",
                                          "sizeof",
                                          "static",
                                          "static_assert",
                                          "static_cast",
                                          "struct",
                                          "switch",
                                          "template",
                                          "this",
                                          "thread_local",
                                          "throw",
                                          "true",
                                          "try",
                                          "typedef",
                                          "typeid",
                                          "typename",
                                          "union",
                                          "unsigned",
                                          "using",
                                          "virtual",
                                          "void",
                                          "volatile",
                                          "wchar_t",
                                          "while",
                                          "xor",
                                          "xor_eq"};

bool IsAlnum(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}

}  // namespace

std::string HeaderNameProblem(std::string_view name) {
  const bool identifier =
      !name.empty() && !(name[0] >= '0' && name[0] <= '9') &&
      std::all_of(name.begin(), name.end(), [](char c) { return IsAlnum(c) || c == '_'; });
  if (!identifier) return "is not a C identifier";
  if (std::find(std::begin(kKeywords), std::end(kKeywords), name) != std::end(kKeywords)) {
    return "is a keyword of C or C++";
  }
  if (name.front() == '_' || name.back() == '_' || name.find("__") != std::string_view::npos) {
    return "would make reserved identifiers (a '_' at either end, or \"__\")";
  }
  return {};
}

std::string MacroPrefix(std::string_view name) {
  std::string prefix(name);
  for (char& c : prefix) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return prefix + "_";
}

PictureIds::PictureIds(std::string prefix) : prefix_(std::move(prefix)) {
  for (const char* macro : kHeaderMacros) taken_.insert(prefix_ + macro);
}

std::string PictureIds::Add(const CString& relativePath) {
  std::string base;
  bool gap = false;
  for (wchar_t c : relativePath.str()) {
    if (!IsAlnum(c)) {
      gap = !base.empty();
      continue;
    }
    if (gap) base += '_';
    gap = false;
    base += static_cast<char>(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c);
  }
  if (base.empty()) base = "PICTURE";
  std::string name = prefix_ + base;
  for (int n = 2; !taken_.insert(name).second; ++n) name = prefix_ + base + "_" + std::to_string(n);
  return name;
}
