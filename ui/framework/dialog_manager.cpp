#include "ui/framework/dialog_manager.h"

#include <string_view>

#include "ui/framework/dialog.h"

namespace dialog_manager {

ControlKind KindOf(const DialogItemTemplate& item) {
  std::string_view cls = item.windowClass;
  if (cls == "EDIT") return ControlKind::kEdit;
  if (cls == "LISTBOX") return ControlKind::kListBox;
  if (cls == "STATIC") {
    switch (item.style & SS_TYPEMASK) {
      case SS_ICON:
        return ControlKind::kIcon;
      case SS_BITMAP:
        return ControlKind::kPicture;
      default:
        return ControlKind::kText;
    }
  }
  switch (item.style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
      return ControlKind::kDefPushButton;
    case BS_AUTOCHECKBOX:
      return ControlKind::kCheckBox;
    case BS_AUTORADIOBUTTON:
      return ControlKind::kRadioButton;
    case BS_GROUPBOX:
      return ControlKind::kGroupBox;
    default:
      return ControlKind::kPushButton;
  }
}

namespace {

size_t GroupStart(std::span<const DialogItemTemplate> items, size_t index) {
  while (index > 0 && !(items[index].style & WS_GROUP)) --index;
  return index;
}

size_t GroupEnd(std::span<const DialogItemTemplate> items, size_t index) {
  ++index;
  while (index < items.size() && !(items[index].style & WS_GROUP)) ++index;
  return index;
}

bool IsPushButton(const DialogItemTemplate& item) {
  ControlKind kind = KindOf(item);
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefPushButton;
}

// Labels, pictures and frames never take the focus, so the arrow keys pass
// over them; edits and lists move their caret or selection with the arrows.
bool TakesFocusByArrow(const DialogItemTemplate& item) {
  switch (KindOf(item)) {
    case ControlKind::kPushButton:
    case ControlKind::kDefPushButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kEdit:
    case ControlKind::kListBox:
      return true;
    default:
      return false;
  }
}

bool WantsArrows(const DialogItemTemplate& item) {
  ControlKind kind = KindOf(item);
  return kind == ControlKind::kEdit || kind == ControlKind::kListBox;
}

int DefaultCommandId(std::span<const DialogItemTemplate> items) {
  for (const DialogItemTemplate& item : items) {
    if (KindOf(item) == ControlKind::kDefPushButton) return item.id.value;
  }
  return IDOK;
}

}  // namespace

std::vector<size_t> RadioGroupOf(std::span<const DialogItemTemplate> items, size_t index) {
  std::vector<size_t> group;
  if (KindOf(items[index]) != ControlKind::kRadioButton) return group;
  for (size_t i = GroupStart(items, index); i < GroupEnd(items, index); ++i) {
    if (KindOf(items[i]) == ControlKind::kRadioButton) group.push_back(i);
  }
  return group;
}

bool StartsRadioGroup(std::span<const DialogItemTemplate> items, size_t index) {
  std::vector<size_t> group = RadioGroupOf(items, index);
  return !group.empty() && group.front() == index;
}

std::vector<MenuItem> DefaultSystemMenu(uint32_t windowStyle) {
  std::vector<MenuItem> menu;
  if (!(windowStyle & WS_SYSMENU)) return menu;
  if (windowStyle & WS_MINIMIZEBOX) {
    menu.push_back({MF_STRING, SC_MINIMIZE, L"Mi&nimize"});
    menu.push_back({MF_SEPARATOR, 0, L""});
  }
  menu.push_back({MF_STRING, SC_CLOSE, L"&Close\tAlt+F4"});
  return menu;
}

}  // namespace dialog_manager

using dialog_manager::MenuItem;

DialogWindow::DialogWindow(CDialog& owner, const DialogTemplate& tmpl)
    : owner_(owner), tmpl_(tmpl), systemMenu_(dialog_manager::DefaultSystemMenu(tmpl.style)) {
  systemMenuObject_.m_hMenu = reinterpret_cast<HMENU>(&systemMenu_);
}

DialogWindow::~DialogWindow() = default;

void DialogWindow::Command(int id, HWND from) {
  Notify(id, BN_CLICKED, from);
}

void DialogWindow::Notify(int id, UINT code, HWND from) {
  owner_.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<INT_PTR>(from));
}

void DialogWindow::PressEnter() {
  size_t focus = FocusedControl();
  if (focus < tmpl_.items.size() && dialog_manager::IsPushButton(tmpl_.items[focus])) {
    Command(tmpl_.items[focus].id.value, ControlHandle(focus));
    return;
  }
  Command(dialog_manager::DefaultCommandId(tmpl_.items), nullptr);
}

void DialogWindow::PressEscape() {
  Command(IDCANCEL, nullptr);
}

size_t DialogWindow::NextTabStop(size_t after) const {
  size_t count = tmpl_.items.size();
  for (size_t step = 1; step <= count; ++step) {
    size_t index = (after + step) % count;
    if ((tmpl_.items[index].style & WS_TABSTOP) && IsControlShown(index)) return index;
  }
  return count;
}

