#include "shell/zoom.h"

#include "platform/settings_file.h"
#include "platform/window.h"
#include "resources/menu.h"

void restoreZoom(platform::Window& window)
{
    window.setZoom(platform::loadZoomSetting());
}

void chooseZoom(platform::Window& window, int zoom)
{
    if (!window.zoomFits(zoom))
        return;
    window.setZoom(zoom);
    platform::saveZoomSetting(zoom);
    markZoomMenu(window);
}

void markZoomMenu(platform::Window& window)
{
    if (!window.zoomFits(window.zoom()))
        window.setZoom(1);
    for (int zoom = 1; zoom <= platform::Window::maxZoom; ++zoom)
        window.menu().enable(command::Zoom1 + zoom - 1, window.zoomFits(zoom));
    window.menu().checkRadio(command::Zoom1, command::Zoom3, command::Zoom1 + window.zoom() - 1);
}
