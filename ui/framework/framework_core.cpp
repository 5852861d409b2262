// The backend-independent part of the framework: message dispatch, the
// dialog's data exchange and standard commands, the application object.
#include <utility>

#include "ui/framework/dialog.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wnd.h"

namespace {

CWinApp* g_pApp = nullptr;

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam) {
  if (entry.nMessage != message) return false;
  if (message != WM_COMMAND) return true;
  return entry.nID == (wParam & 0xFFFF) && entry.nCode == ((wParam >> 16) & 0xFFFF);
}

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP map = {nullptr, {}};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

BOOL CCmdTarget::OnWndMsg(UINT message, WPARAM wParam, INT_PTR lParam, INT_PTR* pResult) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pBaseMap) {
    for (const AFX_MSGMAP_ENTRY& entry : map->entries) {
      if (!Matches(entry, message, wParam)) continue;
      AFX_MSG outer = std::exchange(m_currentMsg, AFX_MSG{message, wParam, lParam});
      INT_PTR result = entry.pfn(*this, wParam, lParam);
      m_currentMsg = outer;
      if (pResult) *pResult = result;
      return TRUE;
    }
  }
  return FALSE;
}

INT_PTR CWnd::Default() {
  return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

void CWnd::OnSysCommand(UINT, INT_PTR) {
  Default();
}

void CWnd::OnPaint() {
  Default();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd) return;
  rControl.Attach(pDX->m_pDlgWnd->GetDlgItemHandle(nIDC));
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

HWND CDialog::OwnerHandle() const {
  if (m_pParentWnd) return m_pParentWnd->m_hWnd;
  CWinApp* app = AfxGetApp();
  if (!app || !app->m_pMainWnd || app->m_pMainWnd == this) return nullptr;
  return app->m_pMainWnd->m_hWnd;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const wchar_t* lpszAppName) {
  g_pApp = this;
  if (lpszAppName) SetAppName(lpszAppName);
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::SetAppName(const CString& name) {
  m_strAppName = name;
}

BOOL CWinApp::InitInstance() {
  return TRUE;
}

int CWinApp::ExitInstance() {
  return 0;
}

void CWinApp::SetRegistryKey(const wchar_t* lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() {
  return g_pApp;
}

CString AfxAppNameFromPath(const CString& path) {
  const std::wstring& text = path.str();
  size_t start = text.find_last_of(L"/\\");
  std::wstring name = text.substr(start == std::wstring::npos ? 0 : start + 1);
  size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  return CString(name);
}

void AfxEnableControlContainer(void*) {}
