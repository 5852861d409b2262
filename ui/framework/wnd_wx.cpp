// Windows, controls and painting of the wx backend.
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include <cmath>

#include "ui/framework/dc.h"
#include "ui/framework/list_box.h"
#include "ui/framework/wnd.h"
#include "ui/framework/wx_host.h"
#include "ui/framework/wx_trace.h"

namespace {

wxWindow* Item(HWND dialog, int nID) {
  wxWindow* window = ToWx(dialog);
  return window && nID != -1 ? window->FindWindow(nID) : nullptr;
}

wxListBox* List(HWND hWnd) {
  return dynamic_cast<wxListBox*>(ToWx(hWnd));
}

// Sets a check box or radio button; false clears a radio button only by
// checking another of its group, as in the native toolkit.
void SetButtonCheck(wxWindow* button, bool checked) {
  if (auto* box = dynamic_cast<wxCheckBox*>(button)) box->SetValue(checked);
  if (auto* radio = dynamic_cast<wxRadioButton*>(button); radio && checked) radio->SetValue(true);
}

// An edit shows a byte that is not UTF-8 as U+FFFD; until the user changes
// the text, reading the edit gives back what the program put there.
struct KeptText : wxClientData {
  KeptText(const CString& original, const wxString& display) : text(original), shown(display) {}
  CString text;
  wxString shown;
};

}  // namespace

BOOL CWnd::ShowWindow(int nCmdShow) {
  wxWindow* window = ToWx(m_hWnd);
  if (!window) return FALSE;
  BOOL was = window->IsShown();
  window->Show(nCmdShow != SW_HIDE);
  return was;
}

BOOL CWnd::IsIconic() const {
  auto* frame = dynamic_cast<wxTopLevelWindow*>(ToWx(m_hWnd));
  return frame && frame->IsIconized();
}

void CWnd::SetWindowText(const wchar_t* lpszString) {
  wxWindow* window = ToWx(m_hWnd);
  wxString shown = ToWxString(lpszString);
  if (auto* frame = dynamic_cast<wxTopLevelWindow*>(window)) {
    frame->SetTitle(shown);
  } else if (auto* edit = dynamic_cast<wxTextCtrl*>(window)) {
    edit->ChangeValue(shown);
    bool lossy = FromWxString(shown) != CString(lpszString);
    edit->SetClientObject(lossy ? new KeptText(lpszString, shown) : nullptr);
  } else if (window) {
    window->SetLabel(shown);
  }
}

void CWnd::GetClientRect(CRect* lpRect) const {
  wxWindow* window = ToWx(m_hWnd);
  wxSize size = window ? window->GetClientSize() : wxSize(0, 0);
  *lpRect = {0, 0, size.x, size.y};
}

HWND CWnd::GetDlgItemHandle(int nID) const {
  return ToHwnd(Item(m_hWnd, nID));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  wxWindow* window = Item(m_hWnd, nID);
  if (auto* edit = dynamic_cast<wxTextCtrl*>(window)) {
    wxString value = edit->GetValue();
    auto* kept = dynamic_cast<KeptText*>(edit->GetClientObject());
    rString = kept && kept->shown == value ? kept->text : FromWxString(value);
  } else {
    rString = window ? FromWxString(window->GetLabel()) : CString();
  }
  return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, const wchar_t* lpszString) {
  CWnd item;
  item.m_hWnd = GetDlgItemHandle(nID);
  if (!item.m_hWnd) return;
  item.SetWindowText(lpszString);
  TraceDialog(wxString::Format("text %d %s", nID, ToWxString(lpszString)));
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
    if (wxWindow* button = Item(m_hWnd, id)) SetButtonCheck(button, id == nIDCheckButton);
  }
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
  if (wxWindow* button = Item(m_hWnd, nIDButton)) SetButtonCheck(button, nCheck == BST_CHECKED);
}

CWnd* CWnd::GetFocus() {
  static CWnd focus;
  focus.m_hWnd = ToHwnd(wxWindow::FindFocus());
  return focus.m_hWnd ? &focus : nullptr;
}

int SystemIconSize() {
  int size = wxSystemSettings::GetMetric(wxSYS_ICON_X);
  return size > 0 ? size : 32;
}

int AfxGetSystemMetrics(int nIndex) {
  if (nIndex == SM_CXICON || nIndex == SM_CYICON) return SystemIconSize();
  return 0;
}

void CListBox::AddString(const CString& line) {
  wxListBox* list = List(m_hWnd);
  if (!list) return;
  list->Append(ToWxString(line));
  TraceDialog(wxString::Format("add %d %s", list->GetId(), ToWxString(line)));
}

int CListBox::GetCount() const {
  wxListBox* list = List(m_hWnd);
  return list ? static_cast<int>(list->GetCount()) : 0;
}

int CListBox::GetCurSel() const {
  wxListBox* list = List(m_hWnd);
  return list ? list->GetSelection() : -1;
}

void CListBox::SetCurSel(int index) {
  wxListBox* list = List(m_hWnd);
  if (!list) return;
  TraceDialog(wxString::Format("select %d %d", list->GetId(), index));
  if (index < 0 || index >= GetCount()) {
    list->SetSelection(wxNOT_FOUND);
    return;
  }
  list->SetSelection(index);
  list->EnsureVisible(index);
}

void CListBox::ResetContent() {
  wxListBox* list = List(m_hWnd);
  if (!list) return;
  list->Clear();
  TraceDialog(wxString::Format("reset %d", list->GetId()));
}

CPixelView::~CPixelView() = default;

void CPixelView::SetPixels(const uint8_t* rgba, int width, int height, int zoom) {
  auto* picture = dynamic_cast<wxStaticBitmap*>(ToWx(m_hWnd));
  if (!picture) return;
  wxSize size = picture->GetSize();
  picture->SetBitmap(wxBitmap(ToWxImage(ZoomPixels(rgba, width, height, zoom, size.x, size.y))));
  TraceDialog(wxString::Format("picture %d %dx%d zoom %d", picture->GetId(), width, height, zoom));
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
  auto* dc = reinterpret_cast<wxDC*>(m_hDC);
  WxIcon* icon = FromHicon(hIcon);
  if (!dc || !icon) return FALSE;
  double scale = dc->GetContentScaleFactor();
  int pixels = static_cast<int>(std::lround(SystemIconSize() * scale));
  dc->DrawBitmap(wxBitmap(icon->At(pixels), -1, scale), x, y, true);
  return TRUE;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
  m_hDC = reinterpret_cast<HDC>(new wxPaintDC(ToWx(m_pWnd->m_hWnd)));
}

CPaintDC::~CPaintDC() {
  delete reinterpret_cast<wxPaintDC*>(m_hDC);
}
