#include "platform/command_args.h"
#include "platform/text_encoding.h"

namespace platform {

std::vector<CString> CommandLineArguments(int argc, char** argv) {
  std::vector<CString> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8ToWide(argv[i]));
  return args;
}

}  // namespace platform
