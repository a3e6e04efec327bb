#include "view/digits.h"

#include <cmath>

int decimalDigits(double value)
{
    int n = 0;
    while (value / std::pow(10.0, n) >= 1.0)
        ++n;
    return n == 0 ? 1 : n;
}

int digitGlyph(double value, int position)
{
    if (!std::isfinite(value) || value < 0.0)
        return unlitGlyph;
    if (decimalDigits(value) < position)
        return unlitGlyph;
    if (position <= 0)
        return 0;
    // Kept in floating point so that a score beyond the 32-bit range still
    // yields its lowest digits instead of an out-of-range conversion.
    const double upTo = std::trunc(value / std::pow(10.0, position - 1));
    const double above = std::trunc(value / std::pow(10.0, position));
    return static_cast<int>(upTo - 10.0 * above);
}
