#include "core/surfaces.h"

#include "platform/window.h"

void makeSurfaces(Surfaces& surfaces, platform::Window& window)
{
    surfaces.backBuffer = platform::Surface(clientWidth, clientHeight);
    surfaces.sprites = platform::Surface::fromPicture("ID_BITMAP1");
    const platform::Surface background = platform::Surface::fromPicture("ID_BITMAP2");
    surfaces.backBuffer.copyFrom(0, 0, clientWidth, clientHeight, background, 0, 0);
    window.screen().copyFrom(0, 0, clientWidth, clientHeight, background, 0, 0);
    surfaces.strip = platform::Surface(stripArea.width(), stripArea.height());
    surfaces.strip.copyFrom(0, 0, stripArea.width(), stripArea.height(), surfaces.backBuffer, stripArea.left, stripArea.top);
}

void repaint(const Surfaces& surfaces, platform::Window& window)
{
    const platform::Rect area = window.beginPaint();
    window.screen().copyFrom(area.left, area.top, area.width(), area.height(), surfaces.backBuffer, area.left, area.top);
}

void releaseSurfaces(Surfaces& surfaces)
{
    surfaces.backBuffer.release();
    surfaces.sprites.release();
    surfaces.strip.release();
}
