#include <windows.h>
// shellapi.h needs the types windows.h declares.
#include <shellapi.h>

#include "platform/command_args.h"

namespace platform {

std::vector<CString> CommandLineArguments(int, char**) {
  std::vector<CString> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(CString(wide[i]));
  LocalFree(wide);
  return args;
}

}  // namespace platform
