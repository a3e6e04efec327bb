#pragma once

#include <string>
#include <string_view>

namespace platform {

// Tells the player, in a message box beside the game, what they must know
// and would never see on standard error: a save that failed, a data file
// that will not be written. The first notice of the run is shown; later ones
// are dropped, so a problem that repeats never floods the screen. The box
// does not block: the game, a signal or the end of the session go on.
void notifyPlayer(std::string_view utf8);
// What the box of this run said; empty while none was shown.
std::string shownNotice();
// Closes the box and forgets it, so that the next notice shows as a new run's first would.
void forgetNotice();

} // namespace platform
