#pragma once

// Inside the platform layer only: what a Surface holds.

#include "platform/surface.h"

#include <QImage>

namespace platform {

struct SurfaceData {
    QImage image; // Format_RGB32; null while the surface is empty
    Pen pen = stock::blackPen;
    Brush brush = stock::whiteBrush;
    const Font* font = nullptr;
    Colour textColour{0, 0, 0};
    Colour backgroundColour{255, 255, 255};
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    std::int64_t copiedPixels = 0;
    std::function<void(const Rect&)> listener;
};

} // namespace platform
