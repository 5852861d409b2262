// The generated resource script, icon file and desktop icon.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/bmp_writer.h"
#include "ui/app_icon.h"

namespace {

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

uint32_t U32Be(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

class ResourceFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing_support::TempDir;
    std::string command = std::string(RASTRUM_MAKE_RESOURCES) + " '" + dir_->path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string Read(const char* name) {
    return testing_support::ReadFile(dir_->path() / name);
  }

  static testing_support::TempDir* dir_;
};

testing_support::TempDir* ResourceFiles::dir_ = nullptr;

}  // namespace

TEST_F(ResourceFiles, ScriptHoldsTemplatesStringAndIcon) {
  std::string rc = Read("rastrum.rc");
  for (const char* line : {
           "IDR_MAINFRAME ICON \"rastrum.ico\"\n",
           "IDD_RASTRUM_DIALOG DIALOGEX 0, 0, 459, 354\nSTYLE 0x90CA00C8\nEXSTYLE 0x00040000\n"
           "CAPTION \"ZT_Rastrum\"\nFONT 9, \"MS Shell Dlg\", 0, 0, 1\nBEGIN\n"
           "    CONTROL \"\", IDC_EXTENSIONS, \"EDIT\", 0x50810080, 24, 31, 130, 14\n",
           "    CONTROL \"Default search \"\".bmp\"\" in the bmp folder\", IDC_STATIC, \"STATIC\", "
           "0x50020000, 26, 16, 150, 9\n",
           "    CONTROL \"not use\", IDC_NOT_USE, \"BUTTON\", 0x40010003 | NOT WS_VISIBLE, 263, "
           "49, "
           "52, 14\n",
           "CAPTION \"\xE5\x85\xB3\xE4\xBA\x8E Rastrum\"\n",
           "    CONTROL IDR_MAINFRAME, IDC_STATIC, \"STATIC\", 0x50000003, 14, 14, 21, 20\n",
           "    IDS_ABOUTBOX \"\xE5\x85\xB3\xE4\xBA\x8E Quarry(&A)...\"\n",
           "VALUE \"InternalName\", \"ZT_Rastrum.exe\"",
       }) {
    EXPECT_NE(rc.find(line), std::string::npos) << line;
  }
  std::string manifest = Read("rastrum.manifest");
  EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
}

TEST_F(ResourceFiles, IconFileHoldsThe32BitPicture) {
  std::string ico = Read("rastrum.ico");
  ASSERT_GE(ico.size(), 22u + 40u);
  EXPECT_EQ(ico.substr(0, 6), std::string("\0\0\1\0\1\0", 6));
  EXPECT_EQ(static_cast<uint8_t>(ico[6]), 90);
  EXPECT_EQ(static_cast<uint8_t>(ico[7]), 92);
  EXPECT_EQ(U32(ico, 14), ico.size() - 22);  // bytes of the image
  EXPECT_EQ(U32(ico, 18), 22u);              // where it starts
  EXPECT_EQ(U32(ico, 22), 40u);
  EXPECT_EQ(U32(ico, 26), 90u);
  EXPECT_EQ(U32(ico, 30), 184u);  // colour and mask rows
  EXPECT_EQ(static_cast<uint8_t>(ico[36]), 32);
  // The colour rows are stored bottom first; each row is 360 bytes.
  const uint32_t* pixels = AppIconPixels();
  auto stored = [&](int x, int y) { return U32(ico, 62 + (91 - y) * 360 + x * 4); };
  EXPECT_EQ(stored(45, 46), pixels[46 * 90 + 45]);
  EXPECT_EQ(stored(20, 20), pixels[20 * 90 + 20]);
  EXPECT_EQ(stored(0, 0), pixels[0]);
  // The AND mask marks the transparent top-left corner.
  size_t mask = 62 + 92 * 360;
  EXPECT_EQ(ico.size(), mask + 92 * 12);
  EXPECT_EQ(static_cast<uint8_t>(ico[mask + 91 * 12]) & 0x80, 0x80);
  EXPECT_EQ(static_cast<uint8_t>(ico[mask + (91 - 46) * 12 + 5]) & 0x04, 0);
}

TEST_F(ResourceFiles, DesktopIconIsASquarePng) {
  std::string png = Read("zt-rastrum.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(U32Be(png, 16), 96u);
  EXPECT_EQ(U32Be(png, 20), 96u);
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}
