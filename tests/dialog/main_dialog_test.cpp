// The main dialog's flows: initial state, runs, depth radios, the folder
// and extension fields, the keyboard.
#include <algorithm>

#include "tests/dialog/dialog_fixture.h"
#include "ui/app_icon.h"

namespace {

const std::wstring kNote1 =
    L"Ver:2404 for TALU---The input BMP format must be 24bit(RGB888) color depth";
const std::wstring kNote2 =
    L"Note: All *.bmp files in the folder are merged and converted to one bin file with the "
    L"corresponding color bit depth.";
const std::wstring kNote3 =
    L"Note: the binary bin data with 8bit or 24bit color depth can be selected.";

bool StartsWith(const CString& line, const std::wstring& prefix) {
  return line.str().rfind(prefix, 0) == 0;
}

}  // namespace

TEST_F(DialogTest, OpensWithItsDefaults) {
  RunMainDialog([&](headless::ModalView& view) {
    EXPECT_EQ(view.Caption().str(), L"KV_Rastrum");
    EXPECT_EQ(view.Text(IDC_EXTENSIONS).str(), L"bmp");
    EXPECT_EQ(view.Text(IDC_FOLDER).str(), L"");
    EXPECT_EQ(Texts(view.Lines(IDC_LOG)), (std::vector<std::wstring>{kNote1, kNote2, kNote3}));
    EXPECT_EQ(view.CurSel(IDC_LOG), -1);

    EXPECT_EQ(view.Check(IDC_DEPTH16), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(view.Check(IDC_DEPTH24), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(view.Check(IDC_DEPTH8), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(view.Check(IDC_NOT_USE), static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(view.IsVisible(IDC_NOT_USE));
    EXPECT_FALSE(view.IsVisible(IDC_AUX_LIST));
    EXPECT_TRUE(view.IsVisible(IDC_LOG));

    EXPECT_EQ(view.Focus(), IDC_EXTENSIONS);
    HICON icon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(view.Icon(true), icon);
    EXPECT_EQ(view.Icon(false), icon);

    auto& dialog = static_cast<CQuarryDlg&>(view.Dialog());
    EXPECT_EQ(dialog.m_nDepth, 16);
    EXPECT_EQ(dialog.m_bFullPath, 1);
    EXPECT_EQ(dialog.m_nFileCount, 0);
    EXPECT_EQ(dialog.m_strExtensions.str(), L"bmp");
  });
}

TEST_F(DialogTest, FirstRunAppendsUnderTheNotesAndLaterRunsStartEmpty) {
  WritePicture("pics/a.bmp", 3, 2);
  WritePicture("pics/b.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    view.Type(IDC_FOLDER, L"pics");
    view.Click(IDC_CONVERT);
    std::vector<CString> first = view.Lines(IDC_LOG);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[2].str(), kNote3);
    EXPECT_TRUE(StartsWith(first[3], L"00001: ")) << first[3].str();
    EXPECT_TRUE(StartsWith(first[4], L"00002: ")) << first[4].str();
    EXPECT_EQ(view.CurSel(IDC_LOG), 4);
    EXPECT_EQ(view.LinesAddedBusy(IDC_LOG), 2);
    EXPECT_TRUE(HasRunOutputs(16));
    EXPECT_EQ(g_bRanOnce, 1);

    view.Click(IDC_CONVERT);
    std::vector<CString> second = view.Lines(IDC_LOG);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_TRUE(StartsWith(second[0], L"00001: "));
    EXPECT_EQ(view.CurSel(IDC_LOG), 1);
    EXPECT_FALSE(view.IsVisible(IDC_AUX_LIST));
    EXPECT_TRUE(view.Lines(IDC_AUX_LIST).empty());
  });
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(DialogTest, SelectingTheLastLineScrollsItIntoView) {
  for (int i = 0; i < 60; ++i) WritePicture("many/p" + std::to_string(i) + ".bmp", 1, 1);
  RunMainDialog([&](headless::ModalView& view) {
    view.Type(IDC_FOLDER, L"many");
    view.Click(IDC_CONVERT);
    int last = static_cast<int>(view.Lines(IDC_LOG).size()) - 1;
    EXPECT_EQ(last, 62);
    EXPECT_EQ(view.CurSel(IDC_LOG), last);
    EXPECT_GT(view.TopIndex(IDC_LOG), 0);
    EXPECT_LE(view.TopIndex(IDC_LOG), last);
  });
}

struct DepthCase {
  int button;
  int bits;
};

class DepthRadioTest : public DialogTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthRadioTest, PressedRadioSetsTheDepthOfThisAndLaterRuns) {
  const DepthCase& param = GetParam();
  WritePicture("bmp/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    view.Click(param.button);
    for (int id : {IDC_DEPTH24, IDC_DEPTH16, IDC_DEPTH8}) {
      EXPECT_EQ(view.Check(id), static_cast<UINT>(id == param.button ? BST_CHECKED : 0)) << id;
    }
    view.Click(IDC_CONVERT);
    EXPECT_TRUE(HasRunOutputs(param.bits));
    for (const std::string& name : FilesHere()) std::filesystem::remove(name);
    view.Click(IDC_CONVERT);
    EXPECT_TRUE(HasRunOutputs(param.bits));
    EXPECT_EQ(static_cast<CQuarryDlg&>(view.Dialog()).m_nDepth, param.bits);
  });
}

INSTANTIATE_TEST_SUITE_P(Radios, DepthRadioTest,
                         ::testing::Values(DepthCase{IDC_DEPTH24, 24}, DepthCase{IDC_DEPTH16, 16},
                                           DepthCase{IDC_DEPTH8, 8}));

TEST_F(DialogTest, WithoutAnyPressTheDepthIsSixteen) {
  WritePicture("bmp/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) { view.Click(IDC_CONVERT); });
  EXPECT_TRUE(HasRunOutputs(16));
}

TEST_F(DialogTest, EmptyFolderFieldConvertsTheBmpFolder) {
  WritePicture("bmp/p.bmp", 2, 2);
  WritePicture("other/q.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    view.Click(IDC_CONVERT);
    std::vector<CString> lines = view.Lines(IDC_LOG);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[3].str().find(L"p.bmp"), std::wstring::npos) << lines[3].str();
  });
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(DialogTest, FolderTextIsPassedOnExactlyAsTyped) {
  WritePicture("pics/sub/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    view.Type(IDC_FOLDER, L"pics/");
    view.Click(IDC_CONVERT);
    EXPECT_EQ(static_cast<CQuarryDlg&>(view.Dialog()).m_strFolder.str(), L"pics/");
  });
  // The walk joins names to the folder unchanged: a typed trailing
  // separator shows up doubled in the sub-folder's comment line.
  std::string array = testing_support::ReadFile("bmp.c");
  EXPECT_NE(array.find("pics//sub"), std::string::npos) << array;
}

