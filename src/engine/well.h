#pragma once

#include "core/timers.h"
#include "core/grid.h"
#include "engine/move_command.h"
#include "core/random.h"
#include "core/round_status.h"
#include "patterns/row_evaluator.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {
class Window;
}

// What a rise did to the falling piece.
enum class RiseResult {
    PieceKept,
    // The piece sat in the top row on its column and was pushed out of the
    // well: the game is over. The piece fields still name the piece in row 1.
    PiecePushedOut,
};

// What one landing removed and scored.
struct LandingResult {
    RowPattern pattern = NoPattern;
    std::int32_t rowsRemoved = 0;
    std::int32_t points = 0;
};

// How the well's changes reach the screen; the game binds both to the view,
// and the well itself never draws.
struct WellPainter {
    // Shows the cell as the grid holds it, in the back buffer and on the window.
    std::function<void(const Grid& grid, int column, int row)> cell;
    // On the window only: blacks the cell's square raised by fromLift pixels
    // and draws colour's sprite raised by toLift.
    std::function<void(int column, int row, std::int32_t colour, int fromLift, int toLift)> lifted;
};

// The playfield and its one-cell falling piece. Every cell change is shown at
// once through the painter.
struct Well {
    Well(platform::Window& window, WellPainter painter);

    // Bound by resetWell at every new game.
    RoundStatus* status = nullptr;
    // Sets the play timers and holds the animations' pauses.
    platform::Window* window = nullptr;
    WellPainter painter;
    Grid grid{};
    std::int32_t pieceColour = 1;
    std::int32_t pieceColumn = 4;
    std::int32_t pieceRow = 1;
    std::int32_t colourBase = 1;
    // The row the piece was in when it was last erased; only the bounce reads it.
    std::int32_t lastRow = 0;
    RowEvaluator evaluator;
    // Every random choice of the game: the pieces' colours and the risen rows.
    Random random;

    // Piece, drawing and timers.
    void resetWell(RoundStatus& roundStatus);
    void spawnPiece();
    bool spawnBlocked() const;
    std::int32_t isBlocked(MoveCommand command) const;
    void movePiece(MoveCommand command);
    void paintPiece();
    void erasePiece();
    bool landingBounce();
    void gameOverFill();
    void startDropTimer(int periodMs);
    void stopDropTimer();
    void startRiseTimer(int periodMs);
    void stopRiseTimer();

    // Landings and rises.
    // The landing row when it forms a pattern.
    std::optional<std::int32_t> evaluateLandingRow();
    void clearRow(std::int32_t row);
    void collapseRows();
    bool bottomRowFull() const;
    std::int32_t scoreLanding();
    bool onlyFullRowsLeft() const;
    void advanceColourBase();
    RowPattern probeHint();
    [[nodiscard]] RiseResult riseRow();
    // The whole landing of the piece that can fall no further: judge its row,
    // remove it and any bonus rows, score, and move the colour window.
    LandingResult resolveLanding();

private:
    std::int32_t drawColour();
    void redrawWell();
    bool rowFull(int row) const;
    GridPosition piecePosition() const { return {pieceColumn, pieceRow}; }
};
