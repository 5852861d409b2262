// Output files that cannot be created, seen from the command line: the
// failure names the file and the reason, the exit status is 3, and nothing
// is reported as converted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "tests/support/command_run.h"
#include "tests/support/engine_run.h"

namespace {

using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::RunRastrum;

class BlockedOutput : public ::testing::TestWithParam<const char*> {};

// A folder of the output file's name stands where the file should go.
TEST_P(BlockedOutput, NamesTheFileAndExitsThree) {
  EngineRun run;
  run.Put("bmp/a.bmp", Picture{2, 2});
  run.MakeFolder(GetParam());
  const auto [code, printed, complaint] = RunRastrum({L"convert", L"--name", L"out", L"bmp"});

  EXPECT_EQ(code, kExitOutputFailed);
  const std::string lead = std::string("cannot create ") + GetParam() + ": ";
  EXPECT_EQ(complaint.rfind("rastrum: error: " + lead, 0), 0u) << complaint;
  EXPECT_GT(complaint.size(), ("rastrum: error: " + lead + "\n").size()) << "the reason follows";
  EXPECT_EQ(printed.rfind(lead, 0), 0u) << printed;
  EXPECT_EQ(printed.find("[24 bit"), std::string::npos) << "no picture is reported converted";
}

INSTANTIATE_TEST_SUITE_P(EachFile, BlockedOutput,
                         ::testing::Values("out.txt", "out.bin", "tmp.txt", "bmp.c"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           name[name.find('.')] = '_';
                           return name;
                         });

}  // namespace
