#include "ranking/ranking.h"

#include "platform/window.h"
#include "ranking/name_entry.h"
#include "ranking/table_display.h"
#include "core/fonts.h"
#include "core/options.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The separator and the ranking entry sit at this position of the Game menu.
constexpr std::array<int, 1> gameMenu{0};
constexpr int rankingMenuPosition = 2;

constexpr std::int32_t storedEdgeLimit = 1 << 24;

// The image a save writes: this run's two flags never reach the file.
DataImage savedImage(const RankingTable& entries, Options options)
{
    options.gameRunning = 0;
    options.rankingMenuRemoved = 0;
    return makeImage(entries, options);
}

// A higher score ranks above, and on a tie the harder level. A row that a
// damaged file gave a NaN or an infinity counts as the lowest score of all.
bool ranksAbove(double score, std::int32_t difficulty, const RankingEntry& row)
{
    if (!std::isfinite(score))
        return false;
    if (!std::isfinite(row.score))
        return true;
    return score > row.score || (score == row.score && difficulty > row.difficulty);
}

constexpr std::size_t placeOffset = tableBytes + offsetof(Options, windowRect);

} // namespace

Ranking::Ranking(platform::Window& window, Canvas& canvas, Options* options)
    : canvas(&canvas),
      window(&window),
      tableFont(makeFont(40, 5, true, false, faceMincho)),
      dataFile(dataFileName),
      entries(defaultTable()),
      options(options)
{
}

Ranking::~Ranking()
{
    // The back buffer outlives this record; it must not keep pointing at our font.
    if (canvas->backBuffer.font() == &tableFont)
        canvas->backBuffer.selectFont(nullptr);
    close(dataFile);
}

int Ranking::command(RankingMode mode)
{
    switch (mode) {
    case RankingMode::Load:
        return load() ? 1 : 0;
    case RankingMode::Save:
        return save() ? 1 : 0;
    case RankingMode::Show:
        if (options->rankingMenuRemoved == 0) {
            options->rankingMenuRemoved = 1;
            window->menu().removeAt(gameMenu, rankingMenuPosition);
            window->menu().removeAt(gameMenu, rankingMenuPosition);
        }
        drawTable(0);
        return 1;
    default:
        return 1;
    }
}

bool Ranking::load()
{
    DataImage image = makeImage(entries, *options);
    if (!isOpen(dataFile)) {
        // A first run keeps the defaults, which become the file at once.
        transferred = replaceContents(dataFile, image) ? image.size() : 0;
        onDisk = image;
        return transferred == image.size();
    }
    transferred = readFromStart(dataFile, image);
    applyImage(image, entries, *options);
    // The two run-time flags describe this run, not the file: whatever it holds,
    // no game is running yet and the ranking entry is in the menu.
    options->gameRunning = 0;
    options->rankingMenuRemoved = 0;
    // No desktop is millions of pixels across; within this range the window's
    // placement can add and subtract sizes without overflowing.
    for (std::int32_t* edge :
         {&options->windowRect.left, &options->windowRect.top, &options->windowRect.right, &options->windowRect.bottom})
        *edge = std::clamp(*edge, -storedEdgeLimit, storedEdgeLimit);
    // Only a change the player makes from here on is worth a write.
    onDisk = savedImage(entries, *options);
    return transferred > 0;
}

bool Ranking::save()
{
    options->gameRunning = 0;
    options->rankingMenuRemoved = 0;
    return store();
}

bool Ranking::store()
{
    // A save while the name dialog is open keeps the name typed so far.
    if (namingRank != 0) {
        const std::string typed = typedName(names);
        if (!typed.empty())
            setName(entries[namingRank - 1], typed);
    }
    const DataImage image = savedImage(entries, *options);
    transferred = replaceContents(dataFile, image) ? image.size() : 0;
    // A file that could not be written is not tried again until something else changes.
    onDisk = image;
    return transferred == image.size();
}

FileChange Ranking::unsavedChange() const
{
    const DataImage image = savedImage(entries, *options);
    const auto firstDifference = std::mismatch(image.begin(), image.end(), onDisk.begin()).first;
    if (firstDifference == image.end())
        return FileChange::None;
    return firstDifference - image.begin() >= static_cast<std::ptrdiff_t>(placeOffset) ? FileChange::Place
                                                                                       : FileChange::Content;
}

int Ranking::enterScore(double score)
{
    std::size_t rank = 0;
    while (rank < shownRanks && !ranksAbove(score, options->difficulty, entries[rank]))
        ++rank;
    if (rank == shownRanks)
        return 0;
    for (std::size_t row = rankingRows - 1; row > rank; --row)
        entries[row] = entries[row - 1];
    RankingEntry& entry = entries[rank];
    entry.score = score;
    entry.difficulty = options->difficulty;
    // Until the dialog answers, the row holds what Cancel would give it, never
    // the name of the player it pushed down.
    setName(entry, lastName(names));
    namingRank = rank + 1;
    // The new score is on disk before the dialog opens, so no end of the run
    // while a name is asked for can lose it.
    store();
    setName(entry, askName(*window, names));
    namingRank = 0;
    return static_cast<int>(rank) + 1;
}

void Ranking::drawTable(int highlightRank)
{
    platform::Surface& screen = screenOf(*canvas);
    const platform::Font* previous = screen.selectFont(&tableFont);
    const platform::BackgroundMode previousMode = screen.setBackgroundMode(platform::BackgroundMode::Transparent);
    const platform::Colour previousColour = screen.textColour();
    drawTableLines(screen, entries, highlightRank);
    screen.setTextColour(previousColour);
    screen.setBackgroundMode(previousMode);
    screen.selectFont(previous);

    // Unlike the screen, the back buffer keeps the table's font, mode and colour afterwards.
    platform::Surface& back = canvas->backBuffer;
    back.selectFont(&tableFont);
    back.setBackgroundMode(platform::BackgroundMode::Transparent);
    drawTableLines(back, entries, highlightRank);
}
