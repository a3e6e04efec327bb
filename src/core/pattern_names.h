#pragma once

#include <array>

inline constexpr int patternNameSlot = 25;
// NUL-terminated Shift-JIS names of the ten scoring patterns; slot k names pattern k + 1.
using PatternNames = std::array<std::array<char, patternNameSlot>, 10>;
