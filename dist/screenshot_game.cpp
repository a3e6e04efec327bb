// Makes the store screenshots with the game itself, through its own window
// procedure: the title screen with the pattern charts, and a seeded game in
// progress with animals and vehicles in the well, apples in stock and the
// balloon naming the pattern the falling piece could complete.
//
// Usage: tamaro_screenshots OUTPUT_FOLDER   (run it in a scratch working folder:
// the game reads and writes its data file there)

#include "core/grid.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "platform/window.h"
#include "platform/window_picture.h"
#include "resources/menu.h"
#include "shell/main_window.h"
#include "core/random.h"

#include <cstdio>
#include <set>
#include <string>

namespace {

constexpr int dropTimer = 100;
constexpr int riseTimer = 101;
constexpr int seedsToTry = 500;

void send(platform::Window& window, platform::MessageKind kind, std::uint32_t wParam)
{
    window.send(platform::Message{kind, wParam, 0, {}});
}

// Moves the falling piece from its entry column to column and drops it there.
void dropAt(platform::Window& window, int column)
{
    const int entryColumn = 4;
    for (int c = entryColumn; c > column; --c)
        send(window, platform::MessageKind::KeyDown, platform::vk::Left);
    for (int c = entryColumn; c < column; ++c)
        send(window, platform::MessageKind::KeyDown, platform::vk::Right);
    send(window, platform::MessageKind::Char, ' ');
}

// Ticks the rise countdown until one more row has risen from below.
void riseOnce(platform::Window& window, Game& game)
{
    const std::int32_t before = game.riseStep;
    for (int tick = 0; tick < 2000 && game.options->gameRunning != 0; ++tick) {
        send(window, platform::MessageKind::Timer, riseTimer);
        if (game.riseDue != 0 && game.riseStep == before + 1)
            return;
    }
}

// A game from this seed: two rows of one colour knocked out for two apples,
// six pieces waiting for a seventh, two rows of vehicles risen, a few pieces
// of the new colours on top and the next piece falling.
void playSeededGame(platform::Window& window, Game& game, std::uint32_t seedValue)
{
    seed(game.well.random, seedValue);
    send(window, platform::MessageKind::Command, command::Start);
    for (int round = 0; round < 2; ++round) {
        for (int column = 1; column <= 7; ++column)
            dropAt(window, column);
    }
    for (int column = 1; column <= 6; ++column)
        dropAt(window, column);
    riseOnce(window, game);
    riseOnce(window, game);
    for (int column : {1, 2, 5, 6, 3})
        dropAt(window, column);
    send(window, platform::MessageKind::Timer, dropTimer);
    send(window, platform::MessageKind::Timer, dropTimer);
}

bool showsEverything(const Game& game)
{
    std::set<std::int32_t> animals;
    int vehicles = 0;
    for (int column = 1; column <= 7; ++column) {
        for (int row = 1; row <= 11; ++row) {
            const std::int32_t cell = cellAt(game.well.grid, column, row);
            if (cell >= 1 && cell <= 8)
                animals.insert(cell);
            vehicles += cell >= 9 && cell <= 12 ? 1 : 0;
        }
    }
    return game.options->gameRunning != 0 && game.view.balloonShown && game.status.stock >= 2 && vehicles >= 7
           && animals.size() >= 3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tamaro_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string out = argv[1];
    Program program;
    platform::Application application(argc, argv);
    // The game's blocking pauses (start-up effect, bounces) pass at once.
    platform::Clock::instance().simulate(1765432100);
    platform::Window window(procedureFor(program));
    window.create(windowTitle, mainMenu, "TM_ICON");
    Game& game = *program.game;

    for (int tick = 0; tick < 39; ++tick)
        send(window, platform::MessageKind::Timer, timerId(GameTimer::Title));
    if (!platform::saveWindowPicture(window, out + "/title.png")) {
        std::fprintf(stderr, "tamaro_screenshots: cannot write %s/title.png\n", out.c_str());
        return 1;
    }

    for (std::uint32_t seedValue = 1; seedValue <= seedsToTry; ++seedValue) {
        playSeededGame(window, game, seedValue);
        if (showsEverything(game)) {
            if (!platform::saveWindowPicture(window, out + "/play.png")) {
                std::fprintf(stderr, "tamaro_screenshots: cannot write %s/play.png\n", out.c_str());
                return 1;
            }
            std::printf("title.png and play.png (seed %u) written to %s\n", seedValue, out.c_str());
            window.destroy();
            program.game.reset();
            return 0;
        }
        send(window, platform::MessageKind::Command, command::Restart);
    }
    std::fprintf(stderr, "tamaro_screenshots: no seed up to %d gave a game showing everything\n", seedsToTry);
    return 1;
}
