// Dialogs of the wx backend: a template becomes a wxDialog laid out in
// dialog units, and the user's clicks and keys become window messages.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "ui/framework/dialog.h"
#include "ui/framework/dialog_manager.h"
#include "ui/framework/pixel_view.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wx_host.h"

using dialog_manager::ControlKind;

namespace {

// Ids of the popup's items: the system commands do not fit wx's id range.
constexpr int kFirstMenuItemId = wxID_HIGHEST + 1;

long FrameStyle(uint32_t style) {
  long wxStyle = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) wxStyle |= wxCAPTION;
  if (style & WS_SYSMENU) wxStyle |= wxSYSTEM_MENU | wxCLOSE_BOX;
  if (style & WS_MINIMIZEBOX) wxStyle |= wxMINIMIZE_BOX;
  if (style & WS_MAXIMIZEBOX) wxStyle |= wxMAXIMIZE_BOX;
  if (style & WS_THICKFRAME) wxStyle |= wxRESIZE_BORDER;
  return wxStyle;
}

int WxId(const DialogItemTemplate& item) {
  return item.id.value == -1 ? wxID_ANY : item.id.value;
}

wxString ItemText(const DialogItemTemplate& item) {
  return item.text ? wxString(item.text) : wxString();
}

// SS_LEFT wraps its text within the box. A one-line label whose text is
// wider than the box in this font grows to the right instead, so that the
// whole label shows.
void FitLabel(wxStaticText& label, const wxSize& size) {
  int textWidth = label.GetTextExtent(label.GetLabelText()).x;
  bool oneLine = size.y < 2 * label.GetCharHeight();
  if (oneLine && textWidth > size.x) {
    label.SetSize(textWidth, size.y);
  } else {
    label.Wrap(size.x);
  }
}

// GTK draws a check box or radio button no smaller than its indicator and
// text; the control keeps its place and grows around its middle line.
wxWindow* FitIndicator(wxWindow* button) {
  wxRect rect = button->GetRect();
  wxSize best = button->GetBestSize();
  if (best.x <= rect.width && best.y <= rect.height) return button;
  int height = std::max(rect.height, best.y);
  button->SetSize(rect.x, rect.y - (height - rect.height) / 2, std::max(rect.width, best.x),
                  height);
  return button;
}

