// Feeds arbitrary data files through loading, the table drawing, entering a
// score with the name dialog driven as a player would, and saving; then
// checks what reached the file.
#include "platform/application.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "fuzz/fuzz_files.h"
#include "ranking/data_file.h"
#include "ranking/ranking.h"
#include "shell/options.h"
#include "shell/surfaces.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// One window, one set of surfaces and one ranking serve every input, as in a
// running game; each input is a new file under the held lock.
platform::Application* application = nullptr;
platform::Window* owner = nullptr;
Options* options = nullptr;
Surfaces* surfaces = nullptr;
Ranking* ranking = nullptr;

void noProc(platform::Window&, const platform::Message&) {}

// What the player does is taken from the input too, so that the fuzzer steers it.
struct Player {
    std::string name;
    bool cancels = false;
    double score = 0;
    int highlight = 0;
};

Player playerFrom(const std::uint8_t* data, std::size_t size)
{
    Player player;
    if (size == 0)
        return player;
    player.cancels = (data[0] & 1) != 0;
    player.highlight = data[size - 1] % 12;
    if (size >= 8) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data + size - 8, 8);
        player.score = std::bit_cast<double>(bits);
    }
    if (size > dataFileBytes)
        player.name.assign(reinterpret_cast<const char*>(data + dataFileBytes), std::min<std::size_t>(size - dataFileBytes, 16));
    return player;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    application = startFuzzing(*argc, *argv);
    owner = new platform::Window(noProc);
    owner->create("fuzz", {}, "");
    options = new Options;
    surfaces = new Surfaces{platform::Surface(clientWidth, clientHeight), platform::Surface(), platform::Surface(172, 36)};
    ranking = new Ranking(*owner, *surfaces, options);
    check(isOpen(ranking->dataFile), "the file opens and locks");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1024)
        return -1;
    writeFile(data, size);
    const Player player = playerFrom(data, size);

    *options = Options{};
    ranking->entries = defaultTable();
    ranking->command(1);
    const DataImage loaded = makeImage(ranking->entries, *options);
    check(std::memcmp(loaded.data(), data, std::min(size, dataFileBytes)) == 0, "the stored bytes load unchanged");
    ranking->drawTable(player.highlight);

    platform::Application::runSoon([&player] {
        platform::Dialog* dialog = platform::Dialog::active();
        if (!dialog)
            return;
        dialog->type(150, player.name);
        dialog->click(player.cancels ? 2 : 1);
        if (platform::Dialog::active() == dialog)
            dialog->click(2);
    });
    const int rank = ranking->enterScore(player.score);
    platform::Application::processEvents();
    check(rank >= 0 && rank <= 10, "a rank of the table or none");
    if (rank > 0) {
        const RankingEntry& entry = ranking->entries[static_cast<std::size_t>(rank) - 1];
        check(std::bit_cast<std::uint64_t>(entry.score) == std::bit_cast<std::uint64_t>(player.score), "the score is stored");
        check(nameText(entry).size() <= nameTextBytes, "a name of at most 10 bytes");
    }
    ranking->drawTable(rank);
    ranking->command(2);
    const DataImage saved = makeImage(ranking->entries, *options);
    const std::vector<std::uint8_t> file = readFile();
    check(file.size() == std::max(size, dataFileBytes), "the file is never truncated");
    check(std::memcmp(file.data(), saved.data(), dataFileBytes) == 0, "the whole image is written");
    check(size <= dataFileBytes || std::memcmp(file.data() + dataFileBytes, data + dataFileBytes, size - dataFileBytes) == 0,
          "the tail is kept");
    check(options->gameRunning == 0 && options->rankingMenuRemoved == 0, "the run-time flags are cleared");
    return 0;
}
