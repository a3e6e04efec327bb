#include "engine/well.h"
#include "platform/application.h"
#include "platform/message.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "core/random.h"
#include "core/canvas.h"
#include "shell/game.h"
#include "view/playfield_view.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void ignoreMessages(platform::Window&, const platform::Message&)
{
}

struct Bench {
    platform::Window window{ignoreMessages};
    Canvas canvas;
    PlayfieldView view{canvas};
    RoundStatus status;
    Well well{window, wellPainter(view)};

    Bench()
    {
        window.create("bench", {}, "");
        canvas.window = &window;
        canvas.backBuffer = platform::Surface(clientWidth, clientHeight);
        canvas.sprites = platform::Surface(468, 83);
        seed(well.random, 1);
        well.resetWell(status);
    }
};

Bench* bench = nullptr;

// A well of eight settled rows whose top row the piece completes as a pattern:
// the landing judges it, removes it, closes the gap and redraws all 77 cells.
void landingWithCollapse(benchmark::State& state)
{
    Well& well = bench->well;
    for (auto _ : state) {
        for (int row = 4; row <= bottomRow; ++row) {
            for (int column = firstColumn; column <= lastColumn; ++column)
                cellAt(well.grid, column, row) = row == 4 ? 1 : firstBlockCode + (column + row) % blockCodeCount;
        }
        cellAt(well.grid, 7, 4) = emptyCell;
        well.pieceColumn = 7;
        well.pieceRow = 4;
        well.pieceColour = 1;
        well.paintPiece();
        const LandingResult landing = well.resolveLanding();
        benchmark::DoNotOptimize(landing);
    }
}

// A rise under a falling piece: shift, a fresh bottom row, and the redraw.
void riseWithRedraw(benchmark::State& state)
{
    Well& well = bench->well;
    well.resetWell(bench->status);
    for (auto _ : state) {
        well.pieceColumn = 4;
        well.pieceRow = 1;
        well.pieceColour = 2;
        benchmark::DoNotOptimize(well.riseRow());
    }
}

} // namespace

BENCHMARK(landingWithCollapse)->Unit(benchmark::kMicrosecond);
BENCHMARK(riseWithRedraw)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    platform::Application application(argc, argv);
    Bench state;
    bench = &state;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
