#include "engine/output_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/run_state.h"
#include "tests/support/bmp_writer.h"

namespace {

using testing_support::Crlf;
using testing_support::ReadFile;
using testing_support::TempDir;

struct StampCase {
  platform::LocalTime time;
  int bits;
  const char* extension;
  const char* name;
};

class Stamp : public ::testing::TestWithParam<StampCase> {};

TEST_P(Stamp, NamesTheFileByMinuteAndDepth) {
  EXPECT_EQ(StampedName(GetParam().time, GetParam().bits, GetParam().extension), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Times, Stamp,
    ::testing::Values(StampCase{{2024, 3, 5, 9, 7}, 16, ".bin", "20240305_09-07_16bit.bin"},
                      StampCase{{2024, 3, 5, 9, 7}, 16, ".txt", "20240305_09-07_16bit.txt"},
                      StampCase{{2024, 12, 31, 23, 59}, 24, ".txt", "20241231_23-59_24bit.txt"},
                      StampCase{{1999, 1, 1, 0, 0}, 8, ".bin", "19990101_00-00_8bit.bin"},
                      StampCase{{10000, 10, 10, 10, 10}, 8, ".txt", "100001010_10-10_8bit.txt"}));

class OutputFiles : public ::testing::Test {
 protected:
  OutputNames Names() const {
    OutputNames names;
    names.folder = dir.path().string() + "/";
    names.table = "t.txt";
    names.binary = "t.bin";
    return names;
  }
  bool AllClosed() const {
    return !g_fpTable.IsOpen() && !g_fpBin.IsOpen() && !g_fpEnum.IsOpen() && !g_fpArray.IsOpen();
  }

  TempDir dir;
};

TEST_F(OutputFiles, FailedCreateClosesWhatWasOpenedAndNamesTheFile) {
  std::filesystem::create_directory(dir.path() / "tmp.txt");
  std::string failedPath;
  ASSERT_FALSE(OpenOutputFiles(Names(), failedPath));
  EXPECT_EQ(failedPath, Names().folder + "tmp.txt");
  EXPECT_NE(errno, 0) << "the reason is kept for the message";
  EXPECT_TRUE(AllClosed());
  EXPECT_EQ(ReadFile(dir.path() / "t.txt"), "");
  EXPECT_EQ(ReadFile(dir.path() / "t.bin"), "");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "bmp.c"));
}

// The merge copies the scratch text whole, however many lines it has and
// however long they are: a cut text would lose the enum's closing line.
struct MergeCase {
  const char* what;
  int lines;        // "PIC\n" lines
  size_t longLine;  // characters of one more line in the middle; 0: none
};

class EnumMerge : public ::testing::TestWithParam<MergeCase> {};

TEST_P(EnumMerge, CopiesTheWholeScratchText) {
  const MergeCase& c = GetParam();
  TempDir dir;
  OutputNames names;
  names.folder = dir.path().string() + "/";
  names.table = "t.txt";
  names.binary = "t.bin";
  std::string failedPath;
  ASSERT_TRUE(OpenOutputFiles(names, failedPath));

  std::string text;
  for (int i = 0; i < c.lines; ++i) {
    text += "PIC\n";
    if (i == c.lines / 2 && c.longLine > 0) text += std::string(c.longLine, 'x') + "\n";
  }
  text += "}_PICTURE_Index_;\n";
  g_fpTable.Write("head\n");
  g_fpEnum.Write(text);
  MergeEnumText();
  g_fpTable.Write("tail\n");
  int error = 0;
  ASSERT_TRUE(CloseOutputFiles(names, failedPath, error));

  EXPECT_EQ(ReadFile(dir.path() / "tmp.txt"), Crlf(text));
  std::string table = ReadFile(dir.path() / "t.txt");
  EXPECT_EQ(table.size(), Crlf("head\n" + text + "tail\n").size()) << c.what;
  EXPECT_TRUE(table == Crlf("head\n" + text + "tail\n")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, EnumMerge,
    ::testing::Values(MergeCase{"a few lines", 2, 0}, MergeCase{"10001 lines", 10000, 0},
                      MergeCase{"30000 lines", 30000, 0},
                      MergeCase{"a line of 100000 characters", 10000, 100000}));

}  // namespace
