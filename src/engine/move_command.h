#pragma once

#include <cstdint>

// Movement commands, numbered after the numeric keypad. The game flow may
// hand any other code; the well ignores it.
enum class MoveCommand : std::int32_t {
    Down = 2,
    Left = 4,
    Drop = 5,
    Right = 6,
};
