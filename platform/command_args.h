// The process's command-line arguments as wide text.
#pragma once

#include <vector>

#include "platform/cstring.h"

namespace platform {

// argv[1..] as the user typed them. POSIX hosts decode argv as UTF-8 (invalid
// bytes kept, so a file name typed as it is still opens); Win32 reads the
// wide command line, since argv there is already narrowed to the ANSI page.
std::vector<CString> CommandLineArguments(int argc, char** argv);

}  // namespace platform
