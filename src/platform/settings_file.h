#pragma once

namespace platform {

// The player's own view settings, kept apart from the game's data file in
// $XDG_CONFIG_HOME/tamaro/settings (~/.config/tamaro/settings).

// The zoom last chosen; 1 when the file is missing, unreadable or damaged.
int loadZoomSetting();
// Replaces the file as a whole; false when it could not be written.
bool saveZoomSetting(int zoom);

} // namespace platform
