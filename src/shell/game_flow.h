#pragma once

#include "engine/move_command.h"

#include <cstdint>

struct Game;

// A game from its start to game over, driven by the menu, the two play timers
// and the keyboard.
void beginPiece(Game& game, bool newGame);
void dropTick(Game& game, bool restartTimer);
void playerCommand(Game& game, MoveCommand command);
void riseTick(Game& game);
void endGame(Game& game, int rank);
void setTimersRunning(Game& game, bool on);
void onKeyDown(Game& game, std::uint32_t key, std::int32_t dropKeyType);
void onChar(Game& game, std::uint32_t character, std::int32_t dropKeyType);
void onActivate(Game& game, std::uint32_t state);
// The pause key: pauses a running game as losing the focus does, or resumes it.
void togglePause(Game& game);
// A gamepad button (platform::pad): moves, drops, pauses, or starts a game when none runs.
void onPadButton(Game& game, std::uint32_t button);
