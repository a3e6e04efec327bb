// The data file's road without the windows in it, fast enough for long runs:
// arbitrary files are loaded, turned into the texts the table shows, ranked
// against a score and saved, and what reached the file is checked.
#include "fuzz/fuzz_files.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "ranking/data_file.h"
#include "ranking/ranking.h"
#include "ranking/table_display.h"
#include "shell/options.h"
#include "shell/surfaces.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace {

void noProc(platform::Window&, const platform::Message&) {}

// Built once and kept for the whole run, as in a running game.
platform::Application* application = nullptr;
Options* options = nullptr;
Ranking* ranking = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    application = startFuzzing(*argc, *argv);
    auto* owner = new platform::Window(noProc);
    owner->create("fuzz", {}, "");
    options = new Options;
    auto* surfaces = new Surfaces{platform::Surface(clientWidth, clientHeight), platform::Surface(), platform::Surface(172, 36)};
    ranking = new Ranking(*owner, *surfaces, options);
    check(isOpen(ranking->dataFile), "the file opens and locks");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1024)
        return -1;
    writeFile(data, size);
    *options = Options{};
    ranking->entries = defaultTable();
    ranking->command(1);
    const DataImage loaded = makeImage(ranking->entries, *options);
    check(std::memcmp(loaded.data(), data, std::min(size, dataFileBytes)) == 0, "the stored bytes load unchanged");

    for (std::size_t row = 0; row < shownRanks; ++row) {
        const RankingEntry& entry = ranking->entries[row];
        const std::string_view name = nameText(entry);
        check(name.size() <= entry.name.size(), "a name ends inside its field");
        check(name.empty() || !platform::sjis::toUtf8(name).empty(), "every name reads as some text");
        const std::string score = formatScore(entry.score);
        check(!score.empty() && score.size() < 32, "every score reads plainly");
        check(platform::sjis::fromUtf8(difficultyLabel(entry.difficulty)).has_value(), "every label can be drawn");
    }

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
