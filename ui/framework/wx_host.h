// The wx backend's side of a dialog: HostDialog is the wxDialog built from
// a template; it forwards what the user does to the shared dialog manager.
// Handles are wx pointers: HWND a wxWindow, HICON a WxIcon, HDC a wxDC.
#pragma once

#include <dlfcn.h>
#include <wx/bmpbndl.h>
#include <wx/dc.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/image.h>

#include <algorithm>
#include <vector>

#include "platform/cstring.h"
#include "platform/text_encoding.h"
#include "ui/framework/dialog_manager.h"
#include "ui/framework/dialog_units_wx.h"
#include "ui/framework/pixel_view.h"
#include "ui/framework/resources.h"

struct WxIcon {
  std::vector<wxImage> images;  // the resource's square pictures, smallest first

  // The picture `size` pixels square: its own, else the next larger one
  // (or the largest) scaled to it.
  wxImage At(int size) const;
  // For a place `size` pixels square: a picture for each screen density.
  wxBitmapBundle Bundle(int size) const;
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
// Text for a person to read: a byte kept from a file name that is not
// UTF-8 (U+DC80 + byte) shows as one U+FFFD, as the command line prints it.
inline wxString ToWxString(const CString& text) {
  return wxString::FromUTF8(platform::WideToUtf8(text));
}
inline CString FromWxString(const wxString& text) {
  return CString(text.ToStdWstring());
}

int SystemIconSize();

inline wxImage ToWxImage(const ZoomedPixels& pixels) {
  wxImage image(pixels.width, pixels.height, false);
  std::copy(pixels.rgb.begin(), pixels.rgb.end(), image.GetData());
  return image;
}

// A function of GTK, from the library wx has loaded, for what wx does not
// offer; null when this wx is not built on GTK.
template <typename Function>
Function GtkCall(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

class HostDialog : public wxDialog, public DialogWindow {
 public:
  HostDialog(CDialog& owner, const DialogTemplate& tmpl, wxWindow* parent);

  HWND Handle() override { return ToHwnd(this); }
  BOOL EraseIconBackground(HDC hdc) override;
  const DialogUnits& Units() const { return units_; }

 protected:
  bool IsControlShown(size_t index) const override { return controls_[index]->IsShown(); }
  HWND ControlHandle(size_t index) const override { return ToHwnd(controls_[index]); }
  size_t FocusedControl() const override;
  void FocusControl(size_t index) override { controls_[index]->SetFocus(); }
  bool IsButtonChecked(size_t index) const override;
  void CheckRadioButton(size_t index) override;
  void SetMinimized(bool minimized) override { Iconize(minimized); }
  void PaintDefault() override;
  void IconsChanged() override;
  INT_PTR RunModalLoop() override;
  void EndModalLoop(int result) override;

 private:
  wxWindow* CreateControl(size_t index);
  void ShowSystemMenu(const wxPoint& where);
  void OnControlClicked(wxCommandEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnListActivated(wxCommandEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnPaint(wxPaintEvent& event);

  DialogUnits units_;
  std::vector<wxWindow*> controls_;  // in template order
  wxPaintEvent* paintEvent_ = nullptr;
  bool mouseHeldOnList_ = false;
  bool applicationWindow_ = false;
  wxEventLoopBase* ownLoop_ = nullptr;
};
