// Start-up: InitInstance runs the main dialog modally and ends the
// application however the dialog closes.
#include "tests/dialog/dialog_fixture.h"

TEST_F(DialogTest, InitInstanceRunsTheMainDialogAndReturnsFalse) {
  for (bool enter : {false, true}) {
    int shown = 0;
    headless::SetModalDriver([&](headless::ModalView& view) {
      ++shown;
      EXPECT_EQ(view.TemplateId(), static_cast<UINT>(IDD_RASTRUM_DIALOG));
      EXPECT_EQ(AfxGetApp()->m_pMainWnd, &view.Dialog());
      enter ? view.PressEnter() : view.ChooseSystemCommand(SC_CLOSE);
    });
    EXPECT_EQ(theApp.InitInstance(), FALSE);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(AfxGetApp()->m_pMainWnd, nullptr);
  }
  EXPECT_EQ(AfxGetApp(), &theApp);
  EXPECT_EQ(headless::RegisteredControlClasses(), static_cast<UINT>(ICC_WIN95_CLASSES));
  EXPECT_EQ(theApp.m_strRegistryKey.str(),
            L"\u5E94\u7528\u7A0B\u5E8F\u5411\u5BFC\u751F\u6210\u7684\u672C\u5730\u5E94\u7528"
            L"\u7A0B\u5E8F");
}

TEST_F(DialogTest, StartUpWritesNothing) {
  headless::SetModalDriver([](headless::ModalView& view) { view.PressEscape(); });
  theApp.InitInstance();
  EXPECT_TRUE(FilesHere().empty());
}

TEST(AppName, IsTheExecutableFileNameWithoutExtension) {
  struct Case {
    const wchar_t* path;
    const wchar_t* name;
  };
  for (Case c :
       {Case{L"/usr/local/bin/ZT_Rastrum", L"ZT_Rastrum"}, Case{L"ZT_Rastrum", L"ZT_Rastrum"},
        Case{L"C:\\Tools\\ZT_Rastrum.exe", L"ZT_Rastrum"}, Case{L"./build/app/.hidden", L".hidden"},
        Case{L"/opt/a.b/prog.bin", L"prog"}}) {
    EXPECT_EQ(AfxAppNameFromPath(c.path).str(), c.name) << CString(c.path).GetLength();
  }
}
