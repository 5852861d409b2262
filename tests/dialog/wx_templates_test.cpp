// Templates 100, 102 and 103 as the wx backend builds them, read back from the
// widgets and compared with the resource tables: the frame, and every
// control in template order with its id, widget, text, visibility, styles
// and place in the dialog's units. Needs a display (run under Xvfb).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"
#include "ui/dialog_templates.h"
#include "ui/framework/dialog.h"
#include "ui/framework/list_box.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wx_host.h"
#include "ui/resource.h"

namespace {

// Icon controls load their icon through the application.
CWinApp g_app(L"rastrum_dialog_wx_tests");

// The widget that stands for a Windows control of this class and type.
const wxClassInfo* WidgetFor(const DialogItemTemplate& item) {
  std::string_view cls = item.windowClass;
  if (cls == "EDIT") return wxCLASSINFO(wxTextCtrl);
  if (cls == "LISTBOX") return wxCLASSINFO(wxListBox);
  if (cls == "STATIC") {
    uint32_t type = item.style & SS_TYPEMASK;
    return type == SS_ICON || type == SS_BITMAP ? wxCLASSINFO(wxStaticBitmap)
                                                : wxCLASSINFO(wxStaticText);
  }
  switch (item.style & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
      return wxCLASSINFO(wxCheckBox);
    case BS_AUTORADIOBUTTON:
      return wxCLASSINFO(wxRadioButton);
    case BS_GROUPBOX:
      return wxCLASSINFO(wxStaticBox);
    default:
      return wxCLASSINFO(wxButton);
  }
}

std::string Describe(const wxRect& rect) {
  return std::to_string(rect.x) + "," + std::to_string(rect.y) + " " + std::to_string(rect.width) +
         "x" + std::to_string(rect.height);
}

std::string Describe(const wxSize& size) {
  return std::to_string(size.x) + "x" + std::to_string(size.y);
}

// Where the control must be: the template's rectangle in pixels. Labels
// may grow to the right to show all their text; check boxes and radio
// buttons may grow round their middle line to fit the indicator; an icon
// takes the size of the system's icons (a picture control keeps its box).
void ExpectPlace(const DialogItemTemplate& item, const wxRect& want, const wxRect& got) {
  SCOPED_TRACE("placed at " + Describe(got) + ", template " + Describe(want));
  const wxClassInfo* widget = WidgetFor(item);
  if ((item.style & SS_TYPEMASK) == SS_ICON && widget == wxCLASSINFO(wxStaticBitmap)) {
    EXPECT_EQ(Describe(got),
              Describe(wxRect(want.GetTopLeft(), wxSize(SystemIconSize(), SystemIconSize()))));
  } else if (widget == wxCLASSINFO(wxStaticText)) {
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.height, want.height);
    EXPECT_GE(got.width, want.width);
  } else if (widget == wxCLASSINFO(wxCheckBox) || widget == wxCLASSINFO(wxRadioButton)) {
    EXPECT_EQ(got.x, want.x);
    EXPECT_LE(std::abs((got.y + got.GetBottom()) - (want.y + want.GetBottom())), 1);
    EXPECT_GE(got.width, want.width);
    EXPECT_GE(got.height, want.height);
  } else {
    EXPECT_EQ(Describe(got), Describe(want));
  }
}

