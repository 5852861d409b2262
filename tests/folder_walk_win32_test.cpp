// Win32 only: file names pass through the ANSI code page (Windows-1252 here)
// on their way to fopen and into the text output.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;

TEST(FolderWalkWin32, NamesOutsideTheAnsiPageFailToOpenOthersAreWrittenInIt) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  EngineRun run;
  Picture pixel{1, 1};
  run.Put(fs::path(L"bmp") / L"caf\u00e9.bmp", pixel);
  run.Put(fs::path(L"bmp") / L"\u0436\u0443\u043a.bmp", pixel);
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               L"00001: [24 bit,(001*001),Size:0000004]: bmp\\caf\u00e9.bmp",
                               L"00002: bmp\\\u0436\u0443\u043a.bmp bmp Image opening failed",
                           }));
  EXPECT_NE(run.Enum().find("\tPIC_000,// caf\xE9.bmp(001*001)"), std::string::npos);
  EXPECT_NE(run.Array().find("const unsigned char _caf\xE9[]"), std::string::npos);
  EXPECT_EQ(run.Binary().size(), 2u);
}

}  // namespace
