// A disk that fills up during a run, played by /dev/full behind a link of an
// output file's name. Whether the write fails while pictures are still being
// converted or only when the files are closed, the run names the file and
// the reason, the command line exits 3, and no run ends as if all went well.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "tests/support/command_run.h"
#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::Rgb;
using testing_support::RunRastrum;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

struct FullDisk {
  const char* file;  // the output file on the full disk
  int side;          // of each of the three pictures
  bool stopsEarly;   // the disk is found full before the last picture
};

class DiskFull : public ::testing::TestWithParam<FullDisk> {};

TEST_P(DiskFull, IsReportedWithTheFileAndTheReason) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this host";
  EngineRun run;
  Picture picture{GetParam().side, GetParam().side};
  picture.pixel = [](int x, int y) { return Rgb{uint8_t(x), uint8_t(y), uint8_t(x + y)}; };
  for (const char* name : {"bmp/a.bmp", "bmp/b.bmp", "bmp/c.bmp"}) run.Put(name, picture);
  fs::create_symlink("/dev/full", run.root() / GetParam().file);

  const auto [code, out, complaint] = RunRastrum({L"convert", L"--name", L"out", L"bmp"});
  const std::vector<std::string> printed = Lines(out);

  const std::string failure =
      std::string("cannot write ") + GetParam().file + ": No space left on device";
  EXPECT_EQ(code, kExitOutputFailed);
  EXPECT_EQ(complaint, "rastrum: error: " + failure + "\n");
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.back(), failure);
  const size_t pictureLines = printed.size() - 1;
  if (GetParam().stopsEarly) {
    EXPECT_LT(pictureLines, 3u) << "the walk goes on after the disk is full";
  } else {
    EXPECT_EQ(pictureLines, 3u);
  }
  // Nothing is copied from a file that could not be written.
  for (const char* name : {"out.txt", "out.bin", "tmp.txt", "bmp.c"}) {
    if (fs::is_regular_file(run.root() / name)) {
      EXPECT_LT(fs::file_size(run.root() / name), 8u << 20) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, DiskFull,
    ::testing::Values(FullDisk{"out.txt", 2, false}, FullDisk{"out.bin", 2, false},
                      FullDisk{"tmp.txt", 2, false}, FullDisk{"bmp.c", 2, false},
                      FullDisk{"out.bin", 600, true}, FullDisk{"bmp.c", 600, true}),
    [](const ::testing::TestParamInfo<FullDisk>& info) {
      std::string name = info.param.file;
      name[name.find('.')] = '_';
      return name + (info.param.stopsEarly ? "_during_the_walk" : "_at_the_end");
    });

}  // namespace
