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
  EXPECT_EQ(errno, EISDIR);
  EXPECT_TRUE(AllClosed());
  EXPECT_EQ(ReadFile(dir.path() / "t.txt"), "");
  EXPECT_EQ(ReadFile(dir.path() / "t.bin"), "");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "bmp.c"));
}

// The merge copies the scratch text the way a line reader with a 4095-byte
// buffer would, at most 9999 reads: a line of 4094 characters or more (the
// stored CR LF counting as one) takes more than one read.
struct MergeCase {
  const char* what;
  int shortLines;                         // "PIC\n" lines before the long one
  size_t longLine;                        // characters of one more line before its "\n"; 0: none
  int shortAfter;                         // "END\n" lines after it
  int copiedAfter;                        // how many of those reach the table file
  size_t longCopied = std::string::npos;  // characters of the long line copied; npos: all and "\n"
};

class EnumMerge : public ::testing::TestWithParam<MergeCase> {};

TEST_P(EnumMerge, CopiesAtMost9999Reads) {
  const MergeCase& c = GetParam();
  TempDir dir;
  OutputNames names;
  names.folder = dir.path().string() + "/";
  names.table = "t.txt";
  names.binary = "t.bin";
  std::string failedPath;
  ASSERT_TRUE(OpenOutputFiles(names, failedPath));

  std::string before, longText(c.longLine, 'x'), copied;
  for (int i = 0; i < c.shortLines; ++i) before += "PIC\n";
  std::string text = before;
  copied = before;
  if (c.longLine > 0) {
    text += longText + "\n";
    copied +=
        c.longCopied == std::string::npos ? longText + "\n" : longText.substr(0, c.longCopied);
  }
  for (int i = 0; i < c.shortAfter; ++i) {
    text += "END\n";
    if (i < c.copiedAfter) copied += "END\n";
  }
  g_fpTable.Write("head\n");
  g_fpEnum.Write(text);
  MergeEnumText();
  int error = 0;
  ASSERT_TRUE(CloseOutputFiles(names, failedPath, error));

  EXPECT_EQ(ReadFile(dir.path() / "tmp.txt"), Crlf(text)) << "the scratch file keeps all";
  std::string table = ReadFile(dir.path() / "t.txt");
  EXPECT_EQ(table.size(), Crlf("head\n" + copied).size()) << c.what;
  EXPECT_TRUE(table == Crlf("head\n" + copied)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, EnumMerge,
    ::testing::Values(MergeCase{"a few lines", 2, 0, 2, 2}, MergeCase{"9999 lines", 9997, 0, 2, 2},
                      MergeCase{"10000 lines", 9997, 0, 3, 2},
                      MergeCase{"10001 lines", 9997, 0, 4, 2},
                      MergeCase{"9999 lines, one of 4093 characters", 9997, 4093, 1, 1},
                      MergeCase{"9999 lines, one of 4094 characters", 9997, 4094, 1, 0},
                      MergeCase{"9998 lines, one of 4094 characters", 9996, 4094, 1, 1},
                      MergeCase{"9998 lines, one of 8188 characters", 9996, 8188, 1, 0},
                      MergeCase{"9998 lines, one of 8187 characters", 9996, 8187, 1, 1},
                      MergeCase{"cut inside a long line", 9998, 5000, 1, 0, 4094}));

}  // namespace
