// Write failures, forced with the device that is always full.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/output_stream.h"

namespace {

namespace fs = std::filesystem;
using platform::OutputStream;

TEST(OutputStream, WriteFailureIsStickyAndReportedByClose) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this host";
  OutputStream out;
  ASSERT_TRUE(out.Open("/dev/full", OutputStream::Mode::kBinary));
  out.Write(std::string(4u << 20, 'x'));  // past the buffer: written at once
  EXPECT_TRUE(out.failed());
  EXPECT_EQ(out.error(), ENOSPC);
  out.Write("more");
  EXPECT_FALSE(out.Close());
  EXPECT_EQ(out.error(), ENOSPC);
}

TEST(OutputStream, BufferedWriteFailureShowsAtClose) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this host";
  OutputStream out;
  ASSERT_TRUE(out.Open("/dev/full", OutputStream::Mode::kText));
  out.Write("short\n");
  EXPECT_FALSE(out.Close());
  EXPECT_EQ(out.error(), ENOSPC);
}

}  // namespace
