// Application services of the Win32 backend: resources from the
// executable, the common controls, message boxes, the shell's folder
// chooser and the busy pointer.
#include <windows.h>
// clang-format off
#include "ui/framework/win32_names.h"
// clang-format on
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "ui/framework/folder_picker.h"
#include "ui/framework/message_box.h"
#include "ui/framework/wait_cursor.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wnd.h"

namespace {

// The busy pointer nests; the pointer it replaced comes back with the last.
int g_nWaitCursorCount = 0;
HCURSOR g_hcurWaitCursorRestore = nullptr;

// Boxes are owned by the innermost open dialog of the application.
HWND MessageBoxOwner() {
  CWinApp* app = AfxGetApp();
  HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
  return main ? GetLastActivePopup(main) : GetActiveWindow();
}

// Without an icon flag, the framework picks one by the buttons.
UINT WithDefaultIcon(UINT nType) {
  if (nType & MB_ICONMASK) return nType;
  switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
      return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return nType | MB_ICONQUESTION;
    default:
      return nType;
  }
}

// The shell's folder dialog wants COM on the calling thread.
class ComScope {
 public:
  ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (initialized_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialized_;
};

}  // namespace

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDResource));
}

BOOL AfxLoadString(UINT nID, CString& rString) {
  // With a zero buffer size, LoadStringW hands out the resource's own text.
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), nID, reinterpret_cast<LPWSTR>(&text), 0);
  rString = length > 0 ? CString(std::wstring_view(text, static_cast<size_t>(length))) : CString();
  return length > 0;
}

BOOL AfxInitCommonControls(UINT dwICC) {
  INITCOMMONCONTROLSEX init = {sizeof init, dwICC};
  static_assert(sizeof init == 8);
  return InitCommonControlsEx(&init);
}

int AfxMessageBox(const wchar_t* lpszText, UINT nType, UINT) {
  CWinApp* app = AfxGetApp();
  const wchar_t* caption = app ? app->m_strAppName.GetString() : nullptr;
  return MessageBoxW(MessageBoxOwner(), lpszText, caption, WithDefaultIcon(nType));
}

BOOL AfxBrowseForFolder(CWnd* pOwner, const wchar_t* lpszTitle, UINT ulFlags, CString& rPath) {
  ComScope com;
  wchar_t path[MAX_PATH] = {};
  BROWSEINFOW browse = {};
  browse.hwndOwner = pOwner ? pOwner->m_hWnd : nullptr;
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = path;
  browse.lpszTitle = lpszTitle;
  browse.ulFlags = ulFlags;
  browse.lpfn = nullptr;
  browse.lParam = 0;
  browse.iImage = 0;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return FALSE;
  // Without a file-system path the buffer keeps the item's display name.
  SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  rPath = path;
  return TRUE;
}

CWaitCursor::CWaitCursor() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (g_nWaitCursorCount++ == 0) g_hcurWaitCursorRestore = previous;
}

CWaitCursor::~CWaitCursor() {
  if (--g_nWaitCursorCount == 0) SetCursor(g_hcurWaitCursorRestore);
}
