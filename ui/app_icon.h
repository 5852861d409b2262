// Icon 128: the application's picture, drawn in code so that every backend
// and the generated .ico and .png come from one source.
#pragma once

#include <cstdint>

inline constexpr int kAppIconWidth = 90;
inline constexpr int kAppIconHeight = 92;

// kAppIconWidth x kAppIconHeight pixels, rows top first, 0xAARRGGBB with
// straight alpha. Drawn on first use.
const uint32_t* AppIconPixels();