void ExpectTemplate(const DialogTemplate& tmpl) {
  CDialog owner(static_cast<UINT>(tmpl.id.value));
  std::unique_ptr<DialogWindow> window = CreateDialogWindow(owner, tmpl, nullptr);
  auto* dialog = dynamic_cast<HostDialog*>(ToWx(window->Handle()));
  ASSERT_NE(dialog, nullptr);

  EXPECT_EQ(dialog->GetTitle(), wxString(tmpl.caption));
  EXPECT_EQ(Describe(dialog->GetClientSize()),
            Describe(dialog->Units().ToPixels(tmpl.cx, tmpl.cy)));
  EXPECT_EQ(dialog->HasFlag(wxCAPTION), (tmpl.style & WS_CAPTION) == WS_CAPTION);
  EXPECT_EQ(dialog->HasFlag(wxCLOSE_BOX), (tmpl.style & WS_SYSMENU) != 0);
  EXPECT_EQ(dialog->HasFlag(wxMINIMIZE_BOX), (tmpl.style & WS_MINIMIZEBOX) != 0);
  EXPECT_EQ(dialog->HasFlag(wxRESIZE_BORDER), (tmpl.style & WS_THICKFRAME) != 0);

  const wxWindowList& children = dialog->GetChildren();
  ASSERT_EQ(children.size(), tmpl.items.size());
  bool radioGroupOpen = false;
  size_t index = 0;
  for (wxWindow* child : children) {
    const DialogItemTemplate& item = tmpl.items[index++];
    SCOPED_TRACE("control " + std::to_string(index));
    ASSERT_TRUE(child->IsKindOf(WidgetFor(item))) << child->GetClassInfo()->GetClassName();
    if (item.id.value == -1) {
      EXPECT_LT(child->GetId(), 0);
    } else {
      EXPECT_EQ(child->GetId(), item.id.value);
    }
    if (auto* edit = dynamic_cast<wxTextCtrl*>(child)) {
      EXPECT_EQ(edit->GetValue(), wxString(item.text ? item.text : L""));
    } else if (WidgetFor(item) != wxCLASSINFO(wxStaticBitmap)) {
      EXPECT_EQ(child->GetLabel(), wxString(item.text ? item.text : L""));
    }
    EXPECT_EQ(child->IsShown(), (item.style & WS_VISIBLE) != 0);

    bool defaultButton =
        WidgetFor(item) == wxCLASSINFO(wxButton) && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    EXPECT_EQ(dialog->GetDefaultItem() == child, defaultButton);
    // A radio button after a WS_GROUP mark, or the first of all, starts a
    // group of its own.
    if (item.style & WS_GROUP) radioGroupOpen = false;
    if (WidgetFor(item) == wxCLASSINFO(wxRadioButton)) {
      EXPECT_EQ(child->HasFlag(wxRB_GROUP), !radioGroupOpen);
      radioGroupOpen = true;
    }
    if (WidgetFor(item) == wxCLASSINFO(wxListBox)) {
      EXPECT_EQ(child->HasFlag(wxLB_SORT), (item.style & LBS_SORT) != 0);
    }

    wxRect want = dialog->Units().ToPixels(item.x, item.y, item.cx, item.cy);
    ExpectPlace(item, want, child->GetRect());
  }
}

class TestApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

TEST(WxTemplates, EveryDialogIsBuiltAsItsTemplateSays) {
  for (const DialogTemplate& tmpl : AfxGetResourceTable().dialogs) {
    SCOPED_TRACE(tmpl.id.name);
    ExpectTemplate(tmpl);
  }
}

// A path with bytes that are not UTF-8, as the folder walk and the picker
// decode it: the list and the folder field show one U+FFFD per such byte,
// and the field gives back the path itself until the user edits it.
TEST(WxTemplates, BytesThatAreNotUtf8ShowAsOneReplacementEach) {
  const DialogTemplate& tmpl = MainDialogTemplate();
  CDialog owner(static_cast<UINT>(tmpl.id.value));
  std::unique_ptr<DialogWindow> window = CreateDialogWindow(owner, tmpl, nullptr);
  CWnd dialog;
  dialog.m_hWnd = window->Handle();
  const std::string bytes = "pics/a\xff\xfe\xc3.bmp";
  const CString path = platform::AnsiToWide(bytes);
  const wxString shown = L"pics/a\uFFFD\uFFFD\uFFFD.bmp";

  CListBox list;
  list.m_hWnd = dialog.GetDlgItemHandle(IDC_LOG);
  list.AddString(path);
  EXPECT_EQ(dynamic_cast<wxListBox*>(ToWx(list.m_hWnd))->GetString(0), shown);

  dialog.SetDlgItemText(IDC_FOLDER, path.GetString());
  auto* edit = dynamic_cast<wxTextCtrl*>(ToWx(dialog.GetDlgItemHandle(IDC_FOLDER)));
  EXPECT_EQ(edit->GetValue(), shown);
  CString read;
  dialog.GetDlgItemText(IDC_FOLDER, read);
  EXPECT_EQ(platform::WideToAnsi(read), bytes);
  edit->ChangeValue(shown + "x");
  dialog.GetDlgItemText(IDC_FOLDER, read);
  EXPECT_EQ(read.str(), (shown + "x").ToStdWstring());
  list.m_hWnd = nullptr;
  dialog.m_hWnd = nullptr;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new TestApp);
  int wxArgc = 1;
  if (!wxEntryStart(wxArgc, argv)) {
    std::fprintf(stderr, "rastrum_dialog_wx_tests: cannot open the display\n");
    return 1;
  }
  wxTheApp->CallOnInit();
  int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
