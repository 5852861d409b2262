// Templates 102, 100 and 103 read back from the running dialogs and compared with
// the resource tables: every control in order, with its id, class, text,
// style and place. Places are compared in pixels with the template's
// rectangles converted for a dialog in the template's font.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/dialog/win32_driver.h"
#include "tests/support/bmp_writer.h"
#include "ui/dialog_templates.h"
#include "ui/resource.h"

namespace {

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// An empty, hidden dialog in a template's font: its dialog units are the
// ones the program's dialog must be laid out in.
class ReferenceDialog {
 public:
  explicit ReferenceDialog(const DialogFont& font) {
    auto add32 = [this](DWORD value) {
      words_.push_back(LOWORD(value));
      words_.push_back(HIWORD(value));
    };
    words_ = {1, 0xFFFF};
    add32(0);  // help id
    add32(0);  // extended style
    add32(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SHELLFONT);
    words_.insert(words_.end(), {0, 0, 0, 10, 10, 0, 0, 0});  // no controls, menu, class, title
    words_.insert(words_.end(), {static_cast<WORD>(font.pointSize), static_cast<WORD>(font.weight),
                                 static_cast<WORD>((font.italic ? 1 : 0) | font.charset << 8)});
    for (wchar_t c : std::wstring_view(font.face)) words_.push_back(c);
    words_.push_back(0);
    window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                         reinterpret_cast<LPCDLGTEMPLATEW>(words_.data()), nullptr,
                                         IgnoreMessages, 0);
  }
  ~ReferenceDialog() { DestroyWindow(window_); }

  // Converts the origin and the size each on its own, as the dialog
  // manager places a control, so that rounding cannot differ.
  RECT Pixels(int x, int y, int cx, int cy) const {
    RECT units = {x, y, cx, cy};
    MapDialogRect(window_, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
  }
  bool Valid() const { return window_ != nullptr; }

 private:
  std::vector<WORD> words_;
  HWND window_ = nullptr;
};

std::string Describe(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
         std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

bool IsRadio(uint32_t style) {
  return (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

bool IsListBox(const DialogItemTemplate& item) {
  return std::string_view(item.windowClass) == "LISTBOX";
}

bool IsBoxed(const DialogItemTemplate& item) {
  return IsListBox(item) || std::string_view(item.windowClass) == "EDIT";
}

// Leaves out the bits the controls manage themselves: edits and list boxes
// draw the template's border as a sunken edge (WS_EX_CLIENTEDGE), and a
// list box carries WS_VSCROLL only while it needs the scroll bar.
uint32_t Comparable(const DialogItemTemplate& item, uint32_t style) {
  if (IsBoxed(item)) style &= ~WS_BORDER;
  if (IsListBox(item)) style &= ~WS_VSCROLL;
  return style;
}

// The style a control shows at run time: the checked radio button of a
// group is made its tab stop, and the program hides list 1003.
uint32_t RunTimeStyle(const DialogItemTemplate& item, HWND window) {
  uint32_t style = Comparable(item, item.style);
  if (IsRadio(style) && SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    style |= WS_TABSTOP;
  }
  if (item.id.value == IDC_AUX_LIST) style &= ~WS_VISIBLE;
  return style;
}

// Texts the program sets as its dialogs open: the default extension, and
// the preview's labels and the picture's details.
const wchar_t* RunTimeText(const DialogItemTemplate& item) {
  switch (item.id.value) {
    case IDC_EXTENSIONS:
      return L"bmp";
    case IDC_PREVIEW_SOURCE_LABEL:
    case IDC_PREVIEW_SHOWN_LABEL:
    case IDC_PREVIEW_NAME:
    case IDC_PREVIEW_PLACE:
    case IDC_ZOOM:
      return nullptr;
    default:
      return item.text ? item.text : L"";
  }
}

void ExpectControls(HWND dialog, const DialogTemplate& want) {
  ReferenceDialog reference(want.font);
  ASSERT_TRUE(reference.Valid());
  RECT client = {};
  GetClientRect(dialog, &client);
  RECT size = reference.Pixels(0, 0, want.cx, want.cy);
  EXPECT_EQ(Describe(client), Describe(size)) << "client area";

  std::vector<HWND> children = win32_testing::Children(dialog);
  ASSERT_EQ(children.size(), want.items.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const DialogItemTemplate& item = want.items[i];
    HWND window = children[i];
    SCOPED_TRACE("control " + std::to_string(i + 1));
    EXPECT_EQ(GetDlgCtrlID(window), item.id.value);
    EXPECT_EQ(win32_testing::ClassName(window),
              win32_testing::SystemClassOf(item.windowClass).name);
    bool icon = item.iconId.name != nullptr;
    if (const wchar_t* text = RunTimeText(item); text && !icon) {
      EXPECT_EQ(win32_testing::WindowText(window), text);
    }

    auto style = static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE));
    auto exStyle = static_cast<uint32_t>(GetWindowLongW(window, GWL_EXSTYLE));
    EXPECT_EQ(Comparable(item, style), RunTimeStyle(item, window)) << std::hex << style;
    bool bordered = (style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE);
    EXPECT_EQ(bordered, (item.style & WS_BORDER) != 0);
    // The dialog manager marks every control WS_EX_NOPARENTNOTIFY.
    EXPECT_EQ(exStyle & ~(WS_EX_NOPARENTNOTIFY | WS_EX_CLIENTEDGE), 0u) << std::hex << exStyle;

    RECT place = win32_testing::RectInClient(window, dialog);
    RECT expected = reference.Pixels(item.x, item.y, item.cx, item.cy);
    if (!icon) {
      EXPECT_EQ(Describe(place), Describe(expected));
    } else {
      // An icon control takes the size of its icon.
      EXPECT_EQ(place.left, expected.left);
      EXPECT_EQ(place.top, expected.top);
    }
  }
}

// What the system adds to a dialog's own styles: WS_CLIPSIBLINGS and
// DS_3DLOOK, and WS_VISIBLE once it runs; DS_MODALFRAME brings the modal
// frame's extended styles, and a dialog with controls becomes
// WS_EX_CONTROLPARENT.
void ExpectFrame(HWND dialog, const DialogTemplate& want) {
  auto style = static_cast<uint32_t>(GetWindowLongW(dialog, GWL_STYLE));
  auto exStyle = static_cast<uint32_t>(GetWindowLongW(dialog, GWL_EXSTYLE));
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_EQ(style & ~(WS_CLIPSIBLINGS | DS_3DLOOK | WS_VISIBLE), want.style & ~WS_VISIBLE)
      << std::hex << style;
  EXPECT_EQ(exStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT), want.exStyle)
      << std::hex << exStyle;
  EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
}

class RunningTemplates : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_.Start()); }

  testing_support::TempDir dir_;
  win32_testing::Program program_{dir_.path()};
};

}  // namespace

