// Helpers shared by the tests of the pictures carried inside the program.
#pragma once

#include "platform/surface.h"

#include <gtest/gtest.h>

namespace art_test {

inline bool isBlack(platform::Colour c)
{
    return c.r == 0 && c.g == 0 && c.b == 0;
}

// A lit segment dot of the display: bright yellow.
inline bool isLitYellow(platform::Colour c)
{
    return c.r >= 200 && c.g >= 170 && c.b <= 190 && c.r >= c.b + 60;
}

inline std::string describe(platform::Colour c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

} // namespace art_test