void DialogWindow::PressTab() {
  size_t count = tmpl_.items.size();
  size_t focus = FocusedControl();
  size_t next = NextTabStop(focus < count ? focus : count - 1);
  if (next < count) FocusControl(next);
}

size_t DialogWindow::NextGroupItem(size_t from, bool forward) const {
  size_t first = dialog_manager::GroupStart(tmpl_.items, from);
  size_t size = dialog_manager::GroupEnd(tmpl_.items, from) - first;
  for (size_t step = 1; step < size; ++step) {
    size_t offset = forward ? step : size - step;
    size_t index = first + (from - first + offset) % size;
    if (dialog_manager::TakesFocusByArrow(tmpl_.items[index]) && IsControlShown(index)) {
      return index;
    }
  }
  return from;
}

bool DialogWindow::PressArrow(bool forward) {
  size_t focus = FocusedControl();
  if (focus >= tmpl_.items.size() || dialog_manager::WantsArrows(tmpl_.items[focus])) {
    return false;
  }
  size_t next = NextGroupItem(focus, forward);
  if (next == focus) return true;
  FocusControl(next);
  const DialogItemTemplate& item = tmpl_.items[next];
  if (dialog_manager::KindOf(item) == dialog_manager::ControlKind::kRadioButton &&
      !IsButtonChecked(next)) {
    CheckRadioButton(next);
    Command(item.id.value, ControlHandle(next));
  }
  return true;
}

void DialogWindow::FocusFirstTabStop() {
  size_t count = tmpl_.items.size();
  size_t first = NextTabStop(count - 1);
  if (first < count) FocusControl(first);
}

void DialogWindow::SystemCommand(UINT command) {
  owner_.SendMessage(WM_SYSCOMMAND, command, 0);
}

void DialogWindow::DefaultProcessing(UINT message, WPARAM wParam) {
  if (message == WM_PAINT) PaintDefault();
  if (message != WM_SYSCOMMAND) return;
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      Command(IDCANCEL, nullptr);
      break;
    case SC_MINIMIZE:
      SetMinimized(true);
      break;
    case SC_RESTORE:
      SetMinimized(false);
      break;
  }
}

CMenu* DialogWindow::SystemMenu() {
  return (tmpl_.style & WS_SYSMENU) ? &systemMenuObject_ : nullptr;
}

void DialogWindow::SetIcon(HICON icon, bool big) {
  (big ? bigIcon_ : smallIcon_) = icon;
  IconsChanged();
}

void DialogWindow::End(int result) {
  ended_ = true;
  result_ = result;
  EndModalLoop(result);
}

INT_PTR DialogWindow::RunModal() {
  return ended_ ? result_ : RunModalLoop();
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* lpszNewItem) {
  auto* items = reinterpret_cast<std::vector<MenuItem>*>(m_hMenu);
  if (!items) return FALSE;
  bool separator = nFlags & MF_SEPARATOR;
  items->push_back({nFlags, separator ? 0u : static_cast<UINT>(nIDNewItem),
                    separator || !lpszNewItem ? CString() : CString(lpszNewItem)});
  return TRUE;
}

INT_PTR CWnd::SendMessage(UINT message, WPARAM wParam, INT_PTR lParam) {
  if (message == WM_ICONERASEBKGND) {
    DialogWindow* window = DialogWindowOf(m_hWnd);
    return window ? window->EraseIconBackground(reinterpret_cast<HDC>(wParam)) : 0;
  }
  INT_PTR result = 0;
  if (OnWndMsg(message, wParam, lParam, &result)) return result;
  return DefWindowProc(message, wParam, lParam);
}

INT_PTR CWnd::DefWindowProc(UINT message, WPARAM wParam, INT_PTR) {
  if (DialogWindow* window = DialogWindowOf(m_hWnd)) window->DefaultProcessing(message, wParam);
  return 0;
}

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  if (DialogWindow* window = DialogWindowOf(m_hWnd)) window->SetIcon(hIcon, bBigIcon);
}

CMenu* CWnd::GetSystemMenu(BOOL) const {
  DialogWindow* window = DialogWindowOf(m_hWnd);
  return window ? window->SystemMenu() : nullptr;
}

INT_PTR CDialog::DoModal() {
  const DialogTemplate* tmpl = AfxFindDialogTemplate(m_nIDTemplate);
  if (!tmpl) return -1;
  std::unique_ptr<DialogWindow> window = CreateDialogWindow(*this, *tmpl, OwnerHandle());
  m_hWnd = window->Handle();
  if (OnInitDialog()) window->FocusFirstTabStop();
  INT_PTR result = window->RunModal();
  m_hWnd = nullptr;
  return result;
}

void CDialog::EndDialog(int nResult) {
  if (DialogWindow* window = DialogWindowOf(m_hWnd)) window->End(nResult);
}
