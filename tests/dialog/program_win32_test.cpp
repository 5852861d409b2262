// ZT_Rastrum.exe as a user meets it: started in a folder, driven with the
// messages clicks and keys produce, its windows and output files read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/dialog/win32_driver.h"
#include "tests/support/bmp_writer.h"
#include "ui/resource.h"

namespace {

using testing_support::TempDir;
using win32_testing::Program;

constexpr const wchar_t* kNotes[] = {
    L"Ver:2404 for TALU---The input BMP format must be 24bit(RGB888) color depth",
    L"Note: All *.bmp files in the folder are merged and converted to one bin file with the "
    L"corresponding color bit depth.",
    L"Note: the binary bin data with 8bit or 24bit color depth can be selected.",
};

// bmp\logo.bmp: 5 x 3 pixels; rows of 15 bytes padded to 16.
constexpr int kWidth = 5, kHeight = 3;
constexpr const wchar_t* kResultLine = L"00001: [24 bit,(005*003),Size:0000048]: bmp\\logo.bmp";
constexpr const wchar_t* kAboutCaption = L"\u5173\u4E8E Rastrum";

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.path() / "bmp");
    testing_support::Picture picture;
    picture.width = kWidth;
    picture.height = kHeight;
    picture.pixel = [](int x, int y) {
      return testing_support::Rgb{uint8_t(40 * x), uint8_t(80 * y), 200};
    };
    testing_support::WriteFile(dir_.path() / "bmp" / "logo.bmp",
                               testing_support::EncodeBitmap(picture));
    ASSERT_TRUE(program_.Start()) << "the dialog KV_Rastrum did not open";
  }

  // Types the folder and presses "Convert to BIN".
  void Run(const std::wstring& folder) {
    program_.SetText(IDC_FOLDER, folder);
    program_.Click(IDC_CONVERT);
  }

  // The size of the one binary image file of this depth, or -1.
  std::intmax_t BinarySize(const std::string& depth) const {
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      std::string name = entry.path().filename().string();
      if (name.size() > depth.size() + 4 && name.ends_with(depth + ".bin")) {
        return static_cast<std::intmax_t>(entry.file_size());
      }
    }
    return -1;
  }

  void RemoveBinaries() const {
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      if (entry.path().extension() == ".bin") std::filesystem::remove(entry.path());
    }
  }

  std::vector<std::wstring> Notes() const { return {std::begin(kNotes), std::end(kNotes)}; }

  TempDir dir_;
  Program program_{dir_.path()};
};

}  // namespace

