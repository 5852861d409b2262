// The headless backend: every framework call works on an in-memory model
// of the dialog, so dialog logic runs in tests without a display.
#include "ui/framework/headless.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "ui/framework/dc.h"
#include "ui/framework/dialog_manager.h"
#include "ui/framework/folder_picker.h"
#include "ui/framework/list_box.h"
#include "ui/framework/menu.h"
#include "ui/framework/message_box.h"
#include "ui/framework/resources.h"
#include "ui/framework/wait_cursor.h"
#include "ui/framework/win_app.h"

using dialog_manager::ControlKind;

namespace headless {

struct Node {
  explicit Node(bool window) : isWindow(window) {}
  bool isWindow;
};

namespace {

HWND ToHwnd(Node* node) {
  return reinterpret_cast<HWND>(node);
}

}  // namespace

struct Control : Node {
  Control(Window& window, const DialogItemTemplate& tmpl, size_t position)
      : Node(false),
        owner(window),
        item(tmpl),
        index(position),
        kind(dialog_manager::KindOf(tmpl)),
        text(tmpl.text ? CString(tmpl.text) : CString()),
        visible(tmpl.style & WS_VISIBLE) {}
  Window& owner;
  const DialogItemTemplate& item;
  size_t index;
  ControlKind kind;
  CString text;
  bool visible;
  UINT check = BST_UNCHECKED;
  std::vector<CString> lines;
  int curSel = -1;
  int topIndex = 0;
  int busyAdds = 0;
  ZoomedPixels picture;
};

struct Window : Node, DialogWindow {
  Window(CDialog& dialog, const DialogTemplate& tmpl);
  ~Window() override;

  HWND Handle() override { return ToHwnd(this); }
  BOOL EraseIconBackground(HDC) override {
    if (paint) paint->erasedIconBackground = true;
    return TRUE;
  }
  Control* Find(int id) const {
    for (const auto& control : controls) {
      if (control->item.id.value == id) return control.get();
    }
    return nullptr;
  }
  Control& Require(int id) const {
    Control* control = Find(id);
    if (!control) throw std::out_of_range("no control with that id");
    return *control;
  }
  bool HasFocus(const Control& control) const { return focus == control.index; }
  bool IsButtonChecked(size_t index) const override {
    return controls[index]->check == BST_CHECKED;
  }
  void CheckRadioButton(size_t index) override {
    for (size_t i : dialog_manager::RadioGroupOf(Template().items, index)) {
      controls[i]->check = BST_UNCHECKED;
    }
    controls[index]->check = BST_CHECKED;
  }

  CString caption;
  std::vector<std::unique_ptr<Control>> controls;
  size_t focus;  // controls.size(): none
  bool iconic = false;
  CRect client;
  PaintRecord* paint = nullptr;

