// "Browse": the folder chooser fills the folder field; cancelling keeps it.
#include "tests/dialog/dialog_fixture.h"

TEST_F(DialogTest, BrowseFillsTheFolderFieldAndMember) {
  WritePicture("chosen/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    auto& dialog = static_cast<CQuarryDlg&>(view.Dialog());
    view.Type(IDC_FOLDER, L"typed");
    headless::SetFolderChooserAnswer(CString(L"/first"));
    view.Click(IDC_BROWSE);
    headless::SetFolderChooserAnswer(CString(L"chosen"));
    view.Click(IDC_BROWSE);
    EXPECT_EQ(view.Text(IDC_FOLDER).str(), L"chosen");
    EXPECT_EQ(dialog.m_strFolder.str(), L"chosen");
    EXPECT_FALSE(HasRunOutputs(16));  // choosing starts nothing

    view.Click(IDC_CONVERT);
    EXPECT_EQ(dialog.m_nFileCount, 1);
  });
  const auto& calls = headless::FolderChooserCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].title.str(), L"Please select the folder");
  EXPECT_EQ(calls[0].flags, 0x1003u);
  EXPECT_EQ(calls[0].ownerId, IDC_BROWSE);
}

TEST_F(DialogTest, CancelledBrowseLeavesTheFolderAsItWas) {
  RunMainDialog([&](headless::ModalView& view) {
    auto& dialog = static_cast<CQuarryDlg&>(view.Dialog());
    headless::SetFolderChooserAnswer(CString(L"/picked"));
    view.Click(IDC_BROWSE);
    headless::SetFolderChooserAnswer(std::nullopt);
    view.Click(IDC_BROWSE);
    EXPECT_EQ(view.Text(IDC_FOLDER).str(), L"/picked");
    EXPECT_EQ(dialog.m_strFolder.str(), L"/picked");
  });
  EXPECT_EQ(headless::FolderChooserCalls().size(), 2u);
}

TEST_F(DialogTest, FolderEditedAfterBrowsingWins) {
  WritePicture("typed/p.bmp", 2, 2);
  RunMainDialog([&](headless::ModalView& view) {
    headless::SetFolderChooserAnswer(CString(L"nowhere"));
    view.Click(IDC_BROWSE);
    view.Type(IDC_FOLDER, L"typed");
    view.Click(IDC_CONVERT);
    EXPECT_EQ(static_cast<CQuarryDlg&>(view.Dialog()).m_strFolder.str(), L"typed");
    EXPECT_EQ(view.Lines(IDC_LOG).size(), 4u);
  });
  EXPECT_TRUE(headless::MessageBoxes().empty());
}