TEST_F(ProgramTest, OpensWithTheNotesAndTheDefaults) {
  EXPECT_EQ(win32_testing::WindowText(program_.Dialog()), L"KV_Rastrum");
  EXPECT_EQ(program_.Lines(IDC_LOG), Notes());
  EXPECT_EQ(program_.Text(IDC_EXTENSIONS), L"bmp");
  EXPECT_EQ(program_.Text(IDC_FOLDER), L"");
  EXPECT_EQ(program_.Check(IDC_DEPTH24), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(program_.Check(IDC_DEPTH16), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(program_.Check(IDC_DEPTH8), static_cast<UINT>(BST_UNCHECKED));
  // The check box is checked but never shown; list 1003 is hidden.
  EXPECT_EQ(program_.Check(IDC_NOT_USE), static_cast<UINT>(BST_CHECKED));
  EXPECT_FALSE(IsWindowVisible(program_.Item(IDC_NOT_USE)));
  EXPECT_FALSE(IsWindowVisible(program_.Item(IDC_AUX_LIST)));
  EXPECT_EQ(program_.Focus(), program_.Item(IDC_EXTENSIONS));
}

TEST_F(ProgramTest, FirstRunKeepsTheNotesAndLaterRunsStartEmpty) {
  Run(L"bmp");
  std::vector<std::wstring> first = Notes();
  first.push_back(kResultLine);
  EXPECT_EQ(program_.Lines(IDC_LOG), first);
  // The last line is selected.
  EXPECT_EQ(SendMessageW(program_.Item(IDC_LOG), LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(program_.TopWindow(L"ZT_Rastrum"), nullptr);
  EXPECT_FALSE(IsWindowVisible(program_.Item(IDC_AUX_LIST)));
  win32_testing::SaveScreenshot(program_.Dialog(), "dialog-after-run.png");

  for (int run = 2; run <= 3; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    Run(L"bmp");
    EXPECT_EQ(program_.Lines(IDC_LOG), std::vector<std::wstring>{kResultLine});
    EXPECT_FALSE(IsWindowVisible(program_.Item(IDC_AUX_LIST)));
  }
}

TEST_F(ProgramTest, EmptyFolderEditConvertsTheFolderBmp) {
  Run(L"");
  EXPECT_EQ(program_.Lines(IDC_LOG).back(), kResultLine);
  EXPECT_EQ(BinarySize("_16bit"), kWidth * kHeight * 2);
}

struct DepthCase {
  int radio;  // 0: none pressed
  const char* suffix;
  int bytesPerPixel;
};

class DepthTest : public ProgramTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthTest, RadioButtonSetsTheDepthOfEveryLaterRun) {
  const DepthCase& depth = GetParam();
  if (depth.radio) program_.Click(depth.radio);
  for (int id : {IDC_DEPTH24, IDC_DEPTH16, IDC_DEPTH8}) {
    bool chosen = id == (depth.radio ? depth.radio : IDC_DEPTH16);
    EXPECT_EQ(program_.Check(id), static_cast<UINT>(chosen ? BST_CHECKED : BST_UNCHECKED)) << id;
  }
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    RemoveBinaries();
    Run(L"bmp");
    EXPECT_EQ(BinarySize(depth.suffix), kWidth * kHeight * depth.bytesPerPixel);
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, DepthTest,
                         ::testing::Values(DepthCase{0, "_16bit", 2},
                                           DepthCase{IDC_DEPTH24, "_24bit", 3},
                                           DepthCase{IDC_DEPTH16, "_16bit", 2},
                                           DepthCase{IDC_DEPTH8, "_8bit", 1}));

struct NoFilesCase {
  const wchar_t* extensions;
  const wchar_t* folder;
};

class NoFilesTest : public ProgramTest, public ::testing::WithParamInterface<NoFilesCase> {};

TEST_P(NoFilesTest, RunWithoutMatchesShowsTheApplicationsBox) {
  program_.SetText(IDC_EXTENSIONS, GetParam().extensions);
  program_.SetText(IDC_FOLDER, GetParam().folder);
  program_.PostClick(IDC_CONVERT);
  // Captioned with the application's name, taken from the executable's.
  HWND box = program_.WaitForWindow(L"ZT_Rastrum");
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(win32_testing::WindowText(GetDlgItem(box, 0xFFFF)), L"No related files");
  EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), program_.Dialog());
  EXPECT_FALSE(IsWindowEnabled(program_.Dialog()));
  if (std::wstring(GetParam().extensions).empty()) {
    win32_testing::SaveScreenshot(box, "no-related-files.png");
  }

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program_.WaitForNoWindow(L"ZT_Rastrum"));
  EXPECT_TRUE(win32_testing::WaitFor([&] { return IsWindowEnabled(program_.Dialog()); }));
  EXPECT_TRUE(program_.Running());
}

// An output file that cannot be created: its failure in the box, not "No
// related files", and the earlier outputs untouched.
TEST_F(ProgramTest, OutputFailureShowsTheFailureInTheBox) {
  std::filesystem::create_directory(dir_.path() / "tmp.txt");
  program_.SetText(IDC_FOLDER, L"bmp");
  program_.PostClick(IDC_CONVERT);
  HWND box = program_.WaitForWindow(L"ZT_Rastrum");
  ASSERT_NE(box, nullptr) << "no message box";
  const std::wstring text = win32_testing::WindowText(GetDlgItem(box, 0xFFFF));
  EXPECT_EQ(text.rfind(L"cannot create tmp.txt: ", 0), 0u) << text;
  EXPECT_EQ(BinarySize("_16bit"), -1) << "a failed run creates no file";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program_.WaitForNoWindow(L"ZT_Rastrum"));
  EXPECT_TRUE(program_.Running());
}

