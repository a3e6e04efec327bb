#include "tests/view/view_fixture.h"

#include "platform/application.h"
#include "core/canvas.h"

namespace {

Canvas* paintCanvas = nullptr;

void paintingProc(platform::Window&, const platform::Message& message)
{
    if (message.kind == platform::MessageKind::Paint && paintCanvas)
        repaint(*paintCanvas);
}

constexpr platform::Rect digitRegion(int glyph)
{
    return {15 * glyph, 39, 15 * glyph + 15, 39 + 26};
}

constexpr platform::Rect spriteRegion(int code)
{
    return {39 * (code - 1), 0, 39 * code, 39};
}

constexpr platform::Rect markRegion{270, 39, 297, 66};

bool sameBlock(const platform::Surface& surface, int x, int y, const platform::Surface& sheet,
               const platform::Rect& region)
{
    for (int dy = 0; dy < region.height(); ++dy) {
        for (int dx = 0; dx < region.width(); ++dx) {
            if (surface.pixel(x + dx, y + dy) != sheet.pixel(region.left + dx, region.top + dy))
                return false;
        }
    }
    return true;
}

// A stand-in sprite sheet when the program carries none: every region its own
// shade with a gradient inside, so a copy from a shifted place shows.
platform::Surface paintedSheet()
{
    platform::Surface sheet(468, 83);
    auto paint = [&sheet](const platform::Rect& region, int id) {
        for (int dy = 0; dy < region.height(); ++dy) {
            for (int dx = 0; dx < region.width(); ++dx)
                sheet.setPixel(region.left + dx, region.top + dy, platform::rgb(id * 10, dx * 6, dy * 6));
        }
    };
    for (int code = 1; code <= 12; ++code)
        paint(spriteRegion(code), code);
    for (int glyph = 0; glyph <= 10; ++glyph)
        paint(digitRegion(glyph), 13 + glyph);
    paint(markRegion, 24);
    return sheet;
}

} // namespace

platform::Colour backgroundAt(int x, int y)
{
    return platform::rgb((x * 7) % 256, (y * 5) % 256, ((x + y) * 3 + 1) % 256);
}

ViewTest::ViewTest() : window(paintingProc), view(canvas)
{
    window.create("t", {}, "");
    canvas.window = &window;
    // The client area the game asks for, so the screen matches the back buffer.
    const platform::Rect outer = window.windowRect();
    const platform::Size client = window.clientSize();
    window.place({0, 0, clientWidth + outer.width() - client.width, clientHeight + outer.height() - client.height},
                 false);
    for (int i = 0; i < 100 && (window.screen().width() != clientWidth || window.screen().height() != clientHeight);
         ++i)
        platform::Application::processEvents();
    EXPECT_EQ(window.screen().bounds(), (platform::Rect{0, 0, clientWidth, clientHeight}));
    background = platform::Surface(clientWidth, clientHeight);
    for (int y = 0; y < clientHeight; ++y) {
        for (int x = 0; x < clientWidth; ++x)
            background.setPixel(x, y, backgroundAt(x, y));
    }
    canvas.backBuffer = platform::Surface(clientWidth, clientHeight);
    canvas.backBuffer.copyFrom(0, 0, clientWidth, clientHeight, background, 0, 0);
    window.screen().copyFrom(0, 0, clientWidth, clientHeight, background, 0, 0);
    canvas.strip = platform::Surface(stripArea.width(), stripArea.height());
    canvas.strip.copyFrom(0, 0, stripArea.width(), stripArea.height(), canvas.backBuffer, stripArea.left,
                          stripArea.top);
    canvas.sprites = platform::Surface::fromPicture("ID_BITMAP1");
    if (canvas.sprites.isEmpty())
        canvas.sprites = paintedSheet();
    paintCanvas = &canvas;
}

ViewTest::~ViewTest()
{
    paintCanvas = nullptr;
}

int ViewTest::glyphAt(const platform::Surface& surface, int x, int y) const
{
    for (int glyph = 0; glyph <= 10; ++glyph) {
        if (sameBlock(surface, x, y, canvas.sprites, digitRegion(glyph)))
            return glyph;
    }
    return -1;
}

int ViewTest::spriteAt(const platform::Surface& surface, int x, int y) const
{
    for (int code = 1; code <= 12; ++code) {
        if (sameBlock(surface, x, y, canvas.sprites, spriteRegion(code)))
            return code;
    }
    return 0;
}

bool ViewTest::markAt(const platform::Surface& surface, int x, int y) const
{
    return sameBlock(surface, x, y, canvas.sprites, markRegion);
}

std::vector<int> ViewTest::readout(int x, int y, int cells)
{
    std::vector<int> glyphs;
    for (int i = 0; i < cells; ++i) {
        const int onBuffer = glyphAt(canvas.backBuffer, x + 16 * i, y);
        EXPECT_EQ(onBuffer, glyphAt(screen(), x + 16 * i, y)) << "cell " << i;
        glyphs.push_back(onBuffer);
    }
    return glyphs;
}

bool sameArea(const platform::Surface& a, const platform::Surface& b, const platform::Rect& area)
{
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
        }
    }
    return true;
}

int differencesOutside(const platform::Surface& a, const platform::Surface& b, const platform::Rect& area)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += !area.contains(x, y) && a.pixel(x, y) != b.pixel(x, y);
    }
    return n;
}

bool allOf(const platform::Surface& surface, const platform::Rect& area, platform::Colour colour)
{
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.pixel(x, y) != colour)
                return false;
        }
    }
    return true;
}
