// The data file's road without the windows in it, fast enough for long runs:
// arbitrary files are loaded, turned into the texts the table shows and
// saved, and what reached the file is checked.
#include "fuzz/fuzz_files.h"
#include "platform/sjis.h"
#include "ranking/table_display.h"

#include <string>

namespace {

FuzzGame game;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    game = startGame(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 1024)
        return -1;
    loadInput(game, data, size);

    for (std::size_t row = 0; row < shownRanks; ++row) {
        const RankingEntry& entry = game.ranking->entries[row];
        const std::string_view name = nameText(entry);
        check(name.size() <= entry.name.size(), "a name ends inside its field");
        check(name.empty() || !platform::sjis::toUtf8(name).empty(), "every name reads as some text");
        const std::string score = formatScore(entry.score);
        check(!score.empty() && score.size() < 32, "every score reads plainly");
        check(platform::sjis::fromUtf8(difficultyLabel(entry.difficulty)).has_value(), "every label can be drawn");
    }

    saveAndCheck(game, data, size);
    return 0;
}
