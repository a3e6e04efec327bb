#pragma once

// Glyphs of the digit readouts: a value stands right-aligned in its cells,
// with the unlit cell left of its leading digit.

inline constexpr int unlitGlyph = 10;

// Number of decimal digits of value; 1 for values below 1.
int decimalDigits(double value);

// Glyph 0 to 9 or unlitGlyph for one decimal position of value, counted from 1
// at the units digit. A value with more digits than cells shows its lowest
// digits. A negative value (the stage clock on the tick of a rise) has no
// digit to light, so every position shows the unlit cell.
int digitGlyph(double value, int position);
