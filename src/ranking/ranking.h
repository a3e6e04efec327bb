#pragma once

#include "shell/surfaces.h"

struct Options;
namespace platform {
class Window;
}

struct Ranking {
    explicit Ranking(platform::Window& window, Surfaces& surfaces, Options* options);

    // 1 loads the data file, 2 saves it, 4 shows the table.
    void command(int mode);
    // The rank a score takes, 1 to 10, asking for a name; 0 when it does not qualify.
    int enterScore(double score);
    void drawTable(int rank);
};
