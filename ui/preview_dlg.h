// CPreviewDlg: one picture of the last run, its source pixels beside what
// the display will show at the dialog's depth, at a zoom of 1x to 8x, with
// its number, size and place in the binary image file. Opened by a double
// click on the picture's line in the main dialog's message list.
#pragma once

#include <cstdint>

#include "engine/picture_preview.h"
#include "engine/pixel_encoder.h"
#include "platform/cstring.h"
#include "ui/framework/framework.h"
#include "ui/resource.h"

// A picture as the run that converted it reported it.
struct PreviewTarget {
  CString path;  // as in its message line
  int32_t index = 0;
  uint64_t offset = 0;
  uint64_t length = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  int runDepth = 16;  // the depth of the binary image file the offset is in
};

class CPreviewDlg : public CDialog {
 public:
  enum { IDD = IDD_PREVIEW };
  static constexpr int kMinZoom = 1;
  static constexpr int kMaxZoom = 8;
  // Pictures longer than this on a side are shown downscaled by a whole step.
  static constexpr uint32_t kMaxShownSide = 512;

  CPreviewDlg(const PreviewTarget& target, int depth, Background background,
              CWnd* pParent = nullptr);
  ~CPreviewDlg() override;

  int Zoom() const { return m_nZoom; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  afx_msg void OnBnClickedZoomIn();
  afx_msg void OnBnClickedZoomOut();

  DECLARE_MESSAGE_MAP()

 private:
  // The largest zoom at which the whole picture fits its pane.
  int FittingZoom() const;
  void SetZoom(int zoom);
  CString SourceLabel() const;
  CString ShownLabel() const;
  CString NameLine() const;
  CString PlaceLine() const;

  PreviewTarget m_target;
  int m_nDepth;
  Background m_background;
  PicturePreview m_preview;
  // The source composited over the background, as an exact display shows it.
  std::vector<Pixel> m_shownSource;
  int m_nZoom = kMinZoom;
  CPixelView m_viewSource;
  CPixelView m_viewShown;
};
