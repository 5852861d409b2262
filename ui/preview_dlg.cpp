#include "ui/preview_dlg.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CPreviewDlg, CDialog)
ON_BN_CLICKED(IDC_ZOOM_IN, &CPreviewDlg::OnBnClickedZoomIn)
ON_BN_CLICKED(IDC_ZOOM_OUT, &CPreviewDlg::OnBnClickedZoomOut)
END_MESSAGE_MAP()

namespace {

const uint8_t* Bytes(const std::vector<Pixel>& pixels) {
  static_assert(sizeof(Pixel) == 4);
  return pixels.empty() ? nullptr : &pixels.front().r;
}

}  // namespace

CPreviewDlg::CPreviewDlg(const PreviewTarget& target, int depth, Background background,
                         CWnd* pParent)
    : CDialog(IDD, pParent), m_target(target), m_nDepth(depth), m_background(background) {}

CPreviewDlg::~CPreviewDlg() = default;

void CPreviewDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PREVIEW_SOURCE, m_viewSource);
  DDX_Control(pDX, IDC_PREVIEW_SHOWN, m_viewShown);
}

// The file is read again, so the preview shows it as it is now.
BOOL CPreviewDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_preview = PreviewPicture(m_target.path, m_nDepth, m_background, kMaxShownSide);
  m_shownSource.clear();
  for (const Pixel& pixel : m_preview.source) {
    m_shownSource.push_back(OverBackground(pixel, m_background));
  }
  SetDlgItemText(IDC_PREVIEW_SOURCE_LABEL, SourceLabel().GetString());
  SetDlgItemText(IDC_PREVIEW_SHOWN_LABEL, ShownLabel().GetString());
  SetDlgItemText(IDC_PREVIEW_NAME, NameLine().GetString());
  SetDlgItemText(IDC_PREVIEW_PLACE, PlaceLine().GetString());
  SetZoom(FittingZoom());
  return TRUE;
}

int CPreviewDlg::FittingZoom() const {
  CRect pane;
  m_viewSource.GetClientRect(&pane);
  int zoom = kMaxZoom;
  auto fits = [&](int z) {
    return m_preview.shownWidth * static_cast<uint64_t>(z) <= static_cast<uint64_t>(pane.Width()) &&
           m_preview.shownHeight * static_cast<uint64_t>(z) <= static_cast<uint64_t>(pane.Height());
  };
  while (zoom > kMinZoom && !fits(zoom)) --zoom;
  return zoom;
}

void CPreviewDlg::SetZoom(int zoom) {
  m_nZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  const int width = static_cast<int>(m_preview.shownWidth);
  const int height = static_cast<int>(m_preview.shownHeight);
  m_viewSource.SetPixels(Bytes(m_shownSource), width, height, m_nZoom);
  m_viewShown.SetPixels(Bytes(m_preview.decoded), width, height, m_nZoom);
  CString text;
  text.Format(L"%dx", m_nZoom);
  SetDlgItemText(IDC_ZOOM, text.GetString());
}

void CPreviewDlg::OnBnClickedZoomIn() {
  SetZoom(m_nZoom + 1);
}

void CPreviewDlg::OnBnClickedZoomOut() {
  SetZoom(m_nZoom - 1);
}

CString CPreviewDlg::NameLine() const {
  CString line;
  line.Format(L"PIC_%03d: ", m_target.index);
  return line + m_target.path;
}

CString CPreviewDlg::SourceLabel() const {
  CString label = L"Source";
  if (m_preview.step > 1) label.Format(L"Source, shown 1 pixel in %u", m_preview.step);
  return label;
}

CString CPreviewDlg::ShownLabel() const {
  CString label;
  if (m_preview.rejection.IsEmpty()) {
    label.Format(L"On the display (%d bit): colour error mean %.2f, largest %d", m_nDepth,
                 m_preview.error.Mean(), m_preview.error.largest);
  } else {
    label.Format(L"On the display (%d bit)", m_nDepth);
  }
  return label;
}

CString CPreviewDlg::PlaceLine() const {
  if (!m_preview.rejection.IsEmpty()) {
    const std::wstring& why = m_preview.rejection.str();
    return CString(L"Not shown, the file no longer reads as a picture: ") +
           CString(why.substr(std::min(why.find_first_not_of(L' '), why.size())));
  }
  CString line;
  line.Format(L"%u x %u pixels, offset 0x%08llX (%llu), %llu bytes in the %d-bit binary image file",
              m_target.width, m_target.height, static_cast<unsigned long long>(m_target.offset),
              static_cast<unsigned long long>(m_target.offset),
              static_cast<unsigned long long>(m_target.length), m_target.runDepth);
  if (!m_preview.complete) line += L"; the file changed while it was read";
  return line;
}
