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
#include "ui/framework/menu_model.h"
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

struct Control : Node {
  Control() : Node(false) {}
  const DialogItemTemplate* item = nullptr;
  ControlKind kind = ControlKind::kText;
  Window* owner = nullptr;
  CString text;
  bool visible = false;
  UINT check = BST_UNCHECKED;
  std::vector<CString> lines;
  int curSel = -1;
  int topIndex = 0;
  int busyAdds = 0;
};

struct Window : Node {
  Window() : Node(true) {}
  CDialog* dialog = nullptr;
  const DialogTemplate* tmpl = nullptr;
  CString caption;
  std::vector<std::unique_ptr<Control>> controls;
  bool iconic = false;
  bool ended = false;
  INT_PTR result = 0;
  Control* focus = nullptr;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  MenuModel systemMenu;
  CMenu systemMenuObject;
  CRect client;
  PaintRecord* paint = nullptr;
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

HWND ToHwnd(Node* node) {
  return reinterpret_cast<HWND>(node);
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

Control* FindControl(const Window* window, int id) {
  if (!window) return nullptr;
  for (const auto& control : window->controls) {
    if (control->item->id.value == id) return control.get();
  }
  return nullptr;
}

Control& Require(const Window& window, int id) {
  Control* control = FindControl(&window, id);
  if (!control) throw std::out_of_range("no control with that id");
  return *control;
}

void Build(Window& window, const DialogTemplate& tmpl) {
  window.tmpl = &tmpl;
  window.caption = tmpl.caption;
  window.client = {0, 0, tmpl.cx, tmpl.cy};
  window.systemMenu.items = dialog_manager::DefaultSystemMenu(tmpl.style);
  window.systemMenuObject.m_hMenu = ToHmenu(&window.systemMenu);
  for (const DialogItemTemplate& item : tmpl.items) {
    auto control = std::make_unique<Control>();
    control->item = &item;
    control->kind = dialog_manager::KindOf(item);
    control->owner = &window;
    control->text = item.text ? CString(item.text) : CString();
    control->visible = item.style & WS_VISIBLE;
    window.controls.push_back(std::move(control));
  }
}

bool TakesTabStop(const Control& control) {
  return control.visible && (control.item->style & WS_TABSTOP);
}

INT_PTR Command(Window& window, int id, HWND from) {
  return window.dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                    reinterpret_cast<INT_PTR>(from));
}

size_t IndexOf(const Window& window, const Control& control) {
  for (size_t i = 0; i < window.controls.size(); ++i) {
    if (window.controls[i].get() == &control) return i;
  }
  return window.controls.size();
}

}  // namespace

CDialog& ModalView::Dialog() const {
  return *window_.dialog;
}
UINT ModalView::TemplateId() const {
  return static_cast<UINT>(window_.tmpl->id.value);
}
CString ModalView::Caption() const {
  return window_.caption;
}
HICON ModalView::Icon(bool big) const {
  return big ? window_.bigIcon : window_.smallIcon;
}
bool ModalView::Ended() const {
  return window_.ended;
}
INT_PTR ModalView::Result() const {
  return window_.result;
}
bool ModalView::Exists(int id) const {
  return FindControl(&window_, id) != nullptr;
}
CString ModalView::Text(int id) const {
  return Require(window_, id).text;
}
bool ModalView::IsVisible(int id) const {
  return Require(window_, id).visible;
}
UINT ModalView::Check(int id) const {
  return Require(window_, id).check;
}
std::vector<CString> ModalView::Lines(int id) const {
  return Require(window_, id).lines;
}
int ModalView::CurSel(int id) const {
  return Require(window_, id).curSel;
}
int ModalView::TopIndex(int id) const {
  return Require(window_, id).topIndex;
}
int ModalView::LinesAddedBusy(int id) const {
  return Require(window_, id).busyAdds;
}
int ModalView::Focus() const {
  return window_.focus ? window_.focus->item->id.value : 0;
}

void ModalView::Type(int id, const CString& text) {
  Control& control = Require(window_, id);
  if (control.kind == ControlKind::kEdit && control.visible) control.text = text;
}

