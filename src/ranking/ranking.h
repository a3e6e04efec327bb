#pragma once

#include "platform/font.h"
#include "ranking/data_file.h"
#include "ranking/name_entry.h"
#include "ranking/ranking_entry.h"
#include "core/canvas.h"

#include <cstddef>

struct Options;

// What the menu and the window ask of the ranking, by its codes.
enum class RankingMode : int {
    Load = 1,
    Save = 2,
    Show = 4,
};

// What the table and settings hold that the data file does not hold yet.
enum class FileChange {
    None,
    // Only the window's place: worth waiting until the player stops dragging.
    Place,
    Content,
};
namespace platform {
class Surface;
class Window;
} // namespace platform

// The high-score table and the data file that keeps it, with the settings,
// between runs. The file is held open and locked while the record lives.
struct Ranking {
    explicit Ranking(platform::Window& window, Canvas& canvas, Options* options);
    ~Ranking();
    Ranking(const Ranking&) = delete;
    Ranking& operator=(const Ranking&) = delete;

    // Returns 1 when the load or save moved bytes, 0 when not; 1 for Show.
    int command(RankingMode mode);
    // Reads the table and the settings from the file; a short file replaces
    // only as many leading bytes as it holds. Never writes over a file; when
    // there is none, the defaults become the file.
    bool load();
    // Replaces the file with the table and the settings, the two run-time
    // flags cleared, keeping what a longer file holds after them; returns
    // whether it reached the disk. While a name is being asked for, the row
    // gets the name typed so far.
    bool save();
    // Writes what save() would, leaving this run's two flags as they are, so
    // that what the player did is on disk before anything can end the run.
    bool store();
    // What differs between the table and settings and what the file holds.
    FileChange unsavedChange() const;
    // The rank a score takes, 1 to 10, asking for a name; 0 when it does not qualify.
    int enterScore(double score);
    // Draws ranks 1 to 10 on the window and the back buffer; highlightRank in red.
    void drawTable(int highlightRank);

    Canvas* canvas = nullptr;
    // The menu that loses the ranking entry, and the owner of the name dialog.
    platform::Window* window = nullptr;
    platform::Font tableFont;
    DataFile dataFile;
    std::size_t transferred = 0;
    // What the file holds, as this run last read or wrote it.
    DataImage onDisk{};
    RankingTable entries{};
    Options* options = nullptr;
    // The rank whose name the open dialog asks for; 0 when none is.
    std::size_t namingRank = 0;
    NameEntry names;
};
