// Win32 only: what OpenPictureFile must refuse there, binary reads and
// 64-bit seeks.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

class FileAccessWin32 : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const {
    return platform::WideToAnsi(CString(dir.path().wstring())) + "\\" + name;
  }
  TempDir dir;
};

TEST_F(FileAccessWin32, JoinsWithABackslash) {
  EXPECT_STREQ(platform::PathSeparator(), L"\\");
}

TEST_F(FileAccessWin32, ReadsBytesAsStored) {
  // Text mode would turn CR LF into LF and stop at the first Ctrl-Z.
  const std::string bytes(
      "a\r\nb\x1A"
      "c\r\n",
      7);
  WriteFile(dir.path() / "p.bmp", bytes);
  FILE* file = platform::OpenPictureFile(Path("p.bmp"));
  ASSERT_NE(file, nullptr);
  char got[16];
  size_t count = std::fread(got, 1, sizeof got, file);
  std::fclose(file);
  EXPECT_EQ(std::string(got, count), bytes);
}

TEST_F(FileAccessWin32, SeeksPastFourGibibytes) {
  WriteFile(dir.path() / "p.bmp", std::string("x"));
  FILE* file = platform::OpenPictureFile(Path("p.bmp"));
  ASSERT_NE(file, nullptr);
  const uint64_t offset = (uint64_t{1} << 32) + 5;
  EXPECT_TRUE(platform::SeekTo(file, offset));
  EXPECT_EQ(static_cast<uint64_t>(_ftelli64(file)), offset);
  std::fclose(file);
}

// Device names resolve to a device in every folder; reading one could wait
// for input for ever, so it is refused before it is read.
class DeviceName : public FileAccessWin32, public ::testing::WithParamInterface<const char*> {};

TEST_P(DeviceName, IsRefused) {
  EXPECT_EQ(platform::OpenPictureFile(GetParam()), nullptr);
  EXPECT_EQ(platform::OpenPictureFile(Path(GetParam())), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Reserved, DeviceName,
                         ::testing::Values("CON", "NUL", "nul.bmp", "COM1", "COM1.bmp", "LPT1",
                                           "AUX", "PRN", "CONIN$"));

TEST_F(FileAccessWin32, FolderIdentityIgnoresHowTheFolderIsSpelt) {
  fs::create_directories(dir.path() / "a" / "b");
  const std::wstring base = dir.path().wstring();
  auto plain = platform::IdentifyFolder(CString(base + L"\\a"));
  auto slashes = platform::IdentifyFolder(CString(base + L"/a/"));
  auto upper = platform::IdentifyFolder(CString(base + L"\\A"));
  auto b = platform::IdentifyFolder(CString(base + L"\\a\\b"));
  ASSERT_TRUE(plain && slashes && upper && b);
  EXPECT_EQ(*plain, *slashes);
  EXPECT_EQ(*plain, *upper);
  EXPECT_FALSE(*plain == *b);
}

}  // namespace