TEST_F(RunningTemplates, MainDialogIsTemplate102) {
  ExpectFrame(program_.Dialog(), MainDialogTemplate());
  ExpectControls(program_.Dialog(), MainDialogTemplate());
}

TEST_F(RunningTemplates, AboutBoxIsTemplate100) {
  program_.PostSystemCommand(IDM_ABOUTBOX);
  const DialogTemplate& want = AboutDialogTemplate();
  HWND about = program_.WaitForWindow(want.caption);
  ASSERT_NE(about, nullptr);
  ExpectFrame(about, want);
  ExpectControls(about, want);
  // The icon control shows icon 128 at the system's icon size.
  HWND icon = win32_testing::Children(about).front();
  RECT place = win32_testing::RectInClient(icon, about);
  EXPECT_EQ(place.right - place.left, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(place.bottom - place.top, GetSystemMetrics(SM_CYICON));
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program_.WaitForNoWindow(want.caption));
}

// The picture controls keep their boxes while they show a picture.
TEST_F(RunningTemplates, PreviewIsTemplate103) {
  testing_support::Picture picture;
  picture.width = 30;
  picture.height = 20;
  testing_support::WriteFile(dir_.path() / "bmp" / "a.bmp", testing_support::EncodeBitmap(picture));
  program_.Click(IDC_CONVERT);
  program_.PostDoubleClick(IDC_LOG, 3);
  const DialogTemplate& want = PreviewDialogTemplate();
  HWND preview = program_.WaitForWindow(want.caption);
  ASSERT_NE(preview, nullptr);
  ExpectFrame(preview, want);
  ExpectControls(preview, want);
  PostMessageW(preview, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(program_.WaitForNoWindow(want.caption));
}
