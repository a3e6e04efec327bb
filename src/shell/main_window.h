#pragma once

#include "shell/game.h"
#include "core/options.h"
#include "core/surfaces.h"

#include <optional>

namespace platform {
class Application;
class Window;
struct Message;
} // namespace platform

// The records that live for the whole process: the settings and the surfaces
// from the start, the game from the window's first message.
struct Program {
    Options options;
    Surfaces surfaces;
    bool surfacesPending = true;
    std::optional<Game> game;
};

inline constexpr const char* windowClassName = "Rumo!ウィンドウtamaro";
inline constexpr const char* windowTitle = "タマロ　ミナソラ";

// The window procedure works on this program; set before the window is created.
void bindProgram(Program& program);
void windowProc(platform::Window& window, const platform::Message& message);

// The entry point: refuses a second copy, runs the window, tears the game down.
int runTamaro(platform::Application& application, Program& program);
