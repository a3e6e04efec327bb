#pragma once

// What both data file fuzz targets share: the application, a folder of their
// own, one window and game kept for the whole run, and the file under test
// loaded, saved and checked.
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/message.h"
#include "platform/window.h"
#include "ranking/data_file.h"
#include "ranking/ranking.h"
#include "resources/menu.h"
#include "shell/main_window.h"
#include "core/options.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

// Files of any length up to this load; longer inputs say nothing new.
constexpr std::size_t maxInputBytes = 2048;

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void writeFile(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::open(dataFileName, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd >= 0, "the fuzz folder takes the file");
    check(size == 0 || ::write(fd, data, size) == static_cast<ssize_t>(size), "the input reaches the file");
    ::close(fd);
}

std::vector<std::uint8_t> readFile()
{
    std::vector<std::uint8_t> bytes;
    if (FILE* f = std::fopen(dataFileName, "rb")) {
        std::array<std::uint8_t, 4096> buffer{};
        std::size_t got = 0;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0)
            bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
        std::fclose(f);
    }
    return bytes;
}

platform::Application* startFuzzing(int& argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto* application = new platform::Application(argc, argv);
    static char folder[] = "/dev/shm/tamaro-fuzz-XXXXXX";
    check(::mkdtemp(folder) != nullptr && ::chdir(folder) == 0, "a folder of our own");
    // A finished run leaves nothing behind; a crashed one keeps its files to be looked at.
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    // The game's pauses (the landing bounce, the game-over fill) take no time.
    platform::Clock::instance().simulate(0);
    return application;
}

// The game's own window procedure, but for the creation handler: the start-up
// effect and the placement are of no interest here and too slow to repeat.
platform::WindowProc fuzzProc(Program& program)
{
    return [&program](platform::Window& window, const platform::Message& message) {
        if (message.kind != platform::MessageKind::Create)
            windowProc(program, window, message);
    };
}

// One window and one game serve every input, as in a running program; each
// input is a new file under the held lock.
struct FuzzGame {
    platform::Application* application = nullptr;
    platform::Window* window = nullptr;
    Program* program = nullptr;
    Game& game() const { return *program->game; }
    Ranking& ranking() const { return program->game->ranking; }
    Options& options() const { return program->options; }
};

FuzzGame startGame(int& argc, char** argv)
{
    FuzzGame fuzz;
    fuzz.application = startFuzzing(argc, argv);
    fuzz.program = new Program;
    fuzz.window = new platform::Window(fuzzProc(*fuzz.program));
    fuzz.window->create("fuzz", mainMenu, "");
    // The first message makes the surfaces and the game.
    fuzz.window->send(platform::Message{platform::MessageKind::Timer, 0, 0, {}});
    check(fuzz.program->game.has_value(), "the game is built");
    fuzz.ranking().command(RankingMode::Load);
    check(isOpen(fuzz.ranking().dataFile), "the file opens and locks");
    return fuzz;
}

// The input becomes the data file and is loaded into a fresh table and settings.
void loadInput(const FuzzGame& fuzz, const std::uint8_t* data, std::size_t size)
{
    writeFile(data, size);
    fuzz.options() = Options{};
    fuzz.ranking().entries = defaultTable();
    fuzz.ranking().command(RankingMode::Load);
    // The table and the settings before the flags load unchanged; the window
    // rectangle is kept within a range no desktop reaches.
    const DataImage loaded = makeImage(fuzz.ranking().entries, fuzz.options());
    const std::size_t kept = std::min(size, std::size_t{288});
    check(std::memcmp(loaded.data(), data, kept) == 0, "the stored bytes load unchanged");
    const Options::WindowRect& rect = fuzz.options().windowRect;
    for (const std::int32_t edge : {rect.left, rect.top, rect.right, rect.bottom})
        check(edge >= -(1 << 24) && edge <= (1 << 24), "the window rectangle stays in range");
    platform::Clock::instance().clearPauses();
}

