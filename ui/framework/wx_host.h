// The wx backend's side of a dialog: HostDialog is the wxDialog built from
// a template, forwarding what the user does as window messages to the
// CDialog that owns it. Handles are wx pointers: HWND a wxWindow, HICON a
// WxIcon, HDC a wxDC, HMENU a MenuModel.
#pragma once

#include <wx/dc.h>
#include <wx/dialog.h>
#include <wx/image.h>

#include "platform/cstring.h"
#include "ui/framework/dialog.h"
#include "ui/framework/menu.h"
#include "ui/framework/menu_model.h"
#include "ui/framework/resources.h"

struct WxIcon {
  const IconResource* resource;
  wxImage full;         // the picture at its own size
  wxImage systemSized;  // at SM_CXICON x SM_CYICON, as LoadIcon gives it
};

inline HWND ToHwnd(wxWindow* window) {
  return reinterpret_cast<HWND>(window);
}
inline wxWindow* ToWx(HWND hWnd) {
  return reinterpret_cast<wxWindow*>(hWnd);
}
inline WxIcon* FromHicon(HICON icon) {
  return reinterpret_cast<WxIcon*>(icon);
}
inline wxString ToWxString(const CString& text) {
  return wxString(text.GetString());
}
inline CString FromWxString(const wxString& text) {
  return CString(text.ToStdWstring());
}

int SystemIconSize();

class HostDialog : public wxDialog {
 public:
  HostDialog(CDialog& owner, const DialogTemplate& tmpl, wxWindow* parent);

  CDialog& Owner() { return owner_; }
  const DialogTemplate& Template() const { return tmpl_; }
  CMenu* SystemMenu() { return hasSystemMenu_ ? &systemMenuObject_ : nullptr; }
  void SetFrameworkIcon(HICON icon, bool big);
  void FocusFirstTabStop();

  // EndDialog before the modal loop runs (from OnInitDialog) ends it at once.
  void End(int result);
  int RunModal();

  // Default processing for WM_PAINT: wx paints the dialog as usual.
  void DefaultPaint();
  void ShowSystemMenu(const wxPoint& where);

 private:
  void CreateControls();
  wxWindow* CreateControl(size_t index);
  void Send(UINT message, WPARAM wParam, INT_PTR lParam);
  void OnControlClicked(wxCommandEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnPaint(wxPaintEvent& event);

  CDialog& owner_;
  const DialogTemplate& tmpl_;
  bool hasSystemMenu_;
  MenuModel systemMenu_;
  CMenu systemMenuObject_;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  wxPaintEvent* paintEvent_ = nullptr;
  bool endedEarly_ = false;
  int earlyResult_ = 0;
};

// The HostDialog of a dialog or of one of its controls, or null.
HostDialog* HostOf(HWND hWnd);
