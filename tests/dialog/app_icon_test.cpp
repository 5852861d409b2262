// Icon 128's pictures: one picture drawn afresh at each size, so that a
// picture twice as large holds twice the detail instead of doubled pixels.
#include "ui/app_icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// A channel of a pixel, weighted by its alpha (0 to 255 * 255).
int Premultiplied(uint32_t argb, int shift) {
  return static_cast<int>((argb >> shift) & 0xFF) * static_cast<int>(argb >> 24);
}

// The mean difference, per channel of 0 to 255, between the small picture
// and the large one halved by averaging each 2 x 2 block.
double HalvedDifference(const uint32_t* small, const uint32_t* large, int size) {
  double total = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      for (int shift : {0, 8, 16}) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy) {
          for (int dx = 0; dx < 2; ++dx) {
            sum += Premultiplied(large[(2 * y + dy) * 2 * size + 2 * x + dx], shift);
          }
        }
        total += std::abs(sum / 4.0 - Premultiplied(small[y * size + x], shift)) / 255;
      }
    }
  }
  return total / (size * size * 3);
}

// 2 x 2 blocks of the picture whose four pixels are not all the same.
int MixedBlocks(const uint32_t* pixels, int size) {
  int mixed = 0;
  for (int y = 0; y + 1 < size; y += 2) {
    for (int x = 0; x + 1 < size; x += 2) {
      uint32_t first = pixels[y * size + x];
      mixed += pixels[y * size + x + 1] != first || pixels[(y + 1) * size + x] != first ||
               pixels[(y + 1) * size + x + 1] != first;
    }
  }
  return mixed;
}

}  // namespace

TEST(AppIcon, EachSizeIsThePictureDrawnAtThatSize) {
  for (int size : kAppIconSizes) {
    SCOPED_TRACE(std::to_string(size) + " pixels");
    const uint32_t* pixels = AppIconPixels(size);
    ASSERT_NE(pixels, nullptr);
    auto at = [&](double x, double y) {
      return pixels[static_cast<int>(y * size) * size + static_cast<int>(x * size)];
    };
    // A transparent corner round the panel, an opaque screen whose top and
    // bottom bars differ in colour.
    EXPECT_EQ(at(0, 0) >> 24, 0u);
    EXPECT_EQ(at(0.5, 0.5) >> 24, 0xFFu);
    EXPECT_NE(at(0.3, 0.2), at(0.3, 0.65));

    auto twice = std::find(kAppIconSizes.begin(), kAppIconSizes.end(), 2 * size);
    if (twice == kAppIconSizes.end()) continue;
    const uint32_t* large = AppIconPixels(2 * size);
    EXPECT_LT(HalvedDifference(pixels, large, size), 2.0);
    EXPECT_GT(MixedBlocks(large, 2 * size), size * size / 10);
  }
  EXPECT_EQ(AppIconPixels(33), nullptr);
}
