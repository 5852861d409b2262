// Win32 only: rastrum.exe itself, for what only a real process shows: the
// arguments come from the wide command line, and stdout and stderr carry
// UTF-8 with bare "\n" line ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EncodeBitmap;
using testing_support::Picture;
using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;

class RastrumExe : public ::testing::Test {
 protected:
  void SetUp() override {
    binary = fs::path(RASTRUM_BINARY).make_preferred();
    if (!fs::exists(binary)) GTEST_SKIP() << "no executable at " << binary;
  }

  // Runs rastrum.exe with `args` through cmd.exe, output into two files.
  int Run(const std::wstring& args) {
    // cmd.exe drops the outermost quotes, so the whole line gets a pair.
    std::wstring command =
        L"\"\"" + binary.wstring() + L"\" " + args + L" >stdout.txt 2>stderr.txt\"";
    return _wsystem(command.c_str());
  }

  fs::path binary;
  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
};

TEST_F(RastrumExe, WideArgumentsAndUtf8LinesWithoutCarriageReturns) {
  WriteFile(fs::path(L"caf\u00e9") / L"a.bmp", EncodeBitmap(Picture{1, 1}));
  WriteFile(fs::path(L"\u0436\u0443\u043a") / L"a.bmp", EncodeBitmap(Picture{1, 1}));

  EXPECT_EQ(Run(L"convert --depth 24 --name n caf\u00e9"), 0);
  EXPECT_EQ(ReadFile("stdout.txt"), "00001: [24 bit,(001*001),Size:0000004]: caf\xC3\xA9\\a.bmp\n");
  EXPECT_EQ(ReadFile("stderr.txt"), "");
  EXPECT_EQ(ReadFile("n.bin").size(), 3u);

  // The folder is found by its wide name; the file inside is opened by its
  // ANSI name, in which the folder's letters have become '?'.
  EXPECT_EQ(Run(L"convert --name n \u0436\u0443\u043a"), 4);
  EXPECT_EQ(ReadFile("stdout.txt"),
            "00001: \xD0\xB6\xD1\x83\xD0\xBA\\a.bmp bmp Image opening failed\n");
}

TEST_F(RastrumExe, UsageErrorsEndLinesWithLineFeedsOnly) {
  EXPECT_EQ(Run(L"convert --depth 9"), 2);
  std::string err = ReadFile("stderr.txt");
  EXPECT_EQ(err.rfind("rastrum: error: --depth must be 24, 16 or 8, not '9'\nusage: ", 0), 0u)
      << err;
  EXPECT_EQ(err.find('\r'), std::string::npos) << err;
}

}  // namespace
