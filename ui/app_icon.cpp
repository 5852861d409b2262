#include "ui/app_icon.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kWidth = kAppIconWidth;
constexpr int kHeight = kAppIconHeight;

struct Rgb {
  int r, g, b;
};

// The panel: a display module's bezel with rounded corners.
constexpr double kPanelLeft = 3, kPanelTop = 4, kPanelRight = 87, kPanelBottom = 88;
constexpr double kPanelRadius = 12;
constexpr Rgb kBezel = {0x23, 0x2F, 0x3E};
constexpr Rgb kBezelEdge = {0x0E, 0x14, 0x1C};
// The screen inside it, showing colour bars made of coarse pixels: the
// pictures the tool turns into raster bytes.
constexpr int kScreenLeft = 12, kScreenTop = 13, kScreenRight = 78, kScreenBottom = 70;
constexpr int kCell = 6;
constexpr std::array<Rgb, 5> kBars = {
    Rgb{0xE8, 0x3A, 0x3A}, Rgb{0xF2, 0xA5, 0x1A}, Rgb{0x3C, 0xC4, 0x5A},
    Rgb{0x2F, 0xA8, 0xE0}, Rgb{0x5B, 0x4B, 0xE0},
};
constexpr Rgb kLed = {0x7C, 0xF0, 0x7C};

// Coverage of the rounded panel at a point, so the corners are smooth.
bool InsidePanel(double x, double y, double inset) {
  double left = kPanelLeft + inset, top = kPanelTop + inset;
  double right = kPanelRight - inset, bottom = kPanelBottom - inset;
  double radius = kPanelRadius - inset;
  if (x < left || x > right || y < top || y > bottom) return false;
  double cx = std::clamp(x, left + radius, right - radius);
  double cy = std::clamp(y, top + radius, bottom - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

double Coverage(int px, int py, double inset) {
  int inside = 0;
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      inside += InsidePanel(px + (sx + 0.5) / 4, py + (sy + 0.5) / 4, inset);
    }
  }
  return inside / 16.0;
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {static_cast<int>(std::lround(a.r + (b.r - a.r) * t)),
          static_cast<int>(std::lround(a.g + (b.g - a.g) * t)),
          static_cast<int>(std::lround(a.b + (b.b - a.b) * t))};
}

// Each bar darkens from left to right in steps, one step per cell, like a
// colour ramp quantised to a few levels.
Rgb ScreenPixel(int x, int y) {
  int col = (x - kScreenLeft) / kCell, row = (y - kScreenTop) / kCell;
  bool gap = (x - kScreenLeft) % kCell == kCell - 1 || (y - kScreenTop) % kCell == kCell - 1;
  if (gap) return {0x10, 0x16, 0x20};
  // The last row of cells is cut short by the screen's edge: it takes the last bar.
  int rows = (kScreenBottom - kScreenTop) / kCell;
  int barIndex =
      std::min(row * static_cast<int>(kBars.size()) / rows, static_cast<int>(kBars.size()) - 1);
  Rgb bar = kBars[static_cast<size_t>(barIndex)];
  int cols = (kScreenRight - kScreenLeft) / kCell;
  return Mix(bar, {0x18, 0x1E, 0x2A}, 0.75 * col / (cols - 1));
}

bool OnLed(int x, int y) {
  double dx = x + 0.5 - 45, dy = y + 0.5 - 79;
  return dx * dx + dy * dy <= 3.2 * 3.2;
}

uint32_t Pack(Rgb c, double alpha) {
  auto a = static_cast<uint32_t>(std::lround(alpha * 255));
  return a << 24 | static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 |
         static_cast<uint32_t>(c.b);
}

std::array<uint32_t, kWidth * kHeight> Draw() {
  std::array<uint32_t, kWidth * kHeight> pixels{};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      double outer = Coverage(x, y, 0);
      if (outer == 0) continue;
      Rgb color = Mix(kBezelEdge, kBezel, Coverage(x, y, 2));
      bool onScreen =
          x >= kScreenLeft && x < kScreenRight - 1 && y >= kScreenTop && y < kScreenBottom - 1;
      if (onScreen) color = ScreenPixel(x, y);
      if (OnLed(x, y)) color = kLed;
      pixels[static_cast<size_t>(y * kWidth + x)] = Pack(color, outer);
    }
  }
  return pixels;
}

}  // namespace

const uint32_t* AppIconPixels() {
  static const std::array<uint32_t, kWidth* kHeight> pixels = Draw();
  return pixels.data();
}
