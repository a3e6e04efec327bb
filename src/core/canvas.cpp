#include "core/canvas.h"

#include "platform/window.h"

platform::Surface& screenOf(Canvas& canvas)
{
    return canvas.window->screen();
}

void makeCanvas(Canvas& canvas, platform::Window& window)
{
    canvas.window = &window;
    canvas.backBuffer = platform::Surface(clientWidth, clientHeight);
    canvas.sprites = platform::Surface::fromPicture("ID_BITMAP1");
    const platform::Surface background = platform::Surface::fromPicture("ID_BITMAP2");
    drawOnBoth(canvas, [&](platform::Surface& surface) {
        surface.copyFrom(0, 0, clientWidth, clientHeight, background, 0, 0);
    });
    canvas.strip = platform::Surface(stripArea.width(), stripArea.height());
    canvas.strip.copyFrom(0, 0, stripArea.width(), stripArea.height(), canvas.backBuffer, stripArea.left,
                          stripArea.top);
}

void repaint(Canvas& canvas)
{
    const platform::Rect area = canvas.window->beginPaint();
    screenOf(canvas).copyFrom(area.left, area.top, area.width(), area.height(), canvas.backBuffer, area.left, area.top);
}

void releaseCanvas(Canvas& canvas)
{
    canvas.backBuffer.release();
    canvas.sprites.release();
    canvas.strip.release();
}