void ModalView::Click(int id) {
  Control& control = Require(window_, id);
  if (!control.visible || window_.ended) return;
  const auto& items = window_.tmpl->items;
  switch (control.kind) {
    case ControlKind::kRadioButton:
      for (size_t i : dialog_manager::RadioGroupOf(items, IndexOf(window_, control))) {
        window_.controls[i]->check = BST_UNCHECKED;
      }
      control.check = BST_CHECKED;
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
  window_.focus = &control;
  Command(window_, id, ToHwnd(&control));
}

void ModalView::SetFocus(int id) {
  Control& control = Require(window_, id);
  if (control.visible) window_.focus = &control;
}

void ModalView::PressEnter() {
  if (window_.ended) return;
  if (window_.focus && dialog_manager::IsPushButton(window_.focus->kind)) {
    Command(window_, window_.focus->item->id.value, ToHwnd(window_.focus));
    return;
  }
  Command(window_, dialog_manager::DefaultCommandId(window_.tmpl->items), nullptr);
}

void ModalView::PressEscape() {
  if (!window_.ended) Command(window_, IDCANCEL, nullptr);
}

void ModalView::PressTab() {
  size_t count = window_.controls.size();
  size_t start = window_.focus ? IndexOf(window_, *window_.focus) : count - 1;
  for (size_t step = 1; step <= count; ++step) {
    Control& next = *window_.controls[(start + step) % count];
    if (TakesTabStop(next)) {
      window_.focus = &next;
      return;
    }
  }
}

std::vector<MenuItemView> ModalView::SystemMenu() const {
  std::vector<MenuItemView> items;
  for (const auto& item : window_.systemMenu.items)
    items.push_back({item.flags, item.id, item.text});
  return items;
}

void ModalView::ChooseSystemCommand(UINT command) {
  if (!window_.ended) window_.dialog->SendMessage(WM_SYSCOMMAND, command, 0);
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
  window_.dialog->SendMessage(WM_PAINT, 0, 0);
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

BOOL CWnd::ShowWindow(int nCmdShow) {
  Control* control = ControlOf(m_hWnd);
  if (!control) return FALSE;
  BOOL was = control->visible;
  control->visible = nCmdShow != SW_HIDE;
  if (!control->visible && control->owner->focus == control) control->owner->focus = nullptr;
  return was;
}

BOOL CWnd::IsWindowVisible() const {
  if (Control* control = ControlOf(m_hWnd)) return control->visible;
  return WindowOf(m_hWnd) != nullptr;
}

BOOL CWnd::IsIconic() const {
  Window* window = WindowOf(m_hWnd);
  return window && window->iconic;
}

void CWnd::SetWindowText(const wchar_t* lpszString) {
  if (Window* window = WindowOf(m_hWnd)) window->caption = lpszString;
  if (Control* control = ControlOf(m_hWnd)) control->text = lpszString;
}

void CWnd::GetWindowText(CString& rString) const {
  if (Window* window = WindowOf(m_hWnd)) rString = window->caption;
  if (Control* control = ControlOf(m_hWnd)) rString = control->text;
}

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  Window* window = WindowOf(m_hWnd);
  if (!window) return;
  (bBigIcon ? window->bigIcon : window->smallIcon) = hIcon;
}

void CWnd::GetClientRect(CRect* lpRect) const {
  if (Window* window = WindowOf(m_hWnd)) *lpRect = window->client;
}

HWND CWnd::GetDlgItemHandle(int nID) const {
  return headless::ToHwnd(FindControl(WindowOf(m_hWnd), nID));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  Control* control = FindControl(WindowOf(m_hWnd), nID);
  rString = control ? control->text : CString();
  return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, const wchar_t* lpszString) {
  if (Control* control = FindControl(WindowOf(m_hWnd), nID)) control->text = lpszString;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
    if (Control* control = FindControl(WindowOf(m_hWnd), id)) {
      control->check = id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED;
    }
  }
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
  if (Control* control = FindControl(WindowOf(m_hWnd), nIDButton)) control->check = nCheck;
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const {
  Control* control = FindControl(WindowOf(m_hWnd), nIDButton);
  return control ? control->check : BST_UNCHECKED;
}

CMenu* CWnd::GetSystemMenu(BOOL) const {
  Window* window = WindowOf(m_hWnd);
  if (!window || !(window->tmpl->style & WS_SYSMENU)) return nullptr;
  return &window->systemMenuObject;
}

INT_PTR CWnd::SendMessage(UINT message, WPARAM wParam, INT_PTR lParam) {
  if (message == WM_ICONERASEBKGND) {
    Window* window = WindowOf(m_hWnd);
    if (window && window->paint) window->paint->erasedIconBackground = true;
    return 1;
  }
  INT_PTR result = 0;
  if (OnWndMsg(message, wParam, lParam, &result)) return result;
  return DefWindowProc(message, wParam, lParam);
}

INT_PTR CWnd::DefWindowProc(UINT message, WPARAM wParam, INT_PTR) {
  Window* window = WindowOf(m_hWnd);
  if (!window) return 0;
  if (message == WM_PAINT && window->paint) window->paint->defaultPainting = true;
  if (message != WM_SYSCOMMAND) return 0;
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      break;
    case SC_MINIMIZE:
      window->iconic = true;
      break;
    case SC_RESTORE:
      window->iconic = false;
      break;
  }
  return 0;
}

