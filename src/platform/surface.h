#pragma once

#include "platform/geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace platform {

class Font;
struct SurfaceData;

// A one-pixel solid pen, or the null pen that draws no outline.
struct Pen {
    Colour colour;
    bool visible = true;
    constexpr bool operator==(const Pen&) const = default;
};

// A solid brush, or the hollow brush that fills nothing.
struct Brush {
    Colour colour;
    bool hollow = false;
    constexpr bool operator==(const Brush&) const = default;
};

namespace stock {
inline constexpr Pen blackPen{Colour{0, 0, 0}};
inline constexpr Pen whitePen{Colour{255, 255, 255}};
inline constexpr Pen nullPen{Colour{0, 0, 0}, false};
inline constexpr Brush blackBrush{Colour{0, 0, 0}};
inline constexpr Brush whiteBrush{Colour{255, 255, 255}};
inline constexpr Brush hollowBrush{Colour{0, 0, 0}, true};
} // namespace stock

enum class BackgroundMode { Opaque, Transparent };

// An off-screen 32-bit RGB picture with the drawing state that the drawing
// calls use: the selected pen, brush and font, the text and background colours
// and the background mode. A new surface starts black, with the black pen, the
// white brush, no font, black text on an opaque white background.
// Every operation clips to the surface; an empty surface draws nothing.
class Surface {
public:
    Surface();
    Surface(int width, int height);
    ~Surface();
    Surface(Surface&&) noexcept;
    Surface& operator=(Surface&&) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // A picture carried inside the program ("ID_BITMAP1", "TM_ICON", ...);
    // an empty surface when there is none.
    static Surface fromPicture(std::string_view name);

    bool isEmpty() const;
    int width() const;
    int height() const;
    Rect bounds() const;
    // Drops the picture; the surface is empty afterwards.
    void release();

    Pen selectPen(Pen pen);
    Brush selectBrush(Brush brush);
    // The font is borrowed: its owner keeps it alive while it is selected.
    const Font* selectFont(const Font* font);
    Colour setTextColour(Colour colour);
    Colour setBackgroundColour(Colour colour);
    BackgroundMode setBackgroundMode(BackgroundMode mode);
    Pen pen() const;
    Brush brush() const;
    const Font* font() const;
    Colour textColour() const;
    BackgroundMode backgroundMode() const;

    // Copies w by h pixels from (sx, sy) of source to (x, y).
    void copyFrom(int x, int y, int w, int h, const Surface& source, int sx, int sy);
    // Fills the rectangle with the brush (a hollow brush fills nothing).
    void fillRect(const Rect& rect, Brush brush);
    // Outline in the selected pen on the rectangle's edge pixels, inside in the selected brush.
    void rectangle(const Rect& rect);
    // As rectangle, with corners rounded by an ellipse of the given size.
    void roundRect(const Rect& rect, int ellipseWidth, int ellipseHeight);
    // Filled with the selected brush, outlined with the selected pen.
    void polygon(std::span<const Point> points);
    // In the selected pen; the end point is not drawn.
    void line(Point from, Point to);
    // Shift-JIS text with its top-left corner at (x, y), in the selected font,
    // or in a 12-pixel Gothic when none is selected. In Opaque mode the text's
    // cells are filled with the background colour first.
    void textOut(int x, int y, std::string_view sjis);
    Size textExtent(std::string_view sjis) const;

    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);
    // Sum of the areas that copyFrom wrote into this surface.
    std::int64_t copiedPixels() const;

    // Told of every rectangle that a drawing operation changed.
    void setChangeListener(std::function<void(const Rect&)> listener);

    SurfaceData* data() { return data_.get(); }
    const SurfaceData* data() const { return data_.get(); }

private:
    std::unique_ptr<SurfaceData> data_;
};

} // namespace platform
