// The zoom of a picture control, shared by every backend: the backend only
// puts the resulting pixels on the screen.
#include "ui/framework/pixel_view.h"

#include <algorithm>

namespace {

// Where the zoomed picture's columns (or rows) land in the view and how many
// show: centred when they fit, else cut off at the far end.
struct Span {
  int at;
  int count;
};

Span Fit(int zoomed, int view) {
  if (zoomed <= view) return {(view - zoomed) / 2, zoomed};
  return {0, view};
}

}  // namespace

ZoomedPixels ZoomPixels(const uint8_t* rgba, int width, int height, int zoom, int viewWidth,
                        int viewHeight) {
  ZoomedPixels out;
  out.width = std::max(viewWidth, 0);
  out.height = std::max(viewHeight, 0);
  out.rgb.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 3, kMarginGrey);
  if (!rgba || width <= 0 || height <= 0 || zoom < 1) return out;
  Span columns = Fit(width * zoom, out.width);
  Span rows = Fit(height * zoom, out.height);
  for (int y = 0; y < rows.count; ++y) {
    const uint8_t* source = rgba + static_cast<size_t>(y / zoom) * width * 4;
    uint8_t* target =
        out.rgb.data() + (static_cast<size_t>(rows.at + y) * out.width + columns.at) * 3;
    for (int x = 0; x < columns.count; ++x) {
      const uint8_t* pixel = source + static_cast<size_t>(x / zoom) * 4;
      std::copy(pixel, pixel + 3, target + static_cast<size_t>(x) * 3);
    }
  }
  return out;
}