// An empty extension text, a folder that does not exist, and BMP against
// bmp (the comparison is case-sensitive).
INSTANTIATE_TEST_SUITE_P(Runs, NoFilesTest,
                         ::testing::Values(NoFilesCase{L"", L"bmp"},
                                           NoFilesCase{L"bmp", L"missing"},
                                           NoFilesCase{L"BMP", L"bmp"}));

struct CloseCase {
  int control;
  UINT key;
};

class CloseKeyTest : public ProgramTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseKeyTest, KeyEndsTheProgram) {
  program_.PressKey(GetParam().control, GetParam().key);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(&exitCode));
  EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Keys, CloseKeyTest,
                         ::testing::Values(CloseCase{IDC_EXTENSIONS, VK_RETURN},
                                           CloseCase{IDC_EXTENSIONS, VK_ESCAPE},
                                           CloseCase{IDC_LOG, VK_ESCAPE},
                                           CloseCase{IDC_CONVERT, VK_ESCAPE}));

TEST_F(ProgramTest, EnterOnConvertToBinRunsInsteadOfClosing) {
  program_.SetText(IDC_FOLDER, L"bmp");
  program_.PressKey(IDC_CONVERT, VK_RETURN);
  EXPECT_TRUE(win32_testing::WaitFor([&] { return program_.Lines(IDC_LOG).size() == 4; }));
  EXPECT_EQ(program_.Lines(IDC_LOG).back(), kResultLine);
  EXPECT_TRUE(program_.Running());
}

TEST_F(ProgramTest, SystemCommandsKeepTheirUsualEffect) {
  program_.PostSystemCommand(SC_MINIMIZE);
  EXPECT_TRUE(win32_testing::WaitFor([&] { return IsIconic(program_.Dialog()) != FALSE; }));
  program_.PostSystemCommand(SC_RESTORE);
  EXPECT_TRUE(win32_testing::WaitFor([&] { return IsIconic(program_.Dialog()) == FALSE; }));
  program_.PostSystemCommand(SC_CLOSE);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(&exitCode));
  EXPECT_EQ(exitCode, 0u);
}

struct AboutCase {
  WPARAM command;
  UINT closingKey;
};

class AboutCommandTest : public ProgramTest, public ::testing::WithParamInterface<AboutCase> {};

TEST_P(AboutCommandTest, OpensTheAboutBoxOverTheBlockedDialog) {
  program_.PostSystemCommand(GetParam().command);
  HWND about = program_.WaitForWindow(kAboutCaption);
  ASSERT_NE(about, nullptr) << "no About box";
  EXPECT_EQ(GetWindow(about, GW_OWNER), program_.Dialog());
  EXPECT_FALSE(IsWindowEnabled(program_.Dialog()));
  EXPECT_EQ(win32_testing::WindowText(GetDlgItem(about, IDOK)), L"\u786E\u5B9A");
  if (GetParam().command == IDM_ABOUTBOX) win32_testing::SaveScreenshot(about, "about-box.png");

  win32_testing::PressKeyIn(about, IDOK, GetParam().closingKey);
  EXPECT_TRUE(program_.WaitForNoWindow(kAboutCaption));
  EXPECT_TRUE(win32_testing::WaitFor([&] { return IsWindowEnabled(program_.Dialog()); }));
  EXPECT_TRUE(program_.Running());
}

// The system's low four bits of the command do not matter.
INSTANTIATE_TEST_SUITE_P(Commands, AboutCommandTest,
                         ::testing::Values(AboutCase{IDM_ABOUTBOX, VK_RETURN},
                                           AboutCase{IDM_ABOUTBOX | 0x3, VK_ESCAPE},
                                           AboutCase{IDM_ABOUTBOX | 0xF, VK_RETURN}));

