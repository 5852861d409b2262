#include "cli/command_line.h"
#include "platform/command_args.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
  platform::UseByteStandardStreams();
  return RastrumMain(platform::CommandLineArguments(argc, argv), stdout, stderr);
}
