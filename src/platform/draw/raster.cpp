#include "platform/draw/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace platform::raster {

namespace {

Rect imageBounds(const QImage& image)
{
    return Rect{0, 0, image.width(), image.height()};
}

QRgb* row(QImage& image, int y)
{
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

// Pixels x0 to x1 - 1 of row y, clipped to the image.
void span(QImage& image, int y, int x0, int x1, QRgb value)
{
    if (y < 0 || y >= image.height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width());
    if (x0 >= x1)
        return;
    std::fill(row(image, y) + x0, row(image, y) + x1, value);
}

// How far row k from the top or bottom of a rounded rectangle starts inside
// its left and right edges: the pixel centres inside an a by b radius ellipse.
int cornerInset(int k, double a, double b)
{
    if (a < 1.0 || b < 1.0)
        return 0;
    const double d = (k + 0.5) - b;
    if (d >= 0.0)
        return 0;
    const double dx = a * std::sqrt(1.0 - (d / b) * (d / b));
    return std::max(0, static_cast<int>(std::ceil(a - dx - 0.5)));
}

struct Span {
    int left = 0;
    int right = 0;
};

} // namespace

QRgb toRgb(Colour colour)
{
    return qRgb(colour.r, colour.g, colour.b);
}

Colour fromRgb(QRgb value)
{
    return rgb(qRed(value), qGreen(value), qBlue(value));
}

Rect fill(QImage& image, const Rect& rect, Colour colour)
{
    const Rect area = intersect(rect, imageBounds(image));
    const QRgb value = toRgb(colour);
    for (int y = area.top; y < area.bottom; ++y)
        span(image, y, area.left, area.right, value);
    return area;
}

Rect copy(QImage& image, int x, int y, int w, int h, const QImage& source, int sx, int sy)
{
    // Clip against the source, then against the destination, moving both origins together.
    const auto clipAxis = [](int& to, int& from, int& length, int fromSize, int toSize) {
        if (from < 0) {
            to -= from;
            length += from;
            from = 0;
        }
        if (to < 0) {
            from -= to;
            length += to;
            to = 0;
        }
        length = std::min({length, fromSize - from, toSize - to});
    };
    if (w <= 0 || h <= 0 || source.isNull() || image.isNull())
        return {};
    clipAxis(x, sx, w, source.width(), image.width());
    clipAxis(y, sy, h, source.height(), image.height());
    if (w <= 0 || h <= 0)
        return {};

    const bool self = source.constBits() == image.constBits();
    const auto bytes = static_cast<std::size_t>(w) * sizeof(QRgb);
    const auto copyRow = [&](int r) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(sy + r)) + sx;
        std::memmove(row(image, y + r) + x, from, bytes);
    };
    // Within one image, rows go in the order that never reads a row already overwritten.
    if (self && y > sy) {
        for (int r = h - 1; r >= 0; --r)
            copyRow(r);
    } else {
        for (int r = 0; r < h; ++r)
            copyRow(r);
    }
    return Rect{x, y, x + w, y + h};
}

Rect roundRect(QImage& image, const Rect& rect, int ew, int eh, Pen pen, Brush brush)
{
    if (rect.isEmpty() || (!pen.visible && brush.hollow))
        return {};
    const double a = std::clamp(ew, 0, rect.width()) / 2.0;
    const double b = std::clamp(eh, 0, rect.height()) / 2.0;
    const auto shapeRow = [&](int y) {
        if (y < rect.top || y >= rect.bottom)
            return Span{};
        const int inset = cornerInset(std::min(y - rect.top, rect.bottom - 1 - y), a, b);
        return Span{rect.left + inset, rect.right - inset};
    };

    const QRgb penValue = toRgb(pen.colour);
    const QRgb brushValue = toRgb(brush.colour);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, image.height());
    for (int y = top; y < bottom; ++y) {
        const Span here = shapeRow(y);
        if (!pen.visible) {
            span(image, y, here.left, here.right, brushValue);
            continue;
        }
        // Inside the outline: pixels whose four neighbours all lie in the shape.
        const Span above = shapeRow(y - 1);
        const Span below = shapeRow(y + 1);
        const int innerLeft = std::max({here.left + 1, above.left, below.left});
        const int innerRight = std::min({here.right - 1, above.right, below.right});
        if (innerLeft >= innerRight || above.left >= above.right || below.left >= below.right) {
            span(image, y, here.left, here.right, penValue);
            continue;
        }
        span(image, y, here.left, innerLeft, penValue);
        if (!brush.hollow)
            span(image, y, innerLeft, innerRight, brushValue);
        span(image, y, innerRight, here.right, penValue);
    }
    return intersect(rect, imageBounds(image));
}

Rect polygon(QImage& image, std::span<const Point> points, Pen pen, Brush brush)
{
    if (points.empty())
        return {};
    Rect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points)
        box =
            Rect{std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};

    if (!brush.hollow && points.size() >= 3) {
        const QRgb value = toRgb(brush.colour);
        std::vector<double> crossings;
        const int top = std::max(box.top, 0);
        const int bottom = std::min(box.bottom, image.height());
        for (int y = top; y < bottom; ++y) {
            const double centre = y + 0.5;
            crossings.clear();
            for (std::size_t i = 0; i < points.size(); ++i) {
                const Point p = points[i];
                const Point q = points[(i + 1) % points.size()];
                if ((p.y <= centre) == (q.y <= centre))
                    continue;
                crossings.push_back(p.x + (centre - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const int x0 = static_cast<int>(std::ceil(crossings[i] - 0.5));
                const int x1 = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
                span(image, y, x0, x1, value);
            }
        }
    }
    if (pen.visible) {
        for (std::size_t i = 0; i < points.size(); ++i)
            line(image, points[i], points[(i + 1) % points.size()], pen.colour);
    }
    if (brush.hollow && !pen.visible)
        return {};
    return intersect(Rect{box.left, box.top, box.right + 1, box.bottom + 1}, imageBounds(image));
}

Rect line(QImage& image, Point from, Point to, Colour colour)
{
    const QRgb value = toRgb(colour);
    // 64-bit steps: coordinates far outside the picture must not overflow.
    std::int64_t x = from.x;
    std::int64_t y = from.y;
    const std::int64_t dx = std::llabs(static_cast<std::int64_t>(to.x) - x);
    const std::int64_t dy = -std::llabs(static_cast<std::int64_t>(to.y) - y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    std::int64_t error = dx + dy;
    Rect changed;
    if (std::max(from.x, to.x) < 0 || std::max(from.y, to.y) < 0 || std::min(from.x, to.x) >= image.width()
        || std::min(from.y, to.y) >= image.height())
        return changed;
    while (x != to.x || y != to.y) {
        if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
            const int px = static_cast<int>(x);
            const int py = static_cast<int>(y);
            row(image, py)[px] = value;
            changed = unite(changed, Rect{px, py, px + 1, py + 1});
        } else if (!changed.isEmpty()) {
            break; // a straight line that has left the picture never comes back
        }
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
    return changed;
}

} // namespace platform::raster
