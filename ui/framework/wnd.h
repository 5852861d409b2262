// CWnd: a window or control of the backend, known by its opaque handle.
// Every member that touches the window is the backend's (wnd_<backend>.cpp);
// the message plumbing is shared (framework_core.cpp), and so is the default
// processing of the backends that build dialogs themselves
// (dialog_manager.cpp).
#pragma once

#include "platform/cstring.h"
#include "ui/framework/afx_types.h"
#include "ui/framework/cmd_target.h"

class CMenu;

struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override = default;

  // Null until the window exists or a control is attached (DDX_Control).
  HWND m_hWnd = nullptr;

  // Binds this object to an existing window; the window stays the backend's.
  void Attach(HWND hWnd) { m_hWnd = hWnd; }

  // SW_HIDE or SW_SHOW. Returns whether the window was visible before.
  BOOL ShowWindow(int nCmdShow);
  BOOL IsIconic() const;
  void SetWindowText(const wchar_t* lpszString);
  // The big (title bar, task switcher) or the small window icon.
  void SetIcon(HICON hIcon, BOOL bBigIcon);
  void GetClientRect(CRect* lpRect) const;

  // Child controls by their template id.
  HWND GetDlgItemHandle(int nID) const;
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemText(int nID, const wchar_t* lpszString);
  // Checks nIDCheckButton and clears every other button from nIDFirstButton
  // to nIDLastButton.
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  void CheckDlgButton(int nIDButton, UINT nCheck);

  // The window's system menu; bRevert FALSE keeps items added earlier. Null
  // when the window has none. The object belongs to the window.
  CMenu* GetSystemMenu(BOOL bRevert) const;

  // Messages the backend honours outside the message maps: WM_ICONERASEBKGND
  // (wParam: the HDC of a paint context) and WM_COMMAND/WM_SYSCOMMAND, which
  // go through OnWndMsg and then the default processing.
  INT_PTR SendMessage(UINT message, WPARAM wParam = 0, INT_PTR lParam = 0);

  // The window with the keyboard focus, or null. The object is temporary:
  // valid until the next message is dispatched.
  static CWnd* GetFocus();

 protected:
  // Default processing of the message being handled (m_currentMsg).
  INT_PTR Default();
  // What the window system does with a message no handler took: for
  // WM_SYSCOMMAND, minimize, move and close (close sends IDCANCEL to a
  // dialog); for WM_PAINT, the ordinary painting.
  INT_PTR DefWindowProc(UINT message, WPARAM wParam, INT_PTR lParam);

  // Default handlers; derived classes map and override them.
  afx_msg void OnSysCommand(UINT nID, INT_PTR lParam);
  afx_msg void OnPaint();
};

// The system's metrics (SM_CXICON, SM_CYICON).
int AfxGetSystemMetrics(int nIndex);
