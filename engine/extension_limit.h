// How many extension words a run holds: the settings' word array and the
// parser that fills it must agree, so both take the size from here.
#pragma once

inline constexpr int kMaxExtensions = 20;
