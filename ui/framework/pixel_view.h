// CPixelView: a picture control (a STATIC with SS_BITMAP in the template)
// that shows a buffer of pixels enlarged by a whole zoom, each pixel a
// zoom x zoom square so that single pixels and banding stay visible.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/framework/wnd.h"

// What a picture control shows: exactly its client area, 3 bytes R, G, B a
// pixel, rows top first. The zoomed picture is centred; what does not fit
// is cut off on the right and bottom, and the margin is kMarginGrey.
struct ZoomedPixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

inline constexpr uint8_t kMarginGrey = 0x80;

// `rgba`: width x height pixels, 4 bytes R, G, B, A each, rows top first;
// alpha is not shown (composite first where it matters).
ZoomedPixels ZoomPixels(const uint8_t* rgba, int width, int height, int zoom, int viewWidth,
                        int viewHeight);

class CPixelView : public CWnd {
 public:
  CPixelView() = default;
  // Frees what the backend made to show the pixels, if it must.
  ~CPixelView() override;

  // Shows the picture at `zoom` (1 or more) in the control, replacing what
  // it showed; 0 x 0 pixels leave only the margin.
  void SetPixels(const uint8_t* rgba, int width, int height, int zoom);

 private:
  // The bitmap a Win32 picture control shows: the control never frees it,
  // so the view does, also after the control's window is gone.
  void* m_image = nullptr;
};
