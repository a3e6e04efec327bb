#include "engine/well.h"

#include "platform/window.h"
#include "core/random.h"

#include <array>
#include <utility>

namespace {

struct Step {
    int columns = 0;
    int rows = 0;
};

// The cell each command looks at or moves to, indexed by command code.
constexpr std::array<Step, 10> commandSteps = {{
    {0, 0},
    {0, 0},
    {0, 1},
    {0, 0},
    {-1, 0},
    {0, 1},
    {1, 0},
    {0, 0},
    {0, 0},
    {0, 0},
}};

constexpr Step stepOf(MoveCommand command)
{
    const auto code = static_cast<std::int32_t>(command);
    return code >= 0 && code < static_cast<std::int32_t>(commandSteps.size())
               ? commandSteps[static_cast<std::size_t>(code)]
               : Step{};
}

constexpr int bounceLift = 5;
constexpr int bounceMs = 90;
constexpr int fillFirstMs = 200;
constexpr int fillRowMs = 150;
constexpr int fillLastMs = 1000;
constexpr int spawnColumn = 4;

} // namespace

Well::Well(platform::Window& mainWindow, WellPainter wellPainter) : window(&mainWindow), painter(std::move(wellPainter))
{
    grid.fill(wallCode);
}

std::int32_t Well::drawColour()
{
    const std::int32_t count = status->colourCount > 0 ? status->colourCount : 1;
    const std::int32_t colour = draw(random) % count + colourBase;
    return colour > lastPieceColour ? colour - lastPieceColour : colour;
}

void Well::resetWell(RoundStatus& roundStatus)
{
    status = &roundStatus;
    *status = newGameStatus;
    colourBase = 1;
    lastRow = 0;
    grid.fill(wallCode);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = topRow; row <= bottomRow; ++row)
            cellAt(grid, column, row) = emptyCell;
    }
    status->nextColour = drawColour();
}

void Well::spawnPiece()
{
    pieceColour = status->nextColour;
    status->nextColour = drawColour();
    pieceColumn = spawnColumn;
    pieceRow = topRow;
}

bool Well::spawnBlocked() const
{
    return cellAt(grid, pieceColumn, pieceRow) != emptyCell;
}

std::int32_t Well::isBlocked(MoveCommand command) const
{
    const Step step = stepOf(command);
    if (step.columns == 0 && step.rows == 0)
        return emptyCell;
    return cellAt(grid, pieceColumn + step.columns, pieceRow + step.rows);
}

// Moves only into a free cell, so that no command can carry the piece into
// the wall or the stack. A drop falls until the cell below is taken.
void Well::movePiece(MoveCommand command)
{
    if (isBlocked(command) != emptyCell)
        return;
    const Step step = stepOf(command);
    pieceColumn += step.columns;
    pieceRow += step.rows;
    if (command != MoveCommand::Drop)
        return;
    while (cellAt(grid, pieceColumn, pieceRow + 1) == emptyCell)
        ++pieceRow;
}

void Well::paintPiece()
{
    cellAt(grid, pieceColumn, pieceRow) = pieceColour;
    painter.cell(grid, pieceColumn, pieceRow);
}

void Well::erasePiece()
{
    cellAt(grid, pieceColumn, pieceRow) = emptyCell;
    painter.cell(grid, pieceColumn, pieceRow);
    lastRow = pieceRow;
}

// Shown on the window only: the back buffer already holds the piece at rest.
bool Well::landingBounce()
{
    if (pieceRow - lastRow < 2)
        return false;
    painter.lifted(pieceColumn, pieceRow, pieceColour, 0, bounceLift);
    window->wait(bounceMs);
    painter.lifted(pieceColumn, pieceRow, pieceColour, bounceLift, 0);
    return true;
}

void Well::gameOverFill()
{
    stopDropTimer();
    stopRiseTimer();
    paintPiece();
    window->wait(fillFirstMs);
    for (int row = bottomRow; row >= topRow; --row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            cellAt(grid, column, row) = pieceColour;
            painter.cell(grid, column, row);
        }
        window->wait(fillRowMs);
    }
    window->wait(fillLastMs);
}

void Well::startDropTimer(int periodMs)
{
    window->setTimer(timerId(GameTimer::Drop), periodMs);
}

void Well::stopDropTimer()
{
    window->killTimer(timerId(GameTimer::Drop));
}

void Well::startRiseTimer(int periodMs)
{
    window->setTimer(timerId(GameTimer::Rise), periodMs);
}

void Well::stopRiseTimer()
{
    window->killTimer(timerId(GameTimer::Rise));
}
