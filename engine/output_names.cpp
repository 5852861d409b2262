#include "engine/output_names.h"

#include <cstdio>

std::string StampedName(const platform::LocalTime& t, int bits, const char* extension) {
  char name[96];
  std::snprintf(name, sizeof name, "%.2d%.2d%.2d_%.2d-%.2d_%dbit%s", t.year, t.month, t.day, t.hour,
                t.minute, bits, extension);
  return name;
}

std::string PictureIdentifier(const std::string& ansiName) {
  return ansiName.substr(0, ansiName.find('.'));
}
