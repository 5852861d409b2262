// `rastrum convert --depfile`: the real executable, so names are bytes.
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

class DependencyFile : public ::testing::Test {
 protected:
  void PutPicture(const fs::path& relative) const { WriteTinyPicture(dir.path() / relative); }
  int Run(const std::string& args) const {
    std::string command = "'";
    command += fs::path(RASTRUM_BINARY).string() + "' " + args + " >stdout.txt 2>stderr.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
};

// Every selected file and every folder entered, in walk order, each escaped
// as Make and Ninja read it; unselected files are no prerequisites. The
// target is the binary image file as created, with --out's folder.
TEST_F(DependencyFile, NamesEveryInputEscapedAfterAConversion) {
  if (!fs::exists(RASTRUM_BINARY)) GTEST_SKIP() << "no executable at " << RASTRUM_BINARY;
  PutPicture("top dir/#c.bmp");
  PutPicture("top dir/$d.bmp");
  PutPicture("top dir/a b.bmp");
  PutPicture("top dir/e:f.bmp");
  PutPicture("top dir/s#1/g.bmp");
  WriteFile(dir.path() / "top dir/skip.txt", std::string("not a picture"));
  WriteFile(dir.path() / "top dir/\xFF.bmp", std::string("not a picture either"));
  fs::create_directory(dir.path() / "o:ut");

  // Exit 4: one selected file did not convert, yet it is a prerequisite.
  ASSERT_EQ(Run("convert --name n --out 'o:ut' --depfile 'o:ut/n.d' 'top dir'"), 4)
      << ReadFile("stderr.txt");
  const std::string prerequisites[] = {
      "top\\ dir",           "top\\ dir/\\#c.bmp", "top\\ dir/$$d.bmp",     "top\\ dir/a\\ b.bmp",
      "top\\ dir/e\\:f.bmp", "top\\ dir/s\\#1",    "top\\ dir/s\\#1/g.bmp", "top\\ dir/\xFF.bmp"};
  std::string expected = "o\\:ut/n.bin:";
  for (const std::string& path : prerequisites) expected += " \\\n  " + path;
  expected += "\n";
  for (const std::string& path : prerequisites) expected += "\n" + path + ":\n";
  EXPECT_EQ(ReadFile("o:ut/n.d"), expected);
  for (const auto& entry : fs::directory_iterator("o:ut")) {
    EXPECT_EQ(entry.path().filename().string().find("~rastrum-partial"), std::string::npos);
  }

  // No related files (exit 1) and an output failure (exit 3) leave the
  // dependency file of the last good run as it was.
  fs::create_directory("empty");
  EXPECT_EQ(Run("convert --name n --out 'o:ut' --depfile 'o:ut/n.d' empty"), 1);
  EXPECT_EQ(Run("convert --name n --out missing --depfile 'o:ut/n.d' 'top dir'"), 3);
  EXPECT_EQ(Run("convert --depfile"), 2);
  EXPECT_EQ(ReadFile("o:ut/n.d"), expected);
}

}  // namespace
