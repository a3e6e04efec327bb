#include "platform/draw/text.h"
#include "platform/draw/raster.h"
#include "platform/sjis.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform::text {

namespace {

// An oblique face moves the top of a glyph right by about a fifth of the
// height; a quarter leaves room for rounding.
constexpr double italicSlant = 0.25;

} // namespace

Size extent(const FontData& font, std::string_view sjis)
{
    int width = 0;
    while (!sjis.empty()) {
        const std::size_t length = sjis::characterLength(sjis);
        width += static_cast<int>(length) * font.halfWidth;
        sjis.remove_prefix(length);
    }
    return Size{width, font.height};
}

int overhang(const FontData& font)
{
    return font.italic ? static_cast<int>(std::ceil(font.height * italicSlant)) : 0;
}

Rect draw(QImage& image, int x, int y, std::string_view sjis, const FontData& font, Colour colour,
          std::optional<Colour> background)
{
    const Size size = extent(font, sjis);
    if (image.isNull() || size.width <= 0 || size.height <= 0)
        return {};
    const Rect cells{x, y, x + size.width, y + size.height};
    if (background)
        raster::fill(image, cells, *background);

    QPainter painter(&image);
    painter.setFont(font.font);
    painter.setPen(QColor(colour.r, colour.g, colour.b));
    painter.setClipRect(QRect(x, y, size.width + overhang(font), size.height));

    // Glyphs sit on a baseline placed so that ascent and descent share the cell height.
    const QFontMetricsF metrics(font.font);
    const double faceHeight = metrics.ascent() + metrics.descent();
    const double baseline = y + (faceHeight > 0 ? size.height * metrics.ascent() / faceHeight : size.height);

    int cellLeft = x;
    while (!sjis.empty()) {
        const std::size_t length = sjis::characterLength(sjis);
        const int cellWidth = static_cast<int>(length) * font.halfWidth;
        const QString glyph = QString::fromStdString(sjis::toUtf8(sjis.substr(0, length)));
        sjis.remove_prefix(length);
        // A Japanese fixed-pitch face advances half the height per byte; scale
        // that to the cell, and squeeze any wider glyph of a fallback face in.
        const double natural = metrics.horizontalAdvance(glyph);
        double scale = cellWidth / (static_cast<double>(length) * font.height / 2.0);
        if (natural * scale > cellWidth && natural > 0)
            scale = cellWidth / natural;
        const double offset = (cellWidth - natural * scale) / 2.0;

        painter.save();
        painter.translate(cellLeft + offset, baseline);
        painter.scale(scale, 1.0);
        painter.drawText(QPointF(0, 0), glyph);
        painter.restore();
        cellLeft += cellWidth;
    }
    painter.end();
    return intersect(Rect{x, y, x + size.width + overhang(font), y + size.height},
                     Rect{0, 0, image.width(), image.height()});
}

} // namespace platform::text
