#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>

#include "engine/output_names.h"
#include "engine/output_sink.h"
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

// A file is written under its staging name and reaches its real name only
// when committed; the staging name has no '.', so no extension selects it.
TEST(OutputFile, ReplacesTheRealFileOnlyWhenCommitted) {
  TempDir dir;
  const std::string folder = dir.path().string() + "/";
  testing_support::WriteFile(dir.path() / "t.txt", std::string("before"));
  for (bool commit : {false, true}) {
    OutputFile file(folder, "t.txt", platform::OutputStream::Mode::kText);
    ASSERT_TRUE(file.Create());
    EXPECT_EQ(file.stagingPath().find('.', folder.size()), std::string::npos) << file.stagingPath();
    file.stream().Write("after\n");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFile(dir.path() / "t.txt"), "before");
    if (commit) {
      ASSERT_TRUE(file.Commit());
    }
    file.Discard();
    EXPECT_EQ(ReadFile(dir.path() / "t.txt"), commit ? "after\r\n" : "before");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no staging file is left";
  }
}

TEST(OutputFile, AFolderUnderTheRealNameFailsTheCreate) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "tmp.txt");
  OutputFile file(dir.path().string() + "/", "tmp.txt", platform::OutputStream::Mode::kText);
  EXPECT_FALSE(file.Create());
  EXPECT_EQ(file.error(), EISDIR);
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
  const std::string folder = dir.path().string() + "/";
  OutputFile table(folder, "t.txt", platform::OutputStream::Mode::kText);
  OutputFile scratch(folder, "tmp.txt", platform::OutputStream::Mode::kText);
  ASSERT_TRUE(table.Create());
  ASSERT_TRUE(scratch.Create());
  TableSink sink(table, scratch);

  std::string text;
  for (int i = 0; i < c.lines; ++i) {
    text += "PIC\n";
    if (i == c.lines / 2 && c.longLine > 0) text += std::string(c.longLine, 'x') + "\n";
  }
  table.stream().Write("head\n");
  scratch.stream().Write(text);
  sink.EndRun();
  table.stream().Write("tail\n");
  ASSERT_TRUE(scratch.Close() && scratch.Commit());
  ASSERT_TRUE(table.Close() && table.Commit());

  text += "}_PICTURE_Index_;\n\n";
  EXPECT_EQ(ReadFile(dir.path() / "tmp.txt"), Crlf(text));
  const std::string expected = Crlf("head\n};\n\n" + text + "tail\n");
  std::string merged = ReadFile(dir.path() / "t.txt");
  EXPECT_EQ(merged.size(), expected.size()) << c.what;
  EXPECT_TRUE(merged == expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, EnumMerge,
    ::testing::Values(MergeCase{"a few lines", 2, 0}, MergeCase{"10001 lines", 10000, 0},
                      MergeCase{"30000 lines", 30000, 0},
                      MergeCase{"a line of 100000 characters", 10000, 100000}));

}  // namespace
