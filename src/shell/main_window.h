#pragma once

#include "shell/game.h"
#include "core/options.h"
#include "core/canvas.h"
#include "platform/window.h"

#include <optional>

namespace platform {
class Application;
} // namespace platform

// The records that live for the whole process: the settings and the canvas
// from the start, the game from the window's first message.
struct Program {
    Options options;
    Canvas canvas;
    bool canvasPending = true;
    std::optional<Game> game;
};

inline constexpr const char* windowClassName = "Rumo!ウィンドウtamaro";
inline constexpr const char* windowTitle = "タマロ　ミナソラ";

// The window procedure of the game: every message of the window, for this program.
void windowProc(Program& program, platform::Window& window, const platform::Message& message);
// The procedure that a window of this program is made with.
platform::WindowProc procedureFor(Program& program);

// The entry point: refuses a second copy, runs the window, tears the game down.
int runTamaro(platform::Application& application, Program& program);
