#include "tests/support/command_run.h"

#include <cstdio>

#include "cli/command_line.h"

namespace testing_support {

std::string ReadAndClose(FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[4096];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, got);
  std::fclose(file);
  return text;
}

CommandOutcome RunRastrum(const std::vector<std::wstring>& args) {
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  std::vector<CString> wide(args.begin(), args.end());
  int code = RastrumMain(wide, out, err);
  return {code, ReadAndClose(out), ReadAndClose(err)};
}

}  // namespace testing_support
