// Windows, controls, menus and painting of the Win32 backend: each member
// is the Win32 call or message of the same name on the object's handle.
#include <windows.h>
// clang-format off
#include "ui/framework/win32_names.h"
// clang-format on

#include <map>
#include <string>

#include "ui/framework/dc.h"
#include "ui/framework/list_box.h"
#include "ui/framework/menu.h"
#include "ui/framework/pixel_view.h"
#include "ui/framework/wnd.h"

namespace {

CString WindowText(HWND hWnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
  int copied = GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return CString(std::move(text));
}

// A top-down DIB section of 24 bits (blue, green, red; rows padded to four
// bytes): a static control shows it as it is, without a copy of its own.
HBITMAP ToBitmap(const ZoomedPixels& pixels) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  size_t stride = (static_cast<size_t>(pixels.width) * 3 + 3) & ~size_t{3};
  for (int y = 0; y < pixels.height; ++y) {
    const uint8_t* from = pixels.rgb.data() + static_cast<size_t>(y) * pixels.width * 3;
    uint8_t* to = static_cast<uint8_t*>(bits) + y * stride;
    for (int x = 0; x < pixels.width * 3; x += 3) {
      to[x] = from[x + 2];
      to[x + 1] = from[x + 1];
      to[x + 2] = from[x];
    }
  }
  return bitmap;
}

}  // namespace

BOOL CWnd::ShowWindow(int nCmdShow) {
  return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsIconic() const {
  return ::IsIconic(m_hWnd);
}

void CWnd::SetWindowText(const wchar_t* lpszString) {
  SetWindowTextW(m_hWnd, lpszString);
}

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
               reinterpret_cast<LPARAM>(hIcon));
}

void CWnd::GetClientRect(CRect* lpRect) const {
  RECT rect = {};
  ::GetClientRect(m_hWnd, &rect);
  *lpRect = {rect.left, rect.top, rect.right, rect.bottom};
}

HWND CWnd::GetDlgItemHandle(int nID) const {
  return GetDlgItem(m_hWnd, nID);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString = WindowText(GetDlgItemHandle(nID));
  return rString.GetLength();
}

void CWnd::SetDlgItemText(int nID, const wchar_t* lpszString) {
  SetDlgItemTextW(m_hWnd, nID, lpszString);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) {
  ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

// One CMenu per menu handle, kept for the process's life as the framework's
// permanent handle map would.
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
  static std::map<HMENU, CMenu> menus;
  HMENU menu = ::GetSystemMenu(m_hWnd, bRevert);
  if (!menu) return nullptr;
  return &menus.try_emplace(menu, menu).first->second;
}

INT_PTR CWnd::SendMessage(UINT message, WPARAM wParam, INT_PTR lParam) {
  return SendMessageW(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetFocus() {
  static CWnd focus;
  focus.m_hWnd = ::GetFocus();
  return focus.m_hWnd ? &focus : nullptr;
}

INT_PTR CWnd::DefWindowProc(UINT message, WPARAM wParam, INT_PTR lParam) {
  return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

int AfxGetSystemMetrics(int nIndex) {
  return GetSystemMetrics(nIndex);
}

void CListBox::AddString(const CString& line) {
  SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.GetString()));
}

int CListBox::GetCount() const {
  return static_cast<int>(SendMessageW(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CListBox::GetCurSel() const {
  return static_cast<int>(SendMessageW(m_hWnd, LB_GETCURSEL, 0, 0));
}

void CListBox::SetCurSel(int index) {
  SendMessageW(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CListBox::ResetContent() {
  SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* lpszNewItem) {
  return AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

CPixelView::~CPixelView() {
  if (m_image) DeleteObject(static_cast<HBITMAP>(m_image));
}

// The control shows the bitmap it is given, and hands back the one it showed
// before, which is then no longer drawn.
void CPixelView::SetPixels(const uint8_t* rgba, int width, int height, int zoom) {
  RECT box = {};
  ::GetClientRect(m_hWnd, &box);
  HBITMAP bitmap = ToBitmap(ZoomPixels(rgba, width, height, zoom, box.right, box.bottom));
  if (!bitmap) return;
  auto previous = reinterpret_cast<HBITMAP>(
      SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (previous && previous != bitmap) DeleteObject(previous);
  m_image = bitmap;
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
  return ::DrawIcon(m_hDC, x, y, hIcon);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
  auto* paint = new PAINTSTRUCT{};
  m_hDC = BeginPaint(pWnd->m_hWnd, paint);
  m_pPaint = paint;
}

CPaintDC::~CPaintDC() {
  auto* paint = static_cast<PAINTSTRUCT*>(m_pPaint);
  EndPaint(m_pWnd->m_hWnd, paint);
  delete paint;
}
