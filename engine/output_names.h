// The names of a run's four output files and the folder they go into.
#pragma once

#include <string>

#include "platform/local_clock.h"

// "YYYYMMDD_hh-mm_<bits>bit" + extension, e.g. 20240305_09-07_16bit.bin.
std::string StampedName(const platform::LocalTime& time, int bits, const char* extension);

inline constexpr const char* kEnumFileName = "tmp.txt";
inline constexpr const char* kArrayFileName = "bmp.c";

// Texts carry the bare names; the files are created at folder + name (folder
// empty: the current directory).
struct OutputNames {
  std::string folder;  // ANSI, ends with the separator when not empty
  std::string table;
  std::string binary;
  std::string PathOf(const std::string& name) const { return folder + name; }
};

// The bytes of a picture's file name before its first '.': its array name
// in bmp.c after a leading '_'.
std::string PictureIdentifier(const std::string& ansiName);
