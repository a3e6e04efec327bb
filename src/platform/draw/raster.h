#pragma once

// Inside the platform layer only: the pixel rasterisers behind Surface. Each
// works straight on the scanlines of a Format_RGB32 image, clips to it and
// returns the rectangle it changed (empty when nothing changed).

#include "platform/geometry.h"
#include "platform/surface.h"

#include <QImage>

#include <span>

namespace platform::raster {

QRgb toRgb(Colour colour);
Colour fromRgb(QRgb value);

Rect fill(QImage& image, const Rect& rect, Colour colour);
// w by h pixels from (sx, sy) of source to (x, y); source may be image itself.
Rect copy(QImage& image, int x, int y, int w, int h, const QImage& source, int sx, int sy);
// The rectangle with each corner cut by a quarter of an ew by eh ellipse; a
// size below 2 leaves the corners square. The pen outlines the shape's
// boundary pixels, the brush fills the pixels inside the outline.
Rect roundRect(QImage& image, const Rect& rect, int ew, int eh, Pen pen, Brush brush);
// Pixel centres inside (even-odd) in the brush, then the closed outline in the pen.
Rect polygon(QImage& image, std::span<const Point> points, Pen pen, Brush brush);
// Bresenham from one point toward the other; the end point is not drawn.
Rect line(QImage& image, Point from, Point to, Colour colour);

} // namespace platform::raster
