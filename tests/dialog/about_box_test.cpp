// The system menu's About item, the About box, the other system commands
// and the minimized icon.
#include "tests/dialog/dialog_fixture.h"
#include "ui/about_dlg.h"

TEST_F(DialogTest, SystemMenuEndsWithSeparatorAndAboutItem) {
  RunMainDialog([&](headless::ModalView& view) {
    const auto& menu = view.SystemMenu();
    ASSERT_GE(menu.size(), 3u);
    const auto& separator = menu[menu.size() - 2];
    const auto& about = menu.back();
    EXPECT_TRUE(separator.flags & MF_SEPARATOR);
    EXPECT_EQ(about.id, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(about.text.str(), L"\u5173\u4E8E Quarry(&A)...");
    // The window's own commands come first, and only once.
    EXPECT_EQ(std::count_if(menu.begin(), menu.end(),
                            [](const auto& item) { return item.id == IDM_ABOUTBOX; }),
              1);
    EXPECT_TRUE(std::any_of(menu.begin(), menu.end(),
                            [](const auto& item) { return item.id == SC_CLOSE; }));
  });
}

class AboutCommandTest : public DialogTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(AboutCommandTest, OpensTheAboutBoxModally) {
  INT_PTR result = RunMainDialog(
      [&](headless::ModalView& view) {
        view.ChooseSystemCommand(GetParam());
        // The command returns only once the About box has closed.
        EXPECT_EQ(aboutBoxes_, 1);
        EXPECT_FALSE(view.Ended());
      },
      [&](headless::ModalView& about) {
        EXPECT_EQ(about.Caption().str(), L"\u5173\u4E8E Rastrum");
        EXPECT_EQ(about.Text(IDOK).str(), L"\u786E\u5B9A");
        EXPECT_EQ(about.Focus(), IDOK);
        about.PressEnter();
        EXPECT_EQ(about.Result(), IDOK);
      });
  EXPECT_EQ(aboutBoxes_, 1);
  EXPECT_EQ(result, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(LowBitsIgnored, AboutCommandTest, ::testing::Values(0x10u, 0x1Fu));

TEST_F(DialogTest, AboutBoxClosesWithEscapeAndItsCloseCommand) {
  int closed = 0;
  RunMainDialog(
      [&](headless::ModalView& view) {
        view.ChooseSystemCommand(IDM_ABOUTBOX);
        view.ChooseSystemCommand(IDM_ABOUTBOX);
      },
      [&](headless::ModalView& about) {
        closed == 0 ? about.PressEscape() : about.ChooseSystemCommand(SC_CLOSE);
        closed += about.Ended() && about.Result() == IDCANCEL;
      });
  EXPECT_EQ(closed, 2);
}

TEST_F(DialogTest, OtherSystemCommandsKeepTheirUsualEffect) {
  INT_PTR result = RunMainDialog([&](headless::ModalView& view) {
    view.ChooseSystemCommand(0x20);
    view.ChooseSystemCommand(SC_MINIMIZE);
    EXPECT_TRUE(view.Dialog().IsIconic());
    view.ChooseSystemCommand(SC_RESTORE);
    EXPECT_FALSE(view.Ended());
    view.ChooseSystemCommand(SC_CLOSE);
    EXPECT_TRUE(view.Ended());
  });
  EXPECT_EQ(aboutBoxes_, 0);
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, MinimizedDialogDrawsItsIconCentred) {
  RunMainDialog([&](headless::ModalView& view) {
    ASSERT_EQ(headless::SystemIconSize(), 32);
    headless::PaintRecord small = view.PaintMinimized(40, 30);
    EXPECT_TRUE(small.erasedIconBackground);
    EXPECT_TRUE(small.drewIcon);
    EXPECT_EQ(small.iconX, 4);
    EXPECT_EQ(small.iconY, 0);
    EXPECT_EQ(small.icon, AfxGetApp()->LoadIcon(IDR_MAINFRAME));
    EXPECT_FALSE(small.defaultPainting);

    headless::PaintRecord narrow = view.PaintMinimized(20, 100);
    EXPECT_EQ(narrow.iconX, -5);  // (20 - 32 + 1) / 2, truncated toward zero
    EXPECT_EQ(narrow.iconY, 34);

    headless::PaintRecord normal = view.Paint();
    EXPECT_FALSE(normal.drewIcon);
    EXPECT_TRUE(normal.defaultPainting);
    EXPECT_EQ(static_cast<CQuarryDlg&>(view.Dialog()).SendMessage(WM_QUERYDRAGICON),
              reinterpret_cast<INT_PTR>(AfxGetApp()->LoadIcon(IDR_MAINFRAME)));
  });
}

TEST_F(DialogTest, AboutBoxOkButtonClosesIt) {
  headless::SetModalDriver([](headless::ModalView& view) { view.Click(IDOK); });
  CAboutDlg about;
  EXPECT_EQ(about.DoModal(), IDOK);
}