CWnd* CWnd::GetFocus() {
  auto& state = headless::Global();
  if (state.openWindows.empty() || !state.openWindows.back()->focus) return nullptr;
  state.focusObject.m_hWnd = headless::ToHwnd(state.openWindows.back()->focus);
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
  if (control->item->style & LBS_SORT) {
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

void CListBox::SetCurSel(int index) {
  Control* control = ControlOf(m_hWnd);
  if (!control) return;
  if (index < 0 || index >= GetCount()) {
    control->curSel = -1;
    return;
  }
  control->curSel = index;
  int rows = std::max(1, control->item->cy / headless::kListLineHeight);
  if (index < control->topIndex) control->topIndex = index;
  if (index >= control->topIndex + rows) control->topIndex = index - rows + 1;
}

int CListBox::GetCurSel() const {
  Control* control = ControlOf(m_hWnd);
  return control ? control->curSel : -1;
}

void CListBox::ResetContent() {
  Control* control = ControlOf(m_hWnd);
  if (!control) return;
  control->lines.clear();
  control->curSel = -1;
  control->topIndex = 0;
}

void CListBox::GetText(int index, CString& rString) const {
  Control* control = ControlOf(m_hWnd);
  rString = control && index >= 0 && index < GetCount() ? control->lines[static_cast<size_t>(index)]
                                                        : CString();
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
  auto* window = reinterpret_cast<Window*>(m_hDC);
  if (!window || !window->paint) return FALSE;
  *window->paint = {window->paint->erasedIconBackground, true, x, y, hIcon, false};
  return TRUE;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
  m_hDC = reinterpret_cast<HDC>(WindowOf(pWnd->m_hWnd));
}

CPaintDC::~CPaintDC() = default;

INT_PTR CDialog::DoModal() {
  const DialogTemplate* tmpl = AfxFindDialogTemplate(m_nIDTemplate);
  if (!tmpl) return -1;
  Window window;
  window.dialog = this;
  headless::Build(window, *tmpl);
  m_hWnd = headless::ToHwnd(&window);
  auto& state = headless::Global();
  state.openWindows.push_back(&window);

  if (OnInitDialog() && !window.focus) {
    for (const auto& control : window.controls) {
      if (headless::TakesTabStop(*control)) {
        window.focus = control.get();
        break;
      }
    }
  }
  if (!window.ended) {
    headless::ModalView view(window);
    if (state.driver) {
      state.driver(view);
    } else {
      EndDialog(IDCANCEL);
    }
  }
  state.openWindows.pop_back();
  m_hWnd = nullptr;
  return window.ended ? window.result : -1;
}

void CDialog::EndDialog(int nResult) {
  Window* window = WindowOf(m_hWnd);
  if (!window) return;
  window->ended = true;
  window->result = nResult;
}

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
  state.folderCalls.push_back({lpszTitle, ulFlags, owner ? owner->item->id.value : 0});
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
