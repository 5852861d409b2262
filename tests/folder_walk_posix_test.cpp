// The walk meeting what only POSIX hosts have: links to files and folders,
// FIFOs, and file names that are bytes rather than characters.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::Rgb;

Picture Pixel(Rgb colour) {
  Picture p;
  p.width = 1;
  p.height = 1;
  p.pixel = [colour](int, int) { return colour; };
  return p;
}

TEST(FolderWalkPosix, DanglingLinksAndFifosFailToOpenWithoutBlocking) {
  EngineRun run;
  run.Put("bmp/a.bmp", Pixel({255, 0, 0}));
  fs::create_symlink("missing.bmp", run.root() / "bmp/b.bmp");
  ASSERT_EQ(mkfifo((run.root() / "bmp/c.bmp").c_str(), 0600), 0);
  fs::create_symlink("a.bmp", run.root() / "bmp/d.bmp");
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               L"00001: [24 bit,(001*001),Size:0000004]: bmp/a.bmp",
                               L"00002: bmp/b.bmp bmp Image opening failed",
                               L"00003: bmp/c.bmp bmp Image opening failed",
                               L"00004: [24 bit,(001*001),Size:0000004]: bmp/d.bmp",
                           }));
  EXPECT_EQ(run.log.pictures.size(), size_t(2));
}

TEST(FolderWalkPosix, LinksToFoldersAreWalkedWhereverTheyLead) {
  EngineRun run;
  run.Put("bmp/a/x.bmp", Pixel({1, 2, 3}));
  fs::create_directory_symlink("a", run.root() / "bmp/b");
  run.Put("other/o.bmp", Pixel({1, 2, 3}));
  fs::create_directory_symlink("../other", run.root() / "bmp/c");
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               L"00001: [24 bit,(001*001),Size:0000004]: bmp/a/x.bmp",
                               L"00002: [24 bit,(001*001),Size:0000004]: bmp/b/x.bmp",
                               L"00003: [24 bit,(001*001),Size:0000004]: bmp/c/o.bmp",
                           }));
  const std::string enumText = run.Enum();
  EXPECT_NE(enumText.find("\t//...bmp/a\r\n"), std::string::npos);
  EXPECT_NE(enumText.find("\t//...bmp/b\r\n"), std::string::npos);
  EXPECT_NE(enumText.find("\t//...bmp/c\r\n"), std::string::npos);
}

// Each case holds one link back into the walk path, so a walk that followed
// it would go round a single loop (until the host refuses the path) rather
// than branch without end.
class LinkCycle : public ::testing::TestWithParam<const char*> {};

TEST_P(LinkCycle, LinkBackIntoTheWalkPathIsSkippedWithoutComment) {
  EngineRun run;
  run.Put("bmp/a/x.bmp", Pixel({1, 2, 3}));
  fs::create_directory_symlink(GetParam(), run.root() / "bmp/a/loop");
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.lines,
            std::vector<std::wstring>{L"00001: [24 bit,(001*001),Size:0000004]: bmp/a/x.bmp"});
  EXPECT_EQ(run.Enum().find("loop"), std::string::npos) << run.Enum();
  EXPECT_EQ(run.Array().find("loop"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, LinkCycle, ::testing::Values(".", "..", "../../bmp"), [](const auto& info) {
      return std::string(info.index == 0 ? "Itself" : info.index == 1 ? "Parent" : "TopFolder");
    });

TEST(FolderWalkPosix, NamesOutsideUtf8OpenAndReachTheTextFilesAsStored) {
  EngineRun run;
  run.Put("bmp/\xFF.bmp", Pixel({1, 2, 3}));
  run.Put("bmp/\xC3\xA9t\xC3\xA9.bmp", Pixel({1, 2, 3}));
  run.Put("bmp/\xE2\x82.d/p.bmp", Pixel({1, 2, 3}));
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               L"00001: [24 bit,(001*001),Size:0000004]: bmp/\u00e9t\u00e9.bmp",
                               L"00002: [24 bit,(001*001),Size:0000004]: bmp/\xDCE2\xDC82.d/p.bmp",
                               L"00003: [24 bit,(001*001),Size:0000004]: bmp/\xDCFF.bmp",
                           }));
  const std::string enumText = run.Enum();
  EXPECT_NE(enumText.find("// \xC3\xA9t\xC3\xA9.bmp(001*001)"), std::string::npos);
  EXPECT_NE(enumText.find("\t//...bmp/\xE2\x82.d\r\n"), std::string::npos);
  EXPECT_NE(enumText.find("// \xFF.bmp(001*001)"), std::string::npos);
  const std::string arrayText = run.Array();
  EXPECT_NE(arrayText.find("const unsigned char _\xFF[]= //1x1"), std::string::npos);
  EXPECT_NE(arrayText.find("------bmp/\xE2\x82.d\r\n"), std::string::npos);
}

}  // namespace
