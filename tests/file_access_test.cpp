#include "platform/file_access.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteFile;

class FileAccess : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (dir.path() / name).string(); }
  CString Folder(const char* name) const { return CString((dir.path() / name).wstring()); }
  TempDir dir;
};

TEST_F(FileAccess, OpensARegularFileAndSeeksAbsolutely) {
  WriteFile(dir.path() / "p.bmp", std::string("0123456789"));
  FILE* file = platform::OpenPictureFile(Path("p.bmp"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(platform::FileLength(file), 10);
  char bytes[4] = {};
  ASSERT_TRUE(platform::SeekTo(file, 7));
  EXPECT_EQ(std::fread(bytes, 1, 3, file), 3u);
  EXPECT_STREQ(bytes, "789");
  ASSERT_TRUE(platform::SeekTo(file, 2));
  EXPECT_EQ(std::fread(bytes, 1, 3, file), 3u);
  EXPECT_STREQ(bytes, "234");
  EXPECT_FALSE(platform::SeekTo(file, uint64_t{1} << 63)) << "beyond any file offset";
  std::fclose(file);
}

TEST_F(FileAccess, RefusesFoldersAndMissingFiles) {
  fs::create_directory(dir.path() / "folder.bmp");
  EXPECT_EQ(platform::OpenPictureFile(Path("folder.bmp")), nullptr);
  EXPECT_EQ(platform::OpenPictureFile(Path("missing.bmp")), nullptr);
}

TEST_F(FileAccess, FolderIdentityTellsFoldersApartWhateverThePath) {
  fs::create_directories(dir.path() / "a/b");
  auto a = platform::IdentifyFolder(Folder("a"));
  auto viaDots = platform::IdentifyFolder(Folder("a/b/.."));
  auto b = platform::IdentifyFolder(Folder("a/b"));
  ASSERT_TRUE(a && viaDots && b);
  EXPECT_EQ(*a, *viaDots);
  EXPECT_FALSE(*a == *b);

  WriteFile(dir.path() / "file", std::string("x"));
  EXPECT_FALSE(platform::IdentifyFolder(Folder("file")));
  EXPECT_FALSE(platform::IdentifyFolder(Folder("missing")));
}

}  // namespace
