// The data file's road without the dialog and the drawing of a game, fast
// enough for long runs: arbitrary files are loaded and turned into the texts
// the table shows; keys, timer ticks and activation changes arrive before any
// game; the file is saved and checked. This game never starts one, so a loaded
// file that lets input reach the well finds it empty.
#include "fuzz/fuzz_files.h"
#include "platform/sjis.h"
#include "ranking/table_display.h"

#include <string>

namespace {

FuzzGame fuzz;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz = startGame(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > maxInputBytes)
        return -1;
    loadInput(fuzz, data, size);

    for (std::size_t row = 0; row < shownRanks; ++row) {
        const RankingEntry& entry = fuzz.ranking().entries[row];
        const std::string_view name = nameText(entry);
        check(name.size() <= entry.name.size(), "a name ends inside its field");
        check(name.empty() || !platform::sjis::toUtf8(name).empty(), "every name reads as some text");
        const std::string score = formatScore(entry.score);
        check(!score.empty() && score.size() < 32, "every score reads plainly");
        check(platform::sjis::fromUtf8(difficultyLabel(entry.difficulty)).has_value(), "every label can be drawn");
    }

    // Keys, ticks and activation changes before any game must not reach the well.
    play(fuzz, data, size, false);
    saveAndCheck(fuzz, data, size);
    return 0;
}
