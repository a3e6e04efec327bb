// Feeds arbitrary data files through loading, the table drawing, entering a
// score with the name dialog driven as a player would, a short game played
// with keys, timer ticks and activation changes, and saving; then checks what
// reached the file.
#include "fuzz/fuzz_files.h"
#include "platform/dialog.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

FuzzGame fuzz;

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
        player.name.assign(reinterpret_cast<const char*>(data + dataFileBytes),
                           std::min<std::size_t>(size - dataFileBytes, 16));
    return player;
}

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
    const Player player = playerFrom(data, size);
    loadInput(fuzz, data, size);
    fuzz.ranking().drawTable(player.highlight);

    platform::Application::runSoon([&player] {
        platform::Dialog* dialog = platform::Dialog::active();
        if (!dialog)
            return;
        dialog->type(150, player.name);
        dialog->click(player.cancels ? 2 : 1);
        if (platform::Dialog::active() == dialog)
            dialog->click(2);
    });
    const int rank = fuzz.ranking().enterScore(player.score);
    platform::Application::processEvents();
    check(rank >= 0 && rank <= 10, "a rank of the table or none");
    if (rank > 0) {
        const RankingEntry& entry = fuzz.ranking().entries[static_cast<std::size_t>(rank) - 1];
        check(std::bit_cast<std::uint64_t>(entry.score) == std::bit_cast<std::uint64_t>(player.score),
              "the score is stored");
        check(nameText(entry).size() <= nameTextBytes, "a name of at most 10 bytes");
    }
    fuzz.ranking().drawTable(rank);
    play(fuzz, data, size, true);
    saveAndCheck(fuzz, data, size);
    return 0;
}