 protected:
  bool IsControlShown(size_t index) const override { return controls[index]->visible; }
  HWND ControlHandle(size_t index) const override { return ToHwnd(controls[index].get()); }
  size_t FocusedControl() const override { return focus; }
  void FocusControl(size_t index) override { focus = index; }
  void SetMinimized(bool minimized) override { iconic = minimized; }
  void PaintDefault() override {
    if (paint) paint->defaultPainting = true;
  }
  INT_PTR RunModalLoop() override;
  void EndModalLoop(int) override {}
};

namespace {

constexpr int kSystemIconSize = 32;
// A list line is about 8 dialog units high at the template's font size.
constexpr int kListLineHeight = 8;

struct State {
  ModalDriver driver;
  std::vector<MessageBoxCall> messageBoxes;
  std::vector<FolderChooserCall> folderCalls;
  std::optional<CString> folderAnswer;
  std::vector<Window*> openWindows;
  UINT controlClasses = 0;
  int busyDepth = 0;
  CWnd focusObject;
};

State& Global() {
  static State state;
  return state;
}

Node* FromHwnd(HWND hWnd) {
  return reinterpret_cast<Node*>(hWnd);
}

Window* WindowOf(HWND hWnd) {
  Node* node = FromHwnd(hWnd);
  return node && node->isWindow ? static_cast<Window*>(node) : nullptr;
}

Control* ControlOf(HWND hWnd) {
  Node* node = FromHwnd(hWnd);
  return node && !node->isWindow ? static_cast<Control*>(node) : nullptr;
}

Control* FindControl(HWND dialog, int id) {
  Window* window = WindowOf(dialog);
  return window ? window->Find(id) : nullptr;
}

}  // namespace

Window::Window(CDialog& dialog, const DialogTemplate& tmpl)
    : Node(true),
      DialogWindow(dialog, tmpl),
      caption(tmpl.caption),
      client{0, 0, tmpl.cx, tmpl.cy} {
  for (const DialogItemTemplate& item : tmpl.items) {
    controls.push_back(std::make_unique<Control>(*this, item, controls.size()));
  }
  focus = controls.size();
  Global().openWindows.push_back(this);
}

Window::~Window() {
  Global().openWindows.pop_back();
}

INT_PTR Window::RunModalLoop() {
  ModalView view(*this);
  if (Global().driver) {
    Global().driver(view);
  } else {
    Owner().EndDialog(IDCANCEL);
  }
  return Ended() ? Result() : -1;
}

CDialog& ModalView::Dialog() const {
  return window_.Owner();
}
UINT ModalView::TemplateId() const {
  return static_cast<UINT>(window_.Template().id.value);
}
CString ModalView::Caption() const {
  return window_.caption;
}
HICON ModalView::Icon(bool big) const {
  return window_.Icon(big);
}
bool ModalView::Ended() const {
  return window_.Ended();
}
INT_PTR ModalView::Result() const {
  return window_.Result();
}
CString ModalView::Text(int id) const {
  return window_.Require(id).text;
}
bool ModalView::IsVisible(int id) const {
  return window_.Require(id).visible;
}
UINT ModalView::Check(int id) const {
  return window_.Require(id).check;
}
std::vector<CString> ModalView::Lines(int id) const {
  return window_.Require(id).lines;
}
int ModalView::CurSel(int id) const {
  return window_.Require(id).curSel;
}
int ModalView::TopIndex(int id) const {
  return window_.Require(id).topIndex;
}
int ModalView::LinesAddedBusy(int id) const {
  return window_.Require(id).busyAdds;
}
const ZoomedPixels& ModalView::Picture(int id) const {
  return window_.Require(id).picture;
}
int ModalView::Focus() const {
  return window_.focus < window_.controls.size() ? window_.controls[window_.focus]->item.id.value
                                                 : 0;
}

void ModalView::Type(int id, const CString& text) {
  Control& control = window_.Require(id);
  if (control.kind == ControlKind::kEdit && control.visible) control.text = text;
}

void ModalView::Click(int id) {
  Control& control = window_.Require(id);
  if (!control.visible || window_.Ended()) return;
  switch (control.kind) {
    case ControlKind::kRadioButton:
      window_.CheckRadioButton(control.index);
      break;
    case ControlKind::kCheckBox:
      control.check = control.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      break;
    case ControlKind::kPushButton:
    case ControlKind::kDefPushButton:
      break;
    default:
      return;
  }
  window_.focus = control.index;
  window_.Command(id, ToHwnd(&control));
}

void ModalView::SetFocus(int id) {
  Control& control = window_.Require(id);
  if (control.visible) window_.focus = control.index;
}

void ModalView::DoubleClick(int id, int line) {
  Control& control = window_.Require(id);
  if (control.kind != ControlKind::kListBox || !control.visible || window_.Ended()) return;
  if (line < 0 || line >= static_cast<int>(control.lines.size())) return;
  control.curSel = line;
  window_.focus = control.index;
  if (control.item.style & LBS_NOTIFY) window_.Notify(id, LBN_DBLCLK, ToHwnd(&control));
}

void ModalView::PressEnter() {
  if (!window_.Ended()) window_.PressEnter();
}

void ModalView::PressEscape() {
  if (!window_.Ended()) window_.PressEscape();
}

void ModalView::PressTab() {
  window_.PressTab();
}

void ModalView::PressArrow(bool forward) {
  if (!window_.Ended()) window_.PressArrow(forward);
}

const std::vector<dialog_manager::MenuItem>& ModalView::SystemMenu() const {
  return window_.SystemMenuItems();
}

void ModalView::ChooseSystemCommand(UINT command) {
  if (!window_.Ended()) window_.SystemCommand(command);
}

PaintRecord ModalView::PaintMinimized(int clientWidth, int clientHeight) {
  window_.iconic = true;
  window_.client = {0, 0, clientWidth, clientHeight};
  PaintRecord record = Paint();
  window_.iconic = false;
  return record;
}

PaintRecord ModalView::Paint() {
  PaintRecord record;
  window_.paint = &record;
  window_.Owner().SendMessage(WM_PAINT, 0, 0);
  window_.paint = nullptr;
  return record;
}

void SetModalDriver(ModalDriver driver) {
  Global().driver = std::move(driver);
}
const std::vector<MessageBoxCall>& MessageBoxes() {
  return Global().messageBoxes;
}
const std::vector<FolderChooserCall>& FolderChooserCalls() {
  return Global().folderCalls;
}
void SetFolderChooserAnswer(std::optional<CString> path) {
  Global().folderAnswer = path;
}
UINT RegisteredControlClasses() {
  return Global().controlClasses;
}
int SystemIconSize() {
  return kSystemIconSize;
}

void Reset() {
  State& state = Global();
  state.driver = nullptr;
  state.messageBoxes.clear();
  state.folderCalls.clear();
  state.folderAnswer.reset();
  state.controlClasses = 0;
}

}  // namespace headless

