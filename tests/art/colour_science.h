// Colour difference for the tests of the artwork: CIEDE2000 on CIELAB (D65),
// and the simulation of red-green colour blindness by the matrices of
// Machado, Oliveira and Fernandes (2009) at full severity.
#pragma once

#include "platform/geometry.h"

namespace colour_science {

struct Lab {
    double L, a, b;
};

enum class Vision { Normal, Deuteranopia, Protanopia };

Lab toLab(platform::Colour c);
platform::Colour simulate(platform::Colour c, Vision vision);
double ciede2000(const Lab& x, const Lab& y);

} // namespace colour_science
