// The real executable, run through the shell: arguments are bytes on POSIX.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;
using testing_support::WriteTinyPicture;

const std::string kUsage =
    "usage: rastrum convert [--depth 24|16|8 | --format NAME] [--dither MODE] [--align N]\n"
    "                       [--header NAME [--embed]] [--manifest FILE] [--ext TEXT]\n"
    "                       [--name STEM] [--out DIR] [--input strict|any]\n"
    "                       [--background RRGGBB] [--depfile FILE] [FOLDER]\n";

class CommandRunPosix : public ::testing::Test {
 protected:
  void PutPicture(const fs::path& relative) const { WriteTinyPicture(dir.path() / relative); }
  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
};

// The real executable: arguments arrive as bytes and reach the file system
// unchanged; messages are printed as UTF-8.
TEST_F(CommandRunPosix, ExecutableTakesArgumentBytesAsTheyAre) {
  const fs::path binary = RASTRUM_BINARY;
  if (!fs::exists(binary)) GTEST_SKIP() << "no executable at " << binary;
  PutPicture("\xFF/a.bmp");
  auto run = [&](const std::string& args) {
    std::string command = "'";
    command += binary.string();
    command += "' " + args + " >stdout.txt 2>stderr.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("convert --depth 24 --name n '\xFF'"), 0);
  EXPECT_EQ(ReadFile("stdout.txt"), "00001: [24 bit,(001*001),Size:0000004]: \xEF\xBF\xBD/a.bmp\n");
  EXPECT_EQ(ReadFile("stderr.txt"), "");
  EXPECT_EQ(ReadFile("n.bin").size(), 3u);

  EXPECT_EQ(run("convert --depth 9"), 2);
  EXPECT_EQ(ReadFile("stderr.txt"),
            "rastrum: error: --depth must be 24, 16 or 8, not '9'\n" + kUsage);
}

}  // namespace
