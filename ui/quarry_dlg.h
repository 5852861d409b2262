// CQuarryDlg: the main dialog. It holds the user's choices, starts a
// conversion run from "Convert to BIN" and shows the run's report. The
// engine's settings and report state are its own members (CQuarryEngine).
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "engine/quarry_engine.h"
#include "platform/cstring.h"
#include "ui/framework/framework.h"
#include "ui/preview_dlg.h"
#include "ui/resource.h"

// Set by the first press of "Convert to BIN" and never reset: from then on
// every run starts on an empty message list.
extern uint8_t g_bRanOnce;

// The dialog hears its own runs (RunEvents) and shows them in its list box.
class CQuarryDlg : public CDialog, private RunEvents, public CQuarryEngine {
 public:
  enum { IDD = IDD_RASTRUM_DIALOG };

  explicit CQuarryDlg(CWnd* pParent = nullptr);
  ~CQuarryDlg() override;

  // Splits the extension text into m_strExt and counts the words in
  // m_nExtCount; the caller sets the count to 0 first.
  void ParseExtensionList(CString text);

  HICON m_hIcon;
  CString m_strExtensions;
  // Control 1002: the message list, where runs report.
  CListBox m_listLog;
  // Control 1003: emptied and hidden at every run; nothing is ever added.
  CListBox m_listAux;
  CString m_strFolder;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnSysCommand(UINT nID, INT_PTR lParam);
  afx_msg void OnPaint();
  afx_msg HCURSOR OnQueryDragIcon();
  afx_msg void OnBnClickedConvert();
  afx_msg void OnBnClickedBrowse();
  afx_msg void OnBnClickedNotUse();
  afx_msg void OnBnClickedDepth24();
  afx_msg void OnBnClickedDepth16();
  afx_msg void OnBnClickedDepth8();
  // A picture's result line opens its preview; other lines do nothing.
  afx_msg void OnLbnDblclkLog();

  DECLARE_MESSAGE_MAP()

 private:
  void OnFolderEntered(const std::string&) override {}
  void OnFileSelected(const std::string&) override {}
  void OnMessageLine(const CString& line) override;
  void OnPictureAdded(const PictureEntry& entry, const CString& path) override;
  void OnOutputFailure(const CString& failure) override;
  void OnRunEnd(const RunSummary& summary) override;

  // What failed in the last run's output files, for its message box.
  CString m_strRunFailure;
  // The pictures of the message list by line number; the picture whose
  // result line comes next.
  std::map<int, PreviewTarget> m_linePictures;
  std::optional<PreviewTarget> m_pendingPicture;
};
