#pragma once

// The game's timers, by the ids the window knows them by.
enum class GameTimer : int {
    Drop = 100,
    Rise = 101,
    Title = 102,
    // A moved window's place is written once this one fires.
    Place = 103,
};

constexpr int timerId(GameTimer timer)
{
    return static_cast<int>(timer);
}
