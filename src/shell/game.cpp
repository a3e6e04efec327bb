#include "shell/game.h"

#include "platform/clock.h"
#include "platform/sjis.h"
#include "core/random.h"
#include "patterns/pattern_table.h"

#include <algorithm>

WellPainter wellPainter(PlayfieldView& view)
{
    return {[&view](const Grid& grid, int column, int row) { view.paintCell(grid, column, row); },
            [&view](int column, int row, std::int32_t colour, int fromLift, int toLift) {
                view.paintLifted(column, row, colour, fromLift, toLift);
            }};
}

Game::Game(platform::Window& window, Canvas& canvas, Options* options)
    : view(canvas),
      panel(window, canvas),
      ranking(window, canvas, options),
      well(window, wellPainter(view)),
      title(window, canvas)
{
    this->window = &window;
    this->options = options;
    seed(well.random, static_cast<std::uint32_t>(platform::Clock::instance().calendarSeconds()));
    for (std::size_t slot = 0; slot < patternNames.size(); ++slot) {
        const std::string name = platform::sjis::fromUtf8(patternNamesUtf8[slot]).value_or("");
        const std::size_t length = std::min(name.size(), static_cast<std::size_t>(patternNameSlot - 1));
        std::copy_n(name.begin(), length, patternNames[slot].begin());
        patternNames[slot][length] = '\0';
    }
}
