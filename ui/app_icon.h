// Icon 128: the application's picture, drawn in code so that every backend
// and the generated .ico and .png come from one source. It is drawn afresh
// at each size, so that dense screens get a sharp picture, not an
// enlargement.
#pragma once

#include <array>
#include <cstdint>

// The square sizes the icon is drawn at, smallest first: the system icon
// sizes of Windows and GTK at 100 to 400 %, and the desktop's 96.
inline constexpr std::array<int, 7> kAppIconSizes = {16, 24, 32, 48, 64, 96, 128};

// size x size pixels, rows top first, 0xAARRGGBB with straight alpha; size
// is one of kAppIconSizes, else null. Drawn on first use.
const uint32_t* AppIconPixels(int size);
