#pragma once

#include "core/pattern_names.h"

#include <string>

// What the balloon says: the name of pattern index (1 to 10) followed at once
// by the cry of the character of the next piece's colour (1 to 8), in Shift-JIS.
// A colour without a character adds no cry.
std::string balloonText(const PatternNames& names, int index, int colour);