TEST_F(DialogTest, RunThatSelectsNothingShowsNoRelatedFiles) {
  WritePicture("bmp/p.bmp", 2, 2);
  struct Case {
    const wchar_t* extensions;
    const wchar_t* folder;
  };
  for (Case c : {Case{L"", L""}, Case{L"   ", L""}, Case{L"BMP", L""}, Case{L"bmp", L"missing"}}) {
    headless::Reset();
    g_bRanOnce = 0;
    RunMainDialog([&](headless::ModalView& view) {
      view.Type(IDC_EXTENSIONS, c.extensions);
      view.Type(IDC_FOLDER, c.folder);
      view.Click(IDC_CONVERT);
      // The first run keeps the notes, and the last of them is selected.
      EXPECT_EQ(view.Lines(IDC_LOG).size(), 3u);
      EXPECT_EQ(view.CurSel(IDC_LOG), 2);
      view.Click(IDC_CONVERT);
      EXPECT_TRUE(view.Lines(IDC_LOG).empty());
      EXPECT_EQ(view.CurSel(IDC_LOG), -1);
    });
    const auto& boxes = headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u) << "extensions \"" << CString(c.extensions).GetLength() << "\"";
    for (const auto& box : boxes) {
      EXPECT_EQ(box.text.str(), L"No related files");
      EXPECT_EQ(box.caption.str(), L"ZT_Rastrum");
      EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
      EXPECT_EQ(box.helpId, 0u);
    }
  }
}

TEST_F(DialogTest, ExtensionWordsComeFromTheEditAtEveryPress) {
  WritePicture("bmp/a.bmp", 1, 1);
  WritePicture("bmp/b.BMP", 1, 1);
  WritePicture("bmp/c.raw", 1, 1);
  RunMainDialog([&](headless::ModalView& view) {
    auto& dialog = static_cast<CQuarryDlg&>(view.Dialog());
    view.Type(IDC_EXTENSIONS, L"  raw  BMP bmp ");
    view.Click(IDC_CONVERT);
    EXPECT_EQ(dialog.m_nExtCount, 3);
    EXPECT_EQ(dialog.m_strExt[0].str(), L"bmp");
    EXPECT_EQ(dialog.m_strExt[2].str(), L"raw");
    EXPECT_EQ(dialog.m_nFileCount, 3);
    view.Type(IDC_EXTENSIONS, L"BMP");
    view.Click(IDC_CONVERT);
    EXPECT_EQ(dialog.m_nExtCount, 1);
    EXPECT_EQ(dialog.m_nFileCount, 1);
    EXPECT_EQ(dialog.m_strExtensions.str(), L"BMP");
  });
}

TEST_F(DialogTest, HiddenControlsStayHiddenAndChangeNothing) {
  WritePicture("bmp/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    view.Click(IDC_NOT_USE);
    EXPECT_EQ(view.Check(IDC_NOT_USE), static_cast<UINT>(BST_CHECKED));
    view.Click(IDC_CONVERT);
    view.Click(IDC_CONVERT);
    EXPECT_FALSE(view.IsVisible(IDC_NOT_USE));
    EXPECT_FALSE(view.IsVisible(IDC_AUX_LIST));
    EXPECT_EQ(view.Lines(IDC_LOG).size(), 1u);
  });
}

