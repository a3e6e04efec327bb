#pragma once

// What both data file fuzz targets share: the application, a folder of their
// own, one ranking kept for the whole run, and the file under test loaded,
// saved and checked.
#include "platform/application.h"
#include "platform/window.h"
#include "ranking/data_file.h"
#include "ranking/ranking.h"
#include "core/options.h"
#include "core/surfaces.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\n";
}

namespace {

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
    char folder[] = "/dev/shm/tamaro-fuzz-XXXXXX";
    check(::mkdtemp(folder) != nullptr && ::chdir(folder) == 0, "a folder of our own");
    return application;
}

void noProc(platform::Window&, const platform::Message&) {}

// One window, one set of surfaces and one ranking serve every input, as in a
// running game; each input is a new file under the held lock.
struct FuzzGame {
    platform::Application* application = nullptr;
    Options* options = nullptr;
    Ranking* ranking = nullptr;
};

FuzzGame startGame(int& argc, char** argv)
{
    FuzzGame game;
    game.application = startFuzzing(argc, argv);
    auto* owner = new platform::Window(noProc);
    owner->create("fuzz", {}, "");
    game.options = new Options;
    auto* surfaces = new Surfaces{platform::Surface(clientWidth, clientHeight), platform::Surface(), platform::Surface(172, 36)};
    game.ranking = new Ranking(*owner, *surfaces, game.options);
    check(isOpen(game.ranking->dataFile), "the file opens and locks");
    return game;
}

// The input becomes the data file and is loaded into a fresh table and settings.
void loadInput(const FuzzGame& game, const std::uint8_t* data, std::size_t size)
{
    writeFile(data, size);
    *game.options = Options{};
    game.ranking->entries = defaultTable();
    game.ranking->command(1);
    const DataImage loaded = makeImage(game.ranking->entries, *game.options);
    check(std::memcmp(loaded.data(), data, std::min(size, dataFileBytes)) == 0, "the stored bytes load unchanged");
}

// Saves and checks what reached the file against the input it came from.
void saveAndCheck(const FuzzGame& game, const std::uint8_t* data, std::size_t size)
{
    game.ranking->command(2);
    const DataImage saved = makeImage(game.ranking->entries, *game.options);
    const std::vector<std::uint8_t> file = readFile();
    check(file.size() == std::max(size, dataFileBytes), "the file is never truncated");
    check(std::memcmp(file.data(), saved.data(), dataFileBytes) == 0, "the whole image is written");
    check(size <= dataFileBytes || std::memcmp(file.data() + dataFileBytes, data + dataFileBytes, size - dataFileBytes) == 0,
          "the tail is kept");
    check(game.options->gameRunning == 0 && game.options->rankingMenuRemoved == 0, "the run-time flags are cleared");
}

} // namespace
