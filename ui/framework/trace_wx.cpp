#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/framework/wx_trace.h"

void TraceDialog(const wxString& line) {
  static const char* path = std::getenv("RASTRUM_DIALOG_TRACE");
  if (!path || !*path) return;
  if (FILE* file = std::fopen(path, "a")) {
    std::string text = (line + "\n").utf8_string();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}
