#include "ui/quarry_dlg.h"

#include "engine/extension_list.h"
#include "ui/about_dlg.h"

uint8_t g_bRanOnce = 0;

namespace {

constexpr const wchar_t* kNoteLines[] = {
    L"Ver:2404 for TALU---The input BMP format must be 24bit(RGB888) color depth",
    L"Note: All *.bmp files in the folder are merged and converted to one bin file with the "
    L"corresponding color bit depth.",
    L"Note: the binary bin data with 8bit or 24bit color depth can be selected.",
};

}  // namespace

BEGIN_MESSAGE_MAP(CQuarryDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_CONVERT, &CQuarryDlg::OnBnClickedConvert)
ON_BN_CLICKED(IDC_BROWSE, &CQuarryDlg::OnBnClickedBrowse)
ON_BN_CLICKED(IDC_NOT_USE, &CQuarryDlg::OnBnClickedNotUse)
ON_BN_CLICKED(IDC_DEPTH24, &CQuarryDlg::OnBnClickedDepth24)
ON_BN_CLICKED(IDC_DEPTH16, &CQuarryDlg::OnBnClickedDepth16)
ON_BN_CLICKED(IDC_DEPTH8, &CQuarryDlg::OnBnClickedDepth8)
ON_LBN_DBLCLK(IDC_LOG, &CQuarryDlg::OnLbnDblclkLog)
END_MESSAGE_MAP()

CQuarryDlg::CQuarryDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      CQuarryEngine(static_cast<RunEvents&>(*this)),
      m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

CQuarryDlg::~CQuarryDlg() = default;

void CQuarryDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LOG, m_listLog);
  DDX_Control(pDX, IDC_AUX_LIST, m_listAux);
}

BOOL CQuarryDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
    CString strAboutMenu;
    AfxLoadString(IDS_ABOUTBOX, strAboutMenu);
    if (!strAboutMenu.IsEmpty()) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu.GetString());
    }
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  SetWindowText(L"KV_Rastrum");

  m_nFileCount = 0;
  m_strExtensions = L"bmp";
  SetDlgItemText(IDC_EXTENSIONS, m_strExtensions.GetString());
  m_bFullPath = 1;
  m_nDepth = 16;
  CheckDlgButton(IDC_NOT_USE, BST_CHECKED);
  CheckRadioButton(IDC_DEPTH24, IDC_DEPTH8, IDC_DEPTH16);
  m_listAux.ShowWindow(SW_HIDE);
  for (const wchar_t* line : kNoteLines) m_listLog.AddString(line);
  return TRUE;
}

void CQuarryDlg::ParseExtensionList(CString text) {
  ::ParseExtensionList(text, m_strExt, m_nExtCount);
}

void CQuarryDlg::OnBnClickedConvert() {
  CWaitCursor busy;
  m_nFileCount = 0;
  if (g_bRanOnce == 1) {
    m_listLog.ResetContent();
    m_linePictures.clear();
  }
  m_listAux.ResetContent();
  g_bRanOnce = 1;
  m_listAux.ShowWindow(SW_HIDE);

  GetDlgItemText(IDC_EXTENSIONS, m_strExtensions);
  GetDlgItemText(IDC_FOLDER, m_strFolder);
  m_nExtCount = 0;
  if (!m_strExtensions.IsEmpty()) ParseExtensionList(m_strExtensions);

  CString folder = m_strFolder.IsEmpty() ? CString(L"bmp") : m_strFolder;
  m_strRunFailure.Empty();
  ConvertFolder(folder, 1);
  if (!m_strRunFailure.IsEmpty()) {
    AfxMessageBox(m_strRunFailure.GetString(), MB_OK | MB_ICONERROR, 0);
  } else if (m_nFileCount == 0) {
    AfxMessageBox(L"No related files", MB_OK, 0);
  }
}

void CQuarryDlg::OnPictureAdded(const PictureEntry& entry, const CString& path) {
  m_pendingPicture = PreviewTarget{path,        entry.index,  entry.offset, entry.length,
                                   entry.width, entry.height, m_nDepth};
}

// A picture's result line follows its OnPictureAdded.
void CQuarryDlg::OnMessageLine(const CString& line) {
  if (m_pendingPicture) {
    m_linePictures[m_listLog.GetCount()] = *m_pendingPicture;
    m_pendingPicture.reset();
  }
  m_listLog.AddString(line);
}

void CQuarryDlg::OnLbnDblclkLog() {
  auto found = m_linePictures.find(m_listLog.GetCurSel());
  if (found == m_linePictures.end()) return;
  CPreviewDlg preview(found->second, m_nDepth, m_background, this);
  preview.DoModal();
}

void CQuarryDlg::OnOutputFailure(const CString& failure) {
  m_listLog.AddString(failure);
  m_strRunFailure = failure;
}

void CQuarryDlg::OnRunEnd(const RunSummary&) {
  m_listLog.SetCurSel(m_listLog.GetCount() - 1);
}

void CQuarryDlg::OnBnClickedBrowse() {
  CString title = L"Please select the folder";
  CString path;
  // A cancelled chooser leaves the folder as it was.
  if (!AfxBrowseForFolder(CWnd::GetFocus(), title.GetString(),
                          BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_BROWSEFORCOMPUTER,
                          path)) {
    return;
  }
  m_strFolder = path;
  SetDlgItemText(IDC_FOLDER, m_strFolder.GetString());
}

void CQuarryDlg::OnBnClickedNotUse() {}

void CQuarryDlg::OnBnClickedDepth24() {
  m_nDepth = 24;
}

void CQuarryDlg::OnBnClickedDepth16() {
  m_nDepth = 16;
}

void CQuarryDlg::OnBnClickedDepth8() {
  m_nDepth = 8;
}

void CQuarryDlg::OnSysCommand(UINT nID, INT_PTR lParam) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
  } else {
    CDialog::OnSysCommand(nID, lParam);
  }
}

// Minimized, the dialog draws its icon centred in its client area.
void CQuarryDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  int cxIcon = AfxGetSystemMetrics(SM_CXICON);
  int cyIcon = AfxGetSystemMetrics(SM_CYICON);
  CRect rect;
  GetClientRect(&rect);
  int x = (rect.Width() - cxIcon + 1) / 2;
  int y = (rect.Height() - cyIcon + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CQuarryDlg::OnQueryDragIcon() {
  return static_cast<HCURSOR>(m_hIcon);
}
