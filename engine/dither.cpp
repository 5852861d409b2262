#include "engine/dither.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::array<uint8_t, 8>, 8> kBayer = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

// The highest level whose value is at most `value`.
int LevelBelow(const ChannelLevels& c, int value) {
  int level = c.Level(static_cast<uint8_t>(value));
  while (level > 0 && c.Value(level) > value) --level;
  while (level < c.MaxLevel() && c.Value(level + 1) <= value) ++level;
  return level;
}

// Threshold t (0..63) picks the upper level when the value lies more than
// (2t + 1) / 128 of the way from the level below to the one above.
int OrderedLevel(const ChannelLevels& c, int value, int threshold) {
  const int low = LevelBelow(c, value);
  if (low == c.MaxLevel()) return low;
  const int below = c.Value(low), step = c.Value(low + 1) - below;
  return 128 * (value - below) > (2 * threshold + 1) * step ? low + 1 : low;
}

// The nearest level; halfway goes up.
int NearestLevel(const ChannelLevels& c, int value) {
  const int low = LevelBelow(c, value);
  if (low == c.MaxLevel()) return low;
  const int below = c.Value(low), step = c.Value(low + 1) - below;
  return 2 * (value - below) >= step ? low + 1 : low;
}

uint8_t& Channel(Pixel& px, int channel) {
  return channel == 0 ? px.r : channel == 1 ? px.g : px.b;
}

const ChannelLevels& LevelsOf(const ColourLevels& levels, int channel) {
  return channel == 0 ? levels.red : channel == 1 ? levels.green : levels.blue;
}

}  // namespace

void ColourQuantizer::BeginPicture(uint32_t width) {
  rowIndex_ = 0;
  if (dither_ != Dither::kDiffusion) return;
  current_.assign((size_t{width} + 2) * 3, 0);
  next_.assign((size_t{width} + 2) * 3, 0);
}

void ColourQuantizer::QuantizeRow(Pixel* row, uint32_t width) {
  switch (dither_) {
    case Dither::kNone:
      for (uint32_t x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) {
          uint8_t& v = Channel(row[x], c);
          v = static_cast<uint8_t>(LevelsOf(levels_, c).Level(v));
        }
      }
      break;
    case Dither::kOrdered:
      OrderedRow(row, width);
      break;
    case Dither::kDiffusion:
      DiffusionRow(row, width);
      break;
  }
  ++rowIndex_;
}

void ColourQuantizer::OrderedRow(Pixel* row, uint32_t width) const {
  const auto& thresholds = kBayer[rowIndex_ % 8];
  for (uint32_t x = 0; x < width; ++x) {
    for (int c = 0; c < 3; ++c) {
      uint8_t& v = Channel(row[x], c);
      v = static_cast<uint8_t>(OrderedLevel(LevelsOf(levels_, c), v, thresholds[x % 8]));
    }
  }
}

// Floyd-Steinberg: 7/16 of a pixel's error to the next pixel in walk order,
// 3/16, 5/16 and 1/16 to the three below it (behind, under, ahead). Even
// rows run left to right, odd rows right to left.
void ColourQuantizer::DiffusionRow(Pixel* row, uint32_t width) {
  const bool forward = rowIndex_ % 2 == 0;
  const int step = forward ? 1 : -1;
  for (uint32_t i = 0; i < width; ++i) {
    const uint32_t x = forward ? i : width - 1 - i;
    // Slot of pixel x in the error rows: one spare slot before pixel 0.
    const size_t slot = (size_t{x} + 1) * 3;
    for (int c = 0; c < 3; ++c) {
      const ChannelLevels& levels = LevelsOf(levels_, c);
      uint8_t& v = Channel(row[x], c);
      const int wanted = std::clamp(v + ((current_[slot + c] + 8) >> 4), 0, 255);
      const int level = NearestLevel(levels, wanted);
      const int32_t error = wanted - levels.Value(level);
      current_[slot + c + step * 3] += 7 * error;
      next_[slot + c - step * 3] += 3 * error;
      next_[slot + c] += 5 * error;
      next_[slot + c + step * 3] += error;
      v = static_cast<uint8_t>(level);
    }
  }
  current_.swap(next_);
  std::fill(next_.begin(), next_.end(), 0);
}
