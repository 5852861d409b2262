// Device contexts: drawing on a window during WM_PAINT.
#pragma once

#include "ui/framework/afx_types.h"

class CWnd;

class CDC {
 public:
  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  // Draws the icon at its own size with its top-left corner at (x, y).
  BOOL DrawIcon(int x, int y, HICON hIcon);
};

// Opened in a WM_PAINT handler; closing it ends the paint.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC();
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

 private:
  CWnd* m_pWnd;
  // What a backend needs to end the paint (Win32: the PAINTSTRUCT).
  [[maybe_unused]] void* m_pPaint = nullptr;
};
