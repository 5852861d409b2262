// CDialog: a modal dialog built from a dialog template, and the data
// exchange that binds its controls to members.
#pragma once

#include "ui/framework/afx_types.h"
#include "ui/framework/cmd_target.h"
#include "ui/framework/wnd.h"

class CDialog;

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;
};

// Attaches rControl to the dialog's control nIDC, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Creates the window from the template, calls OnInitDialog, shows it and
  // runs a message loop until EndDialog. Returns EndDialog's result, or -1
  // when the dialog could not be created.
  virtual INT_PTR DoModal();
  // Runs the data exchange; returning TRUE lets the framework give the focus
  // to the first tab stop.
  virtual BOOL OnInitDialog();
  // Ends the modal loop; DoModal returns nResult.
  void EndDialog(int nResult);

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  // The OK command: Enter while the focus is not on a push button.
  virtual void OnOK();
  // The Cancel command: Escape, the close box, the system menu's Close.
  virtual void OnCancel();
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  // The window that owns the dialog: the parent given, or else the
  // application's main dialog (so that the About box blocks it), or null.
  HWND OwnerHandle() const;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

  DECLARE_MESSAGE_MAP()
};