// 0x30 shares the About command's bit: only the whole value opens the box.
TEST_F(ProgramTest, AnotherCommandOpensNoAboutBox) {
  program_.SetText(IDC_FOLDER, L"bmp");
  program_.PostSystemCommand(0x30);
  // Posted messages are handled in order: the run comes after the command,
  // and would wait behind a modal About box.
  program_.PostClick(IDC_CONVERT);
  EXPECT_TRUE(win32_testing::WaitFor([&] { return program_.Lines(IDC_LOG).size() == 4; }));
  EXPECT_EQ(program_.TopWindow(kAboutCaption), nullptr);
}

namespace {

constexpr const wchar_t* kPreviewCaption = L"Picture preview";

// The screen's colour at the middle of a window, as 0xRRGGBB.
uint32_t MiddleColour(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  ReleaseDC(nullptr, screen);
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

}  // namespace

// logo.bmp at the default 16 bits: 5 x 3 pixels fit the panes at 8x, so the
// middle of each pane shows pixel (2, 1), source (80, 80, 200); RGB565
// widens it back to (82, 81, 206).
TEST_F(ProgramTest, DoubleClickOnAResultLineOpensItsPreview) {
  Run(L"bmp");
  program_.PostDoubleClick(IDC_LOG, 3);
  HWND preview = program_.WaitForWindow(kPreviewCaption);
  ASSERT_NE(preview, nullptr) << "no preview window";
  EXPECT_EQ(GetWindow(preview, GW_OWNER), program_.Dialog());
  EXPECT_FALSE(IsWindowEnabled(program_.Dialog()));
  auto text = [&](int id) { return win32_testing::WindowText(GetDlgItem(preview, id)); };
  EXPECT_EQ(text(IDC_PREVIEW_NAME), L"PIC_000: bmp\\logo.bmp");
  EXPECT_EQ(text(IDC_PREVIEW_PLACE),
            L"5 x 3 pixels, offset 0x00000000 (0), 30 bytes in the 16-bit binary image file");
  EXPECT_EQ(text(IDC_ZOOM), L"8x");
  Sleep(300);
  EXPECT_EQ(MiddleColour(GetDlgItem(preview, IDC_PREVIEW_SOURCE)), 0x5050C8u);
  EXPECT_EQ(MiddleColour(GetDlgItem(preview, IDC_PREVIEW_SHOWN)), 0x5251CEu);
  win32_testing::SaveScreenshot(preview, "preview-window.png");

  PostMessageW(GetDlgItem(preview, IDC_ZOOM_OUT), BM_CLICK, 0, 0);
  EXPECT_TRUE(win32_testing::WaitFor([&] { return text(IDC_ZOOM) == L"7x"; }));
  win32_testing::PressKeyIn(preview, IDC_ZOOM_IN, VK_ESCAPE);
  EXPECT_TRUE(program_.WaitForNoWindow(kPreviewCaption)) << "Escape did not close the preview";
  EXPECT_TRUE(win32_testing::WaitFor([&] { return IsWindowEnabled(program_.Dialog()); }));

  // The close box; then a note line, which opens nothing: the run posted
  // after it would wait behind a preview.
  program_.PostDoubleClick(IDC_LOG, 3);
  preview = program_.WaitForWindow(kPreviewCaption);
  ASSERT_NE(preview, nullptr) << "no preview window the second time";
  PostMessageW(preview, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program_.WaitForNoWindow(kPreviewCaption)) << "the close box did not close it";
  program_.PostDoubleClick(IDC_LOG, 0);
  program_.PostClick(IDC_CONVERT);
  EXPECT_TRUE(win32_testing::WaitFor([&] { return program_.Lines(IDC_LOG).size() == 1; }));
  EXPECT_EQ(program_.TopWindow(kPreviewCaption), nullptr);
  EXPECT_TRUE(program_.Running());
}
