#include "ui/app_icon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// The picture is 90 x 92 units, placed on a square of 96 units as desktop
// icon themes expect; a unit is a pixel at 96.
constexpr double kCanvas = 96;
constexpr double kLeft = 3, kTop = 2;

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

// Whether a point lies on the rounded panel, or on the panel shrunk by inset.
bool InsidePanel(double x, double y, double inset) {
  double left = kPanelLeft + inset, top = kPanelTop + inset;
  double right = kPanelRight - inset, bottom = kPanelBottom - inset;
  double radius = kPanelRadius - inset;
  if (x < left || x > right || y < top || y > bottom) return false;
  double cx = std::clamp(x, left + radius, right - radius);
  double cy = std::clamp(y, top + radius, bottom - radius);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
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

bool OnLed(double x, double y) {
  double dx = x - 45, dy = y - 79;
  return dx * dx + dy * dy <= 3.2 * 3.2;
}

struct Sample {
  Rgb color;
  bool opaque;
};

// The picture at a point of its own units.
Sample PictureAt(double x, double y) {
  if (!InsidePanel(x, y, 0)) return {{0, 0, 0}, false};
  Rgb color = InsidePanel(x, y, 2) ? kBezel : kBezelEdge;
  bool onScreen =
      x >= kScreenLeft && x < kScreenRight - 1 && y >= kScreenTop && y < kScreenBottom - 1;
  if (onScreen) color = ScreenPixel(static_cast<int>(x), static_cast<int>(y));
  if (OnLed(x, y)) color = kLed;
  return {color, true};
}

// A pixel is the mean of a grid of samples over its area, fine enough for
// at least four samples a unit each way, so edges are smooth at every size.
uint32_t Pixel(int px, int py, double unitsPerPixel) {
  int grid = std::max(4, static_cast<int>(std::ceil(4 * unitsPerPixel)));
  double r = 0, g = 0, b = 0;
  int covered = 0;
  for (int sy = 0; sy < grid; ++sy) {
    for (int sx = 0; sx < grid; ++sx) {
      double x = (px + (sx + 0.5) / grid) * unitsPerPixel - kLeft;
      double y = (py + (sy + 0.5) / grid) * unitsPerPixel - kTop;
      Sample sample = PictureAt(x, y);
      if (!sample.opaque) continue;
      r += sample.color.r;
      g += sample.color.g;
      b += sample.color.b;
      ++covered;
    }
  }
  if (covered == 0) return 0;
  auto channel = [covered](double sum) {
    return static_cast<uint32_t>(std::lround(sum / covered));
  };
  auto alpha = static_cast<uint32_t>(std::lround(255.0 * covered / (grid * grid)));
  return alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

std::vector<uint32_t> Draw(int size) {
  std::vector<uint32_t> pixels(static_cast<size_t>(size * size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      pixels[static_cast<size_t>(y * size + x)] = Pixel(x, y, kCanvas / size);
    }
  }
  return pixels;
}

}  // namespace

const uint32_t* AppIconPixels(int size) {
  static const auto drawn = [] {
    std::array<std::vector<uint32_t>, kAppIconSizes.size()> all;
    for (size_t i = 0; i < all.size(); ++i) all[i] = Draw(kAppIconSizes[i]);
    return all;
  }();
  auto found = std::find(kAppIconSizes.begin(), kAppIconSizes.end(), size);
  if (found == kAppIconSizes.end()) return nullptr;
  return drawn[static_cast<size_t>(found - kAppIconSizes.begin())].data();
}
