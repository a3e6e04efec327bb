#include "platform/surface.h"
#include "platform/font.h"
#include "platform/draw/font_data.h"
#include "platform/draw/raster.h"
#include "platform/draw/surface_data.h"
#include "platform/draw/text.h"

#include <QString>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Text drawn with no font selected uses a 12-pixel Gothic.
Font defaultFont()
{
    return Font::create(12, 0, false, false, "ゴシック");
}

// Rectangle outlines accept their corners in any order.
Rect normalised(const Rect& rect)
{
    return Rect{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                std::max(rect.top, rect.bottom)};
}

void tell(SurfaceData& data, const Rect& changed)
{
    if (!changed.isEmpty() && data.listener)
        data.listener(changed);
}

} // namespace

Surface::Surface() : data_(std::make_unique<SurfaceData>())
{
}

Surface::Surface(int width, int height) : Surface()
{
    if (width <= 0 || height <= 0)
        return;
    data_->image = QImage(width, height, QImage::Format_RGB32);
    data_->image.fill(raster::toRgb(Colour{}));
}

Surface::~Surface() = default;

// A moved-from surface stays usable, empty and in its initial state.
Surface::Surface(Surface&& other) noexcept : data_(std::exchange(other.data_, std::make_unique<SurfaceData>()))
{
}

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this != &other)
        data_ = std::exchange(other.data_, std::make_unique<SurfaceData>());
    return *this;
}

Surface Surface::fromPicture(std::string_view name)
{
    const QString path = QStringLiteral(":/resources/pictures/")
                         + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower()
                         + QStringLiteral(".png");
    Surface surface;
    const QImage picture(path);
    if (!picture.isNull())
        surface.data_->image = picture.convertToFormat(QImage::Format_RGB32);
    return surface;
}

bool Surface::isEmpty() const
{
    return data_->image.isNull();
}

int Surface::width() const
{
    return data_->image.width();
}

int Surface::height() const
{
    return data_->image.height();
}

Rect Surface::bounds() const
{
    return Rect{0, 0, width(), height()};
}

void Surface::release()
{
    data_->image = QImage();
}

Pen Surface::selectPen(Pen pen)
{
    return std::exchange(data_->pen, pen);
}

Brush Surface::selectBrush(Brush brush)
{
    return std::exchange(data_->brush, brush);
}

const Font* Surface::selectFont(const Font* font)
{
    return std::exchange(data_->font, font);
}

Colour Surface::setTextColour(Colour colour)
{
    return std::exchange(data_->textColour, colour);
}

Colour Surface::setBackgroundColour(Colour colour)
{
    return std::exchange(data_->backgroundColour, colour);
}

BackgroundMode Surface::setBackgroundMode(BackgroundMode mode)
{
    return std::exchange(data_->backgroundMode, mode);
}

Pen Surface::pen() const
{
    return data_->pen;
}

Brush Surface::brush() const
{
    return data_->brush;
}

const Font* Surface::font() const
{
    return data_->font;
}

Colour Surface::textColour() const
{
    return data_->textColour;
}

BackgroundMode Surface::backgroundMode() const
{
    return data_->backgroundMode;
}

void Surface::copyFrom(int x, int y, int w, int h, const Surface& source, int sx, int sy)
{
    const Rect changed = raster::copy(data_->image, x, y, w, h, source.data_->image, sx, sy);
    data_->copiedPixels += static_cast<std::int64_t>(changed.width()) * changed.height();
    tell(*data_, changed);
}

void Surface::fillRect(const Rect& rect, Brush brush)
{
    if (brush.hollow)
        return;
    tell(*data_, raster::fill(data_->image, rect, brush.colour));
}

void Surface::rectangle(const Rect& rect)
{
    tell(*data_, raster::roundRect(data_->image, normalised(rect), 0, 0, data_->pen, data_->brush));
}

void Surface::roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight)
{
    tell(*data_,
         raster::roundRect(data_->image, normalised(rect), ellipseWidth, ellipseHeight, data_->pen, data_->brush));
}

void Surface::polygon(std::span<const Point> points)
{
    tell(*data_, raster::polygon(data_->image, points, data_->pen, data_->brush));
}

void Surface::line(Point from, Point to)
{
    if (data_->pen.visible)
        tell(*data_, raster::line(data_->image, from, to, data_->pen.colour));
}

void Surface::textOut(int x, int y, std::string_view sjis)
{
    if (isEmpty())
        return;
    const std::optional<Colour> background =
        data_->backgroundMode == BackgroundMode::Opaque ? std::optional<Colour>(data_->backgroundColour) : std::nullopt;
    const FontData* selected = data_->font ? data_->font->data() : nullptr;
    if (selected) {
        tell(*data_, text::draw(data_->image, x, y, sjis, *selected, data_->textColour, background));
        return;
    }
    const Font fallback = defaultFont();
    tell(*data_, text::draw(data_->image, x, y, sjis, *fallback.data(), data_->textColour, background));
}

Size Surface::textExtent(std::string_view sjis) const
{
    const FontData* selected = data_->font ? data_->font->data() : nullptr;
    if (selected)
        return text::extent(*selected, sjis);
    const Font fallback = defaultFont();
    return text::extent(*fallback.data(), sjis);
}

Colour Surface::pixel(int x, int y) const
{
    if (!bounds().contains(x, y))
        return Colour{};
    return raster::fromRgb(reinterpret_cast<const QRgb*>(data_->image.constScanLine(y))[x]);
}

void Surface::setPixel(int x, int y, Colour colour)
{
    if (!bounds().contains(x, y))
        return;
    reinterpret_cast<QRgb*>(data_->image.scanLine(y))[x] = raster::toRgb(colour);
    tell(*data_, Rect{x, y, x + 1, y + 1});
}

std::int64_t Surface::copiedPixels() const
{
    return data_->copiedPixels;
}

void Surface::setChangeListener(std::function<void(const Rect&)> listener)
{
    data_->listener = std::move(listener);
}

} // namespace platform
