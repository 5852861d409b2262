// CWinApp: the one application object. The backend's entry point finds it
// with AfxGetApp, names it after the executable and calls InitInstance.
#pragma once

#include "platform/cstring.h"
#include "ui/framework/afx_types.h"
#include "ui/framework/cmd_target.h"

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  // Registers the object as the application; null: named after the
  // executable file, without extension.
  explicit CWinApp(const wchar_t* lpszAppName = nullptr);
  ~CWinApp() override;

  // Start-up work; FALSE ends the application without a message loop.
  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // Loads an icon resource through the application; shared, never freed.
  HICON LoadIcon(UINT nIDResource) const;

  // The application's name: the caption of its message boxes.
  CString m_strAppName;
  // Where the framework's per-user settings would live; never used.
  CString m_strRegistryKey;
  CWnd* m_pMainWnd = nullptr;

  // Called by the entry point before InitInstance unless a name was given.
  void SetAppName(const CString& name);

  // The framework's help command; the application offers no help.
  afx_msg void OnHelp();

 protected:
  void SetRegistryKey(const wchar_t* lpszRegistryKey);

  DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();

// The application's name from its executable's path: the file name without
// folder and extension ("/usr/bin/ZT_Rastrum" and "C:\\x\\ZT_Rastrum.exe"
// both give "ZT_Rastrum").
CString AfxAppNameFromPath(const CString& path);

// Dialogs may host embedded controls; none of the backends needs set-up.
void AfxEnableControlContainer(void* pOccManager = nullptr);

// Registers the common control classes named by dwICC (ICC_WIN95_CLASSES)
// before any dialog is created.
BOOL AfxInitCommonControls(UINT dwICC);

// Loads a string resource; FALSE and an empty string when there is none.
BOOL AfxLoadString(UINT nID, CString& rString);
