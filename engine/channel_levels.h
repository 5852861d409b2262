// How an output format reduces one 8-bit channel to its levels, and the
// 8-bit value each level stands for.
#pragma once

#include <cstdint>

struct ChannelLevels {
  // The level is value >> shift, or value / divisor when divisor is not 0.
  uint8_t shift = 0;
  uint8_t divisor = 0;

  int Level(uint8_t value) const { return divisor ? value / divisor : value >> shift; }
  int MaxLevel() const { return divisor ? 255 / divisor : 255 >> shift; }
  // The level's 8-bit value, level * 255 / MaxLevel() rounded to nearest: what
  // a display shows for it, and what dithering measures its error against.
  int Value(int level) const {
    const int max = MaxLevel();
    return (level * 255 + max / 2) / max;
  }
};

// The three colour channels of a format, in the order red, green, blue.
struct ColourLevels {
  ChannelLevels red, green, blue;
};