using headless::Control;
using headless::ControlOf;
using headless::FindControl;
using headless::Window;
using headless::WindowOf;

DialogWindow* DialogWindowOf(HWND hWnd) {
  return WindowOf(hWnd);
}

std::unique_ptr<DialogWindow> CreateDialogWindow(CDialog& dialog, const DialogTemplate& tmpl,
                                                 HWND) {
  return std::make_unique<Window>(dialog, tmpl);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
  Control* control = ControlOf(m_hWnd);
  if (!control) return FALSE;
  BOOL was = control->visible;
  control->visible = nCmdShow != SW_HIDE;
  if (!control->visible && control->owner.HasFocus(*control)) {
    control->owner.focus = control->owner.controls.size();
  }
  return was;
}

BOOL CWnd::IsIconic() const {
  Window* window = WindowOf(m_hWnd);
  return window && window->iconic;
}

void CWnd::SetWindowText(const wchar_t* lpszString) {
  if (Window* window = WindowOf(m_hWnd)) window->caption = lpszString;
  if (Control* control = ControlOf(m_hWnd)) control->text = lpszString;
}

// A control's client area is its template box, one pixel a dialog unit.
void CWnd::GetClientRect(CRect* lpRect) const {
  if (Window* window = WindowOf(m_hWnd)) *lpRect = window->client;
  if (Control* control = ControlOf(m_hWnd)) *lpRect = {0, 0, control->item.cx, control->item.cy};
}

HWND CWnd::GetDlgItemHandle(int nID) const {
  return headless::ToHwnd(FindControl(m_hWnd, nID));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  Control* control = FindControl(m_hWnd, nID);
  rString = control ? control->text : CString();
  return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, const wchar_t* lpszString) {
  if (Control* control = FindControl(m_hWnd, nID)) control->text = lpszString;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
    if (Control* control = FindControl(m_hWnd, id)) {
      control->check = id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED;
    }
  }
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
  if (Control* control = FindControl(m_hWnd, nIDButton)) control->check = nCheck;
}

