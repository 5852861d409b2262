// Test support: `rastrum` run in process, with what it prints captured.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace testing_support {

struct CommandOutcome {
  int exitCode;
  std::string out, err;  // stdout and stderr, as printed
};

// Runs the command line's entry with `args` (the words after the program
// name) in the current directory.
CommandOutcome RunRastrum(const std::vector<std::wstring>& args);

// Everything written to `file` (a std::tmpfile), which is then closed.
std::string ReadAndClose(FILE* file);

}  // namespace testing_support
