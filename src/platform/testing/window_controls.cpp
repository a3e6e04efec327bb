#include "platform/window.h"

#include "platform/window/wm_hints.h"

// Only tests make the window act as on a desktop they do not run on.
namespace platform {

void Window::actAsOnWayland(bool on)
{
    actAsWithoutPositions(on);
}

} // namespace platform
