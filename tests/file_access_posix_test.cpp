#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

class FileAccessPosix : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (dir.path() / name).string(); }
  TempDir dir;
};

TEST_F(FileAccessPosix, FollowsLinksToRegularFiles) {
  WriteFile(dir.path() / "p.bmp", std::string("0123456789"));
  fs::create_symlink("p.bmp", dir.path() / "link.bmp");
  FILE* file = platform::OpenPictureFile(Path("link.bmp"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(platform::FileLength(file), 10);
  std::fclose(file);
}

TEST_F(FileAccessPosix, RefusesWhatIsNotARegularFileWithoutBlocking) {
  ASSERT_EQ(mkfifo(Path("pipe.bmp").c_str(), 0600), 0);
  fs::create_symlink("nothing", dir.path() / "dangling.bmp");
  fs::create_directory(dir.path() / "folder");
  fs::create_directory_symlink("folder", dir.path() / "folder.bmp");
  for (const char* name : {"pipe.bmp", "dangling.bmp", "folder.bmp"}) {
    EXPECT_EQ(platform::OpenPictureFile(Path(name)), nullptr) << name;
  }
  EXPECT_EQ(platform::OpenPictureFile("/dev/null"), nullptr);
}

TEST_F(FileAccessPosix, FolderIdentitySeesThroughLinks) {
  fs::create_directory(dir.path() / "a");
  fs::create_directory_symlink("a", dir.path() / "link");
  auto a = platform::IdentifyFolder(platform::AnsiToWide(Path("a")));
  auto viaLink = platform::IdentifyFolder(platform::AnsiToWide(Path("link")));
  ASSERT_TRUE(a && viaLink);
  EXPECT_EQ(*a, *viaLink);
}

TEST(FileAccessPosixText, SeparatorAndErrorTexts) {
  EXPECT_STREQ(platform::PathSeparator(), L"/");
  EXPECT_EQ(platform::SystemErrorText(ENOENT), "No such file or directory");
  EXPECT_EQ(platform::SystemErrorText(ENOSPC), "No space left on device");
}

}  // namespace