struct KeyCase {
  const char* name;
  int focus;
  bool enter;
  INT_PTR result;
};

class DialogKeyTest : public DialogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeyTest, EnterAndEscapeCloseTheDialog) {
  const KeyCase& param = GetParam();
  INT_PTR result = RunMainDialog([&](headless::ModalView& view) {
    view.SetFocus(param.focus);
    param.enter ? view.PressEnter() : view.PressEscape();
    EXPECT_TRUE(view.Ended());
  });
  EXPECT_EQ(result, param.result);
  EXPECT_FALSE(HasRunOutputs(16));
}

INSTANTIATE_TEST_SUITE_P(Keys, DialogKeyTest,
                         ::testing::Values(KeyCase{"EnterInAnEdit", IDC_FOLDER, true, IDOK},
                                           KeyCase{"EnterInTheList", IDC_LOG, true, IDOK},
                                           KeyCase{"EscapeOnAButton", IDC_CONVERT, false,
                                                   IDCANCEL}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, EnterOnFocusedConvertPressesIt) {
  WritePicture("bmp/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    view.SetFocus(IDC_CONVERT);
    view.PressEnter();
    EXPECT_FALSE(view.Ended());
    EXPECT_EQ(view.Lines(IDC_LOG).size(), 4u);
  });
  EXPECT_TRUE(HasRunOutputs(16));
}

TEST_F(DialogTest, TabVisitsTheVisibleTabStopsInTemplateOrder) {
  RunMainDialog([&](headless::ModalView& view) {
    std::vector<int> order = {view.Focus()};
    for (int i = 0; i < 5; ++i) {
      view.PressTab();
      order.push_back(view.Focus());
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_EXTENSIONS, IDC_CONVERT, IDC_LOG, IDC_FOLDER, IDC_BROWSE,
                                       IDC_EXTENSIONS}));
  });
}

// The folder field, Browse and the depth radios are one group: arrows move
// among them (past the labels, round again) and check a radio that gets
// the focus; the field keeps its arrows for its caret.
TEST_F(DialogTest, ArrowKeysMoveThroughTheGroupAndCheckTheRadios) {
  WritePicture("bmp/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    auto checked = [&] {
      for (int id : {IDC_DEPTH24, IDC_DEPTH16, IDC_DEPTH8}) {
        if (view.Check(id) == BST_CHECKED) return id;
      }
      return 0;
    };
    view.SetFocus(IDC_BROWSE);
    std::vector<std::pair<int, int>> forward;
    for (int i = 0; i < 4; ++i) {
      view.PressArrow(true);
      forward.emplace_back(view.Focus(), checked());
    }
    EXPECT_EQ(forward, (std::vector<std::pair<int, int>>{{IDC_DEPTH24, IDC_DEPTH24},
                                                         {IDC_DEPTH16, IDC_DEPTH16},
                                                         {IDC_DEPTH8, IDC_DEPTH8},
                                                         {IDC_FOLDER, IDC_DEPTH8}}));
    view.PressArrow(false);
    EXPECT_EQ(view.Focus(), IDC_FOLDER);

    view.SetFocus(IDC_DEPTH24);
    view.PressArrow(false);
    EXPECT_EQ(view.Focus(), IDC_BROWSE);
    EXPECT_EQ(checked(), IDC_DEPTH8);
    view.PressArrow(false);
    view.PressArrow(false);
    EXPECT_EQ(view.Focus(), IDC_FOLDER);
    view.Click(IDC_CONVERT);
  });
  EXPECT_TRUE(HasRunOutputs(8));
}

namespace {

// An output failure is shown in an error box in place of "No related files",
// whether no file could be created or a run that counted files then stopped.
TEST_F(DialogTest, OutputFailureIsShownInAnErrorBox) {
  WritePicture("bmp/a.bmp", 2, 2);
  WritePicture("bmp/b.bmp", 2, 2);
  std::filesystem::create_directory("tmp.txt");
  RunMainDialog([&](headless::ModalView& view) {
    auto& dialog = static_cast<CQuarryDlg&>(view.Dialog());
    view.Click(IDC_CONVERT);
    std::filesystem::remove("tmp.txt");
    dialog.m_nBinaryLimit = 12;
    view.Click(IDC_CONVERT);
    EXPECT_EQ(dialog.m_nFileCount, 2);
    EXPECT_TRUE(FilesHere().empty()) << "failed runs create nothing";
    dialog.m_nBinaryLimit = kMaxBinaryImageSize;
    view.Click(IDC_CONVERT);
  });
  const auto& boxes = headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text.str().rfind(L"cannot create tmp.txt: ", 0), 0u) << boxes[0].text.str();
  EXPECT_EQ(boxes[1].text.str().rfind(L"cannot write ", 0), 0u) << boxes[1].text.str();
  for (const auto& box : boxes) {
    EXPECT_EQ(box.caption.str(), L"ZT_Rastrum");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_NE(boxes[1].text.str().find(L"the binary image file would exceed 4 GiB"),
            std::wstring::npos);
}

}  // namespace
