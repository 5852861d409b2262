// Dialogs of the Win32 backend: the system's dialog manager builds each
// dialog from its template resource and runs the modal loop; one dialog
// procedure hands the messages the message maps bind to the CDialog.
#include <windows.h>
// clang-format off
#include "ui/framework/win32_names.h"
// clang-format on

#include "ui/framework/dialog.h"

namespace {

// The object travels in WM_INITDIALOG's lParam and stays in DWLP_USER. The
// few messages that come before WM_INITDIALOG find no object and keep their
// default processing.
INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
    dialog->m_hWnd = hWnd;
    return dialog->OnInitDialog();
  }
  auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
  if (!dialog) return FALSE;
  INT_PTR result = 0;
  switch (message) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_PAINT:
      // TRUE: a handler ran, and did any default processing itself.
      return dialog->OnWndMsg(message, wParam, lParam, &result);
    case WM_QUERYDRAGICON:
      // One of the messages whose result a dialog procedure returns as is.
      return dialog->OnWndMsg(message, wParam, lParam, &result) ? result : FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CDialog::DoModal() {
  INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                                   OwnerHandle(), DialogProc, reinterpret_cast<LPARAM>(this));
  m_hWnd = nullptr;
  return result;
}

void CDialog::EndDialog(int nResult) {
  ::EndDialog(m_hWnd, nResult);
}
