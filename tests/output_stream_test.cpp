#include "platform/output_stream.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using platform::OutputStream;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class OutputStreamFile : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (dir.path() / name).string(); }
  TempDir dir;
};

TEST_F(OutputStreamFile, TextModeStoresEveryLineFeedAsCrLf) {
  OutputStream out;
  ASSERT_TRUE(out.Open(Path("t.txt"), OutputStream::Mode::kText));
  out.Write("a\nb\r\n\n");
  out.Print("%s=%d\n", "x", 7);
  out.Write(std::string_view("z\n\0y", 4));
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadFile(Path("t.txt")), std::string("a\r\nb\r\r\n\r\nx=7\r\nz\r\n\0y", 19));
}

TEST_F(OutputStreamFile, BinaryModeStoresBytesAsGiven) {
  OutputStream out;
  ASSERT_TRUE(out.Open(Path("b.bin"), OutputStream::Mode::kBinary));
  const char bytes[] = {'\n', '\r', '\0', '\xFF', '\n'};
  out.Write(bytes, sizeof bytes);
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadFile(Path("b.bin")), std::string(bytes, sizeof bytes));
}

TEST_F(OutputStreamFile, LongWritesAndLongFormattedTextArriveWhole) {
  // Larger than the stream's buffer, so both the direct write and the
  // flush-then-buffer paths are taken; the print is longer than its
  // stack buffer.
  std::string big;
  for (int i = 0; big.size() < (3u << 20); ++i) big += std::to_string(i) + (i % 7 ? "," : "\n");
  const std::string longField(3000, 'q');
  OutputStream out;
  ASSERT_TRUE(out.Open(Path("t.txt"), OutputStream::Mode::kText));
  out.Write("start\n");
  out.Write(big);
  out.Print("[%s]\n", longField.c_str());
  out.Write(big.substr(0, 1000));
  ASSERT_TRUE(out.Close());
  EXPECT_TRUE(ReadFile(Path("t.txt")) == testing_support::Crlf("start\n" + big + "[" + longField +
                                                               "]\n" + big.substr(0, 1000)));
}

TEST_F(OutputStreamFile, OpenEmptiesAnExistingFile) {
  WriteFile(dir.path() / "t.txt", std::string("old contents"));
  OutputStream out;
  ASSERT_TRUE(out.Open(Path("t.txt"), OutputStream::Mode::kText));
  out.Write("new");
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadFile(Path("t.txt")), "new");
}

TEST_F(OutputStreamFile, AppendCopiesWhatIsStoredWithoutTranslatingAgain) {
  OutputStream source, target;
  ASSERT_TRUE(source.Open(Path("s.txt"), OutputStream::Mode::kText));
  ASSERT_TRUE(target.Open(Path("t.txt"), OutputStream::Mode::kText));
  source.Write("one\ntwo\n");
  target.Write("head\n");
  target.AppendContentsOf(source);
  source.Write("three\n");
  target.Write("tail\n");
  ASSERT_TRUE(source.Close());
  ASSERT_TRUE(target.Close());
  EXPECT_EQ(ReadFile(Path("t.txt")), "head\r\none\r\ntwo\r\ntail\r\n");
  EXPECT_EQ(ReadFile(Path("s.txt")), "one\r\ntwo\r\nthree\r\n")
      << "appending reads from the start and leaves the source at its end";
}

TEST_F(OutputStreamFile, AppendCopiesEverythingStoredWhateverItsShape) {
  // Long lines, a lone CR and an unfinished last line are all copied as stored.
  const std::string text = std::string(70000, 'x') + "\n" + "a\rb\n" + "last";
  OutputStream source, target;
  ASSERT_TRUE(source.Open(Path("s"), OutputStream::Mode::kText));
  ASSERT_TRUE(target.Open(Path("t"), OutputStream::Mode::kBinary));
  source.Write(text);
  target.AppendContentsOf(source);
  ASSERT_TRUE(source.Close());
  ASSERT_TRUE(target.Close());
  EXPECT_EQ(ReadFile(Path("t")), std::string(70000, 'x') + "\r\na\rb\r\nlast");
}

TEST_F(OutputStreamFile, OpenFailureKeepsTheReason) {
  OutputStream out;
  EXPECT_FALSE(out.Open(Path("missing/t.txt"), OutputStream::Mode::kText));
  EXPECT_FALSE(out.IsOpen());
  EXPECT_TRUE(out.failed());
  EXPECT_EQ(out.error(), ENOENT);
  out.Write("ignored");
  EXPECT_FALSE(out.Close());

  ASSERT_TRUE(out.Open(Path("t.txt"), OutputStream::Mode::kText)) << "a new open starts clean";
  EXPECT_FALSE(out.failed());
  EXPECT_TRUE(out.Close());
}

}  // namespace
