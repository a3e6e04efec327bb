#pragma once

// Inside the platform layer only: the picture of the desktop that the
// start-up effect shows while it draws.

#include <QImage>
#include <QRect>

class QScreen;

namespace platform {

// The desktop's pixels in the area, as 32-bit RGB; a null image when they
// cannot be read.
QImage captureDesktop(QScreen& screen, const QRect& area);

// Returns once the X server has carried out every request sent so far, so
// that what was painted is on the screen; at once on any other display.
void waitForDisplay();

} // namespace platform
