#include "app/quarry_app.h"

#include "ui/quarry_dlg.h"

BEGIN_MESSAGE_MAP(CQuarryApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CQuarryApp::CQuarryApp() = default;

CQuarryApp::~CQuarryApp() = default;

CQuarryApp theApp;

BOOL CQuarryApp::InitInstance() {
  AfxInitCommonControls(ICC_WIN95_CLASSES);
  CWinApp::InitInstance();
  AfxEnableControlContainer();
  // Handed to the framework as generated; the application keeps no settings.
  SetRegistryKey(
      L"\u5E94\u7528\u7A0B\u5E8F\u5411\u5BFC\u751F\u6210\u7684\u672C\u5730\u5E94\u7528\u7A0B"
      L"\u5E8F");

  CQuarryDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}