CWnd* CWnd::GetFocus() {
  auto& state = headless::Global();
  if (state.openWindows.empty()) return nullptr;
  Window& window = *state.openWindows.back();
  if (window.focus >= window.controls.size()) return nullptr;
  state.focusObject.m_hWnd = headless::ToHwnd(window.controls[window.focus].get());
  return &state.focusObject;
}

int AfxGetSystemMetrics(int nIndex) {
  return nIndex == SM_CXICON || nIndex == SM_CYICON ? headless::kSystemIconSize : 0;
}

void CListBox::AddString(const CString& line) {
  Control* control = ControlOf(m_hWnd);
  if (!control) return;
  auto& lines = control->lines;
  auto at = lines.end();
  if (control->item.style & LBS_SORT) {
    at = std::upper_bound(lines.begin(), lines.end(), line,
                          [](const CString& a, const CString& b) { return a.str() < b.str(); });
  }
  lines.insert(at, line);
  if (headless::Global().busyDepth > 0) ++control->busyAdds;
}

int CListBox::GetCount() const {
  Control* control = ControlOf(m_hWnd);
  return control ? static_cast<int>(control->lines.size()) : 0;
}

int CListBox::GetCurSel() const {
  Control* control = ControlOf(m_hWnd);
  return control ? control->curSel : -1;
}

void CListBox::SetCurSel(int index) {
  Control* control = ControlOf(m_hWnd);
  if (!control) return;
  if (index < 0 || index >= GetCount()) {
    control->curSel = -1;
    return;
  }
  control->curSel = index;
  int rows = std::max(1, control->item.cy / headless::kListLineHeight);
  if (index < control->topIndex) control->topIndex = index;
  if (index >= control->topIndex + rows) control->topIndex = index - rows + 1;
}

void CListBox::ResetContent() {
  Control* control = ControlOf(m_hWnd);
  if (!control) return;
  control->lines.clear();
  control->curSel = -1;
  control->topIndex = 0;
}

CPixelView::~CPixelView() = default;

void CPixelView::SetPixels(const uint8_t* rgba, int width, int height, int zoom) {
  Control* control = ControlOf(m_hWnd);
  if (!control) return;
  control->picture = ZoomPixels(rgba, width, height, zoom, control->item.cx, control->item.cy);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
  auto* window = reinterpret_cast<Window*>(m_hDC);
  if (!window || !window->paint) return FALSE;
  *window->paint = {window->paint->erasedIconBackground, true, x, y, hIcon, false};
  return TRUE;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
  m_hDC = reinterpret_cast<HDC>(WindowOf(m_pWnd->m_hWnd));
}

CPaintDC::~CPaintDC() = default;

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return reinterpret_cast<HICON>(const_cast<IconResource*>(AfxFindIcon(nIDResource)));
}

BOOL AfxInitCommonControls(UINT dwICC) {
  headless::Global().controlClasses |= dwICC;
  return TRUE;
}

int AfxMessageBox(const wchar_t* lpszText, UINT nType, UINT nIDHelp) {
  CWinApp* app = AfxGetApp();
  headless::Global().messageBoxes.push_back(
      {lpszText, app ? app->m_strAppName : CString(), nType, nIDHelp});
  return IDOK;
}

BOOL AfxBrowseForFolder(CWnd* pOwner, const wchar_t* lpszTitle, UINT ulFlags, CString& rPath) {
  auto& state = headless::Global();
  Control* owner = pOwner ? ControlOf(pOwner->m_hWnd) : nullptr;
  state.folderCalls.push_back({lpszTitle, ulFlags, owner ? owner->item.id.value : 0});
  if (!state.folderAnswer) return FALSE;
  rPath = *state.folderAnswer;
  return TRUE;
}

CWaitCursor::CWaitCursor() {
  ++headless::Global().busyDepth;
}
CWaitCursor::~CWaitCursor() {
  --headless::Global().busyDepth;
}
