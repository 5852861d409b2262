#include "cli/command_line.h"
#include "platform/command_args.h"

int main(int argc, char** argv) {
  return RastrumMain(platform::CommandLineArguments(argc, argv), stdout, stderr);
}
