#pragma once

// Inside the platform layer only: what a top-level window and the window
// manager tell each other on X11, beyond what Qt says for us.

#include <QMargins>
#include <QPoint>

class QWidget;

namespace platform {

// The frame the window manager gives this window, or announces for it before
// it is shown; empty when no window manager runs or none announces one. Can
// ask a window that is not shown yet for the announcement and wait a little.
QMargins frameExtents(QWidget& window, bool waitForAnswer);
// Asks for the frame without waiting, so that the answer is there when it is needed.
void requestFrameExtents(QWidget& window);

// False where the desktop tells no window where it is, nor lets it choose
// (native Wayland): the compositor places every window itself.
bool desktopGivesPositions();
// Makes desktopGivesPositions false wherever the program runs, for tests.
void actAsWithoutPositions(bool on);

// Whether the desktop keeps a window above the others when asked: true on
// X unless a window manager runs that follows neither the state Qt announces
// nor the older layer hint (as XWayland's under sway and weston).
bool keepsWindowsOnTop(QWidget& window);

// The window's own top-left corner on the screen, as the display knows it;
// Qt's idea of it can lag behind what some window managers report.
QPoint screenPosition(QWidget& window);

// Keeps the title of every top-level window in WM_NAME as UTF-8 text, so that
// tools that read it show the title whatever the locale. Does nothing elsewhere.
void keepTitlesReadable();

// Moves a window into the window manager's top layer or back among the
// others, for managers that follow the older layer hint rather than the state
// that Qt announces. Does nothing elsewhere.
void setLegacyLayer(QWidget& window, bool onTop);

} // namespace platform
