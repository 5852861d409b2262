// A disk that fills up during a run, played by a small file system mounted
// for the test (so only as root). Whether the disk is found full while
// pictures are still being converted or only when the files are closed, the
// run names the file and the reason, the command line exits 3, and the
// previous run's files stay exactly as they were, with nothing left beside them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "tests/support/command_run.h"
#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::ReadFile;
using testing_support::Rgb;
using testing_support::RunRastrum;
using testing_support::WriteFile;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

// A tmpfs of `kib` KiB mounted on `folder` for the object's lifetime.
class SmallDisk {
 public:
  SmallDisk(const fs::path& folder, int kib) : folder_(folder) {
    fs::create_directories(folder);
    const std::string command = "mount -t tmpfs -o size=" + std::to_string(kib) + "k tmpfs '" +
                                folder.string() + "' 2>/dev/null";
    mounted_ = std::system(command.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) std::system(("umount '" + folder_.string() + "'").c_str());
  }
  bool mounted() const { return mounted_; }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

struct FullDisk {
  const char* name;
  int side;         // of each of the three pictures
  int kib;          // the file system's size: the previous files take 16 KiB
  bool stopsEarly;  // the disk is found full before the last picture
};

class DiskFull : public ::testing::TestWithParam<FullDisk> {};

TEST_P(DiskFull, IsReportedAndReplacesNothing) {
  EngineRun run;
  SmallDisk disk(run.root() / "out", GetParam().kib);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  Picture picture{GetParam().side, GetParam().side};
  picture.pixel = [](int x, int y) { return Rgb{uint8_t(x), uint8_t(y), uint8_t(x + y)}; };
  for (const char* name : {"bmp/a.bmp", "bmp/b.bmp", "bmp/c.bmp"}) run.Put(name, picture);
  const std::set<std::string> names = {"out.txt", "out.bin", "tmp.txt", "bmp.c"};
  for (const std::string& name : names) WriteFile(run.root() / "out" / name, "previous " + name);

  const auto [code, out, complaint] =
      RunRastrum({L"convert", L"--name", L"out", L"--out", L"out", L"bmp"});
  const std::vector<std::string> printed = Lines(out);

  EXPECT_EQ(code, kExitOutputFailed);
  ASSERT_FALSE(printed.empty());
  const std::string failure = printed.back();
  EXPECT_EQ(complaint, "rastrum: error: " + failure + "\n");
  const std::string lead = "cannot write out/", reason = ": No space left on device";
  ASSERT_GT(failure.size(), lead.size() + reason.size()) << failure;
  EXPECT_EQ(failure.substr(0, lead.size()), lead);
  EXPECT_EQ(failure.substr(failure.size() - reason.size()), reason);
  EXPECT_EQ(names.count(failure.substr(lead.size(), failure.size() - lead.size() - reason.size())),
            1u)
      << failure;
  const size_t pictureLines = printed.size() - 1;
  if (GetParam().stopsEarly) {
    EXPECT_LT(pictureLines, 3u) << "the walk goes on after the disk is full";
  } else {
    EXPECT_EQ(pictureLines, 3u);
  }
  std::set<std::string> present;
  for (const auto& entry : fs::directory_iterator(run.root() / "out")) {
    present.insert(entry.path().filename().string());
  }
  EXPECT_EQ(present, names) << "no staging file is left";
  for (const std::string& name : names) {
    EXPECT_EQ(ReadFile(run.root() / "out" / name), "previous " + name);
  }
}

INSTANTIATE_TEST_SUITE_P(Times, DiskFull,
                         ::testing::Values(FullDisk{"at_the_end", 2, 24, false},
                                           FullDisk{"during_the_walk", 600, 1024, true}),
                         [](const ::testing::TestParamInfo<FullDisk>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
