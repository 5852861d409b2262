// Whole runs that need POSIX facilities: a device that is always full, and
// the host's C compiler and shell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::Rgb;

Picture Gradient(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 40),
               static_cast<uint8_t>(x + y)};
  };
  return p;
}

class GeneratedText : public ::testing::TestWithParam<int> {};

// The table file and bmp.c are C that a compiler accepts as they stand.
TEST_P(GeneratedText, CompilesAsC) {
  const fs::path cc = RASTRUM_C_COMPILER;
  if (!fs::exists(cc)) GTEST_SKIP() << "no C compiler at " << cc;
  EngineRun run;
  run.engine.m_nDepth = static_cast<uint8_t>(GetParam());
  run.Put("bmp/logo.bmp", Gradient(2, 1));
  run.Put("bmp/sub/wide.bmp", Gradient(33, 2));
  run.Put("bmp/sub/deeper/tall.bmp", Gradient(1, 40));
  ASSERT_EQ(run.Run(), 1);
  ASSERT_EQ(run.log.lines.size(), 3u);
  for (const char* source : {"bmp.c", "out.txt"}) {
    std::string command = "cd '" + run.root().string() + "' && '" + cc.string() +
                          "' -std=c99 -pedantic-errors -Wall -Werror -x c -c " + source +
                          " -o /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, GeneratedText, ::testing::Values(8, 16, 24));

}  // namespace
