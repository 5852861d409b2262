// The C names of a header's pictures and the check of the header's NAME.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "platform/cstring.h"

// Why NAME cannot name a header's identifiers, or empty when it can: it must
// be a C identifier that is no keyword of C or C++, and neither it nor the
// names made from it may be reserved (no "_" at either end, no "__").
std::string HeaderNameProblem(std::string_view name);

// The upper-case prefix of every macro and picture id of header NAME.
std::string MacroPrefix(std::string_view name);

// The macros a header defines besides its picture ids, after the prefix.
inline constexpr const char* kHeaderMacros[] = {
    "H",           "FORMAT",       "BYTES_PER_PIXEL", "ALIGNMENT", "PICTURE_COUNT",
    "BINARY_SIZE", "BINARY_CRC32", "DATA_ALIGNED"};

// Gives each picture a unique enum name from its path below the converted
// folder: the prefix, then the path upper-cased with every run of other
// characters than A-Z and 0-9 made one "_", none at either end; a name taken
// before gets "_2", "_3", ... .
class PictureIds {
 public:
  explicit PictureIds(std::string prefix);
  std::string Add(const CString& relativePath);

 private:
  std::string prefix_;
  std::set<std::string> taken_;
};