bool IsArrowKey(int key) {
  switch (key) {
    case WXK_LEFT:
    case WXK_RIGHT:
    case WXK_UP:
    case WXK_DOWN:
    case WXK_NUMPAD_LEFT:
    case WXK_NUMPAD_RIGHT:
    case WXK_NUMPAD_UP:
    case WXK_NUMPAD_DOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

// A dialog without an owner is the application's window: window managers
// give a dialog, or any window in the modal state, no minimize button.
HostDialog::HostDialog(CDialog& owner, const DialogTemplate& tmpl, wxWindow* parent)
    : DialogWindow(owner, tmpl), applicationWindow_(parent == nullptr) {
  Create(parent, wxID_ANY, wxString(tmpl.caption), wxDefaultPosition, wxDefaultSize,
         FrameStyle(tmpl.style));
  auto setTypeHint = GtkCall<void (*)(void*, int)>("gtk_window_set_type_hint");
  constexpr int kNormalWindow = 0;  // GDK_WINDOW_TYPE_HINT_NORMAL
  if (applicationWindow_ && setTypeHint) setTypeHint(GetHandle(), kNormalWindow);
  SetFont(DesktopDialogFont(tmpl.font));
  units_ = DialogUnits(*this, tmpl);
  SetClientSize(units_.ToPixels(tmpl.cx, tmpl.cy));
  for (size_t i = 0; i < tmpl.items.size(); ++i) {
    controls_.push_back(CreateControl(i));
    if (!(tmpl.items[i].style & WS_VISIBLE)) controls_.back()->Hide();
  }
  CentreOnParent();

  Bind(wxEVT_BUTTON, &HostDialog::OnControlClicked, this);
  Bind(wxEVT_CHECKBOX, &HostDialog::OnControlClicked, this);
  Bind(wxEVT_RADIOBUTTON, &HostDialog::OnControlClicked, this);
  Bind(wxEVT_LISTBOX_DCLICK, &HostDialog::OnListActivated, this);
  Bind(wxEVT_CHAR_HOOK, &HostDialog::OnCharHook, this);
  Bind(wxEVT_CONTEXT_MENU, &HostDialog::OnContextMenu, this);
  Bind(wxEVT_CLOSE_WINDOW, &HostDialog::OnClose, this);
  Bind(wxEVT_PAINT, &HostDialog::OnPaint, this);
}

wxWindow* HostDialog::CreateControl(size_t index) {
  const DialogItemTemplate& item = Template().items[index];
  wxRect place = units_.ToPixels(item.x, item.y, item.cx, item.cy);
  wxPoint pos = place.GetPosition();
  wxSize size = place.GetSize();
  int id = WxId(item);
  switch (dialog_manager::KindOf(item)) {
    case ControlKind::kEdit:
      return new wxTextCtrl(this, id, ItemText(item), pos, size);
    case ControlKind::kText: {
      auto* label = new wxStaticText(this, id, wxString(), pos, size, wxST_NO_AUTORESIZE);
      if (item.style & SS_NOPREFIX) {
        label->SetLabelText(ItemText(item));
      } else {
        label->SetLabel(ItemText(item));
      }
      FitLabel(*label, size);
      return label;
    }
    case ControlKind::kIcon: {
      const IconResource* icon = AfxFindIcon(static_cast<UINT>(item.iconId.value));
      auto* picture = new wxStaticBitmap(this, id, wxNullBitmap, pos);
      if (icon) {
        auto* handle = FromHicon(AfxGetApp()->LoadIcon(static_cast<UINT>(icon->id.value)));
        picture->SetBitmap(handle->Bundle(SystemIconSize()));
      }
      return picture;
    }
    case ControlKind::kPicture: {
      // Starts as the empty margin, which also fixes the control's size.
      ZoomedPixels empty = ZoomPixels(nullptr, 0, 0, 1, size.x, size.y);
      return new wxStaticBitmap(this, id, wxBitmap(ToWxImage(empty)), pos, size);
    }
    case ControlKind::kPushButton:
      return new wxButton(this, id, ItemText(item), pos, size);
    case ControlKind::kDefPushButton: {
      auto* button = new wxButton(this, id, ItemText(item), pos, size);
      button->SetDefault();
      return button;
    }
    case ControlKind::kCheckBox:
      return FitIndicator(new wxCheckBox(this, id, ItemText(item), pos, size));
    case ControlKind::kRadioButton: {
      bool first = dialog_manager::StartsRadioGroup(Template().items, index);
      auto* radio = new wxRadioButton(this, id, ItemText(item), pos, size, first ? wxRB_GROUP : 0);
      if (!(item.style & WS_TABSTOP)) radio->DisableFocusFromKeyboard();
      return FitIndicator(radio);
    }
    case ControlKind::kGroupBox:
      return new wxStaticBox(this, id, ItemText(item), pos, size);
    case ControlKind::kListBox: {
      long style = wxLB_SINGLE | wxLB_NEEDED_SB | ((item.style & LBS_SORT) ? wxLB_SORT : 0);
      auto* list = new wxListBox(this, id, pos, size, 0, nullptr, style);
      auto held = [this](bool down) {
        return [this, down](wxMouseEvent& event) {
          mouseHeldOnList_ = down;
          event.Skip();
        };
      };
      list->Bind(wxEVT_LEFT_DOWN, held(true));
      list->Bind(wxEVT_MIDDLE_DOWN, held(true));
      list->Bind(wxEVT_RIGHT_DOWN, held(true));
      list->Bind(wxEVT_LEFT_UP, held(false));
      list->Bind(wxEVT_MIDDLE_UP, held(false));
      list->Bind(wxEVT_RIGHT_UP, held(false));
      return list;
    }
  }
  return nullptr;
}

size_t HostDialog::FocusedControl() const {
  auto found = std::find(controls_.begin(), controls_.end(), wxWindow::FindFocus());
  return static_cast<size_t>(found - controls_.begin());
}

bool HostDialog::IsButtonChecked(size_t index) const {
  if (auto* radio = dynamic_cast<wxRadioButton*>(controls_[index])) return radio->GetValue();
  auto* box = dynamic_cast<wxCheckBox*>(controls_[index]);
  return box && box->GetValue();
}

// GTK clears the other buttons of the group.
void HostDialog::CheckRadioButton(size_t index) {
  if (auto* radio = dynamic_cast<wxRadioButton*>(controls_[index])) radio->SetValue(true);
}

BOOL HostDialog::EraseIconBackground(HDC hdc) {
  auto* dc = reinterpret_cast<wxDC*>(hdc);
  if (!dc) return FALSE;
  dc->SetBackground(wxBrush(GetBackgroundColour()));
  dc->Clear();
  return TRUE;
}

// Every picture of the big icon, so the window manager takes the one that
// suits the screen's density; the small one at the system's small size.
void HostDialog::IconsChanged() {
  wxIconBundle bundle;
  auto add = [&bundle](const wxImage& image) {
    wxIcon wxicon;
    wxicon.CopyFromBitmap(wxBitmap(image));
    bundle.AddIcon(wxicon);
  };
  if (WxIcon* handle = FromHicon(Icon(true))) {
    for (const wxImage& image : handle->images) add(image);
  }
  if (WxIcon* handle = FromHicon(Icon(false))) {
    int small = wxSystemSettings::GetMetric(wxSYS_SMALLICON_X);
    add(handle->At(small > 0 ? small : 16));
  }
  SetIcons(bundle);
}

INT_PTR HostDialog::RunModalLoop() {
  if (!applicationWindow_) return ShowModal();
  Show();
  wxGUIEventLoop loop;
  ownLoop_ = &loop;
  int result = loop.Run();
  ownLoop_ = nullptr;
  Hide();
  return result;
}

void HostDialog::EndModalLoop(int result) {
  if (ownLoop_) {
    ownLoop_->Exit(result);
  } else if (IsModal()) {
    EndModal(result);
  }
}

void HostDialog::OnControlClicked(wxCommandEvent& event) {
  auto* source = dynamic_cast<wxWindow*>(event.GetEventObject());
  Command(event.GetId(), ToHwnd(source));
}

// Shift+F10, the Menu key and Alt+Space open the system menu; Escape,
// Enter and the arrow keys are the dialog manager's. Space on a list would activate its line
// (see OnListActivated); a Windows list box ignores it.
void HostDialog::OnCharHook(wxKeyEvent& event) {
  int key = event.GetKeyCode();
  bool systemMenuKey = key == WXK_WINDOWS_MENU || key == WXK_MENU ||
                       (key == WXK_F10 && event.GetModifiers() == wxMOD_SHIFT) ||
                       (key == WXK_SPACE && event.GetModifiers() == wxMOD_ALT);
  bool spaceOnList = (key == WXK_SPACE || key == WXK_NUMPAD_SPACE) &&
                     dynamic_cast<wxListBox*>(wxWindow::FindFocus());
  if (systemMenuKey) {
    ShowSystemMenu(wxPoint(0, 0));
  } else if (key == WXK_ESCAPE) {
    PressEscape();
  } else if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    PressEnter();
  } else if (IsArrowKey(key) && event.GetModifiers() == wxMOD_NONE) {
    if (!PressArrow(key == WXK_RIGHT || key == WXK_DOWN || key == WXK_NUMPAD_RIGHT ||
                    key == WXK_NUMPAD_DOWN)) {
      event.Skip();
    }
  } else if (!spaceOnList) {
    event.Skip();
  }
}

// GTK's list takes Enter for itself before the dialog sees the key and
// reports it only as the activation of a line, as it reports a double
// click. With Space kept from the list, an activation while no mouse button
// is held on it is Enter; with a button held it is a double click, which a
// list with LBS_NOTIFY reports to the dialog. The handler may open a modal
// window that takes the button's release, so the list forgets the press.
void HostDialog::OnListActivated(wxCommandEvent& event) {
  if (!mouseHeldOnList_) {
    PressEnter();
    return;
  }
  mouseHeldOnList_ = false;
  auto found = std::find(controls_.begin(), controls_.end(), event.GetEventObject());
  if (found == controls_.end()) return;
  const DialogItemTemplate& item = Template().items[static_cast<size_t>(found - controls_.begin())];
  if (item.style & LBS_NOTIFY) Notify(item.id.value, LBN_DBLCLK, ToHwnd(*found));
}

// X11 window managers own the title bar's menu, so the dialog's system menu
// opens from its own background.
void HostDialog::OnContextMenu(wxContextMenuEvent& event) {
  if (event.GetEventObject() != this) {
    event.Skip();
    return;
  }
  wxPoint where = event.GetPosition();
  ShowSystemMenu(where == wxDefaultPosition ? wxPoint(0, 0) : ScreenToClient(where));
}

void HostDialog::ShowSystemMenu(const wxPoint& where) {
  if (!SystemMenu()) return;
  const auto& items = SystemMenuItems();
  wxMenu menu;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].flags & MF_SEPARATOR) {
      menu.AppendSeparator();
      continue;
    }
    wxMenuItem* entry =
        menu.Append(kFirstMenuItemId + static_cast<int>(i), ToWxString(items[i].text));
    if (items[i].flags & MF_GRAYED) entry->Enable(false);
  }
  int chosen = GetPopupMenuSelectionFromUser(menu, where);
  if (chosen < kFirstMenuItemId) return;
  size_t index = static_cast<size_t>(chosen - kFirstMenuItemId);
  if (index < items.size()) SystemCommand(items[index].id);
}

void HostDialog::OnClose(wxCloseEvent& event) {
  if (event.CanVeto()) event.Veto();
  SystemCommand(SC_CLOSE);
}

void HostDialog::OnPaint(wxPaintEvent& event) {
  paintEvent_ = &event;
  Owner().SendMessage(WM_PAINT, 0, 0);
  paintEvent_ = nullptr;
}

void HostDialog::PaintDefault() {
  if (paintEvent_) paintEvent_->Skip();
}

DialogWindow* DialogWindowOf(HWND hWnd) {
  return dynamic_cast<HostDialog*>(ToWx(hWnd));
}

std::unique_ptr<DialogWindow> CreateDialogWindow(CDialog& dialog, const DialogTemplate& tmpl,
                                                 HWND owner) {
  return std::make_unique<HostDialog>(dialog, tmpl, ToWx(owner));
}