void send(const FuzzGame& fuzz, platform::MessageKind kind, std::uint32_t wParam)
{
    fuzz.window->send(platform::Message{kind, wParam, 0, {}});
}

constexpr std::array<std::uint32_t, 4> fuzzKeys{0x25, 0x26, 0x27, 0x28};
constexpr std::array<char, 8> fuzzCharacters{' ', '1', '2', '3', '4', '5', '6', '8'};
constexpr std::array<std::uint32_t, 3> fuzzTimers{100, 101, 102};

// One byte is one thing that happens to the window: a key, a character, a
// timer tick (only while that timer is set, as a real one), an activation
// change or, when games may start, one of the menu's commands that open no
// dialog, while the menu offers it.
void act(const FuzzGame& fuzz, std::uint8_t byte, bool gamesMayStart)
{
    const std::uint32_t choice = byte >> 3;
    switch (byte & 7) {
    case 0:
    case 1:
        send(fuzz, platform::MessageKind::KeyDown, fuzzKeys[choice % fuzzKeys.size()]);
        break;
    case 2:
    case 3:
        send(fuzz, platform::MessageKind::Char,
             static_cast<unsigned char>(fuzzCharacters[choice % fuzzCharacters.size()]));
        break;
    case 4:
    case 5:
        if (const std::uint32_t id = fuzzTimers[choice % fuzzTimers.size()];
            fuzz.window->timerPeriod(static_cast<int>(id)) != 0)
            send(fuzz, platform::MessageKind::Timer, id);
        break;
    case 6:
        send(fuzz, platform::MessageKind::Activate, choice & 1);
        break;
    default:
        if (!gamesMayStart)
            break;
        if (choice % 2 == 0 && fuzz.window->menu().isEnabled(command::Start))
            send(fuzz, platform::MessageKind::Command, command::Start);
        else if (choice % 2 == 1 && fuzz.window->menu().isEnabled(command::Restart))
            send(fuzz, platform::MessageKind::Command, command::Restart);
        break;
    }
}

// The last bytes of the input are the player's doings, the first of them
// before any game. With games, one is started and played, a qualifying score
// is cancelled in the name dialog, and a game still running is ended.
void play(const FuzzGame& fuzz, const std::uint8_t* data, std::size_t size, bool withGame)
{
    constexpr std::size_t actions = 24;
    const std::size_t from = size > actions ? size - actions : 0;
    for (std::size_t i = from; i < size; ++i) {
        if (withGame && i == from + actions / 4 && fuzz.window->menu().isEnabled(command::Start))
            send(fuzz, platform::MessageKind::Command, command::Start);
        if (withGame)
            platform::Application::runSoon([] {
                if (platform::Dialog* dialog = platform::Dialog::active())
                    dialog->click(2);
            });
        act(fuzz, data[i], withGame);
    }
    platform::Application::processEvents();
    if (fuzz.options().gameRunning != 0)
        send(fuzz, platform::MessageKind::Command, command::Restart);
    check(fuzz.options().gameRunning == 0, "no game runs after the player is done");
}

// Saves and checks what reached the file against the input it came from.
void saveAndCheck(const FuzzGame& fuzz, const std::uint8_t* data, std::size_t size)
{
    check(fuzz.ranking().command(RankingMode::Save) == 1, "the save succeeds");
    const DataImage saved = makeImage(fuzz.ranking().entries, fuzz.options());
    const std::vector<std::uint8_t> file = readFile();
    check(file.size() == std::max(size, dataFileBytes), "the file is never truncated");
    check(std::memcmp(file.data(), saved.data(), dataFileBytes) == 0, "the whole image is written");
    check(size <= dataFileBytes
              || std::memcmp(file.data() + dataFileBytes, data + dataFileBytes, size - dataFileBytes) == 0,
          "the tail is kept");
    check(fuzz.options().gameRunning == 0 && fuzz.options().rankingMenuRemoved == 0, "the run-time flags are cleared");
}

} // namespace
