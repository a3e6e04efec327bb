// The sprite sheet ID_BITMAP1 (468 x 83): cell sprites, digit strip, apple, clip, markers.
#include "art.h"
#include "shapes.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace art {

namespace {

struct TileColours {
    QColor base, edge, shine, shade;
};

TileColours tileColours(const Params& p, const QString& prefix)
{
    return {p.colour("tiles", prefix), p.colour("tiles", prefix + "_edge"), p.colour("tiles", prefix + "_shine"),
            p.colour("tiles", prefix + "_shade")};
}

// A square tile that fills the whole 39 x 39 region: a one-pixel edge all
// round (the same colour on all four sides), a light and a shaded bevel.
void drawTile(QPainter& g, const TileColours& c)
{
    g.save();
    g.setRenderHint(QPainter::Antialiasing, false);
    g.fillRect(0, 0, 39, 39, c.edge);
    g.fillRect(1, 1, 37, 37, c.shade);
    g.fillRect(1, 1, 36, 36, c.shine);
    g.fillRect(2, 2, 35, 35, c.base);
    g.restore();
}

void drawCell(QImage& sheet, int code, const std::function<void(QPainter&)>& body)
{
    QPainter g(&sheet);
    g.translate(39 * (code - 1), 0);
    g.setClipRect(0, 0, 39, 39); // nothing spills into the neighbour
    g.setRenderHint(QPainter::Antialiasing, true);
    body(g);
}

// ---- the digit strip: a dot-matrix segment display ------------------------
// Dots of 2 x 2 pixels on a grid of 5 columns by 9 rows at a pitch of 3,
// starting at (1, 0). The seven segments use the border of the grid.
constexpr int dotCols = 5, dotRows = 9;

// Segment membership of a dot, as a bit mask of a..g (bit 0 = a).
int segmentsOf(int col, int row)
{
    int m = 0;
    const bool left = col == 0, right = col == dotCols - 1;
    if (row == 0)
        m |= 1 << 0; // a
    if (right && row <= 4)
        m |= 1 << 1; // b
    if (right && row >= 4)
        m |= 1 << 2; // c
    if (row == dotRows - 1)
        m |= 1 << 3; // d
    if (left && row >= 4)
        m |= 1 << 4; // e
    if (left && row <= 4)
        m |= 1 << 5; // f
    if (row == 4)
        m |= 1 << 6; // g
    return m;
}

// Standard seven-segment patterns of the digits 0..9 (bit 0 = a .. bit 6 = g).
constexpr int digitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

QPoint dotOrigin(int col, int row)
{
    return {1 + 3 * col, 3 * row};
}

void drawDot(QPainter& g, QPoint at, bool lit, const QColor& litColour, const QColor& core, const QColor& unlit)
{
    if (!lit) {
        g.fillRect(at.x(), at.y(), 2, 2, unlit);
        return;
    }
    g.fillRect(at.x(), at.y(), 2, 2, litColour);
    g.fillRect(at.x(), at.y(), 1, 1, core);
}

// One 15 x 26 display cell; `isLit` says which dots are lit.
void drawDisplayCell(QPainter& g, int x, int y, const Params& p, const std::function<bool(int, int)>& isLit)
{
    const QColor bg = p.colour("display", "background");
    const QColor lit = p.colour("display", "lit"), core = p.colour("display", "lit_core");
    const QColor unlit = p.colour("display", "unlit");
    g.fillRect(x, y, 15, 26, bg);
    for (int row = 0; row < dotRows; ++row)
        for (int col = 0; col < dotCols; ++col) {
            if (segmentsOf(col, row) == 0)
                continue;
            const QPoint o = dotOrigin(col, row);
            drawDot(g, QPoint(x + o.x(), y + o.y()), isLit(col, row), lit, core, unlit);
        }
}

void drawDigitStrip(QImage& sheet, const Params& p)
{
    QPainter g(&sheet);
    for (int d = 0; d <= 9; ++d)
        drawDisplayCell(g, 15 * d, 39, p, [d](int c, int r) { return (segmentsOf(c, r) & digitSegments[d]) != 0; });
    drawDisplayCell(g, 150, 39, p, [](int, int) { return false; });
    // Six steps lighting up from the centre dot outwards to all segments lit.
    const double limits[6] = {0.0, 1.0, 2.0, 3.0, 4.0, 99.0};
    for (int v = 1; v <= 6; ++v) {
        const double limit = limits[v - 1];
        drawDisplayCell(g, 150 + 15 * v, 39, p, [limit](int c, int r) {
            const double dx = c - 2, dy = r - 4;
            return std::sqrt(dx * dx + dy * dy) <= limit + 1e-9;
        });
    }
}

// ---- apple, clip, cap, markers ---------------------------------------------

void drawApple(QImage& sheet, const Params& p)
{
    QPainter g(&sheet);
    g.translate(270, 39);
    g.setClipRect(0, 0, 27, 27);
    g.fillRect(0, 0, 27, 27, p.colour("apple", "tile_edge"));
    g.fillRect(1, 1, 25, 25, p.colour("apple", "tile"));
    g.setRenderHint(QPainter::Antialiasing, true);
    shapes::apple(g, QRectF(3, 3, 21, 21), p.colour("apple", "fruit"), p.colour("apple", "fruit_shade"),
                  p.colour("apple", "leaf"), p.colour("apple", "stem"));
}

void drawClip(QImage& sheet, const Params& p)
{
    QPainter g(&sheet);
    g.translate(297, 39);
    g.setClipRect(0, 0, 14, 44);
    g.fillRect(0, 0, 14, 44, Qt::black);
    g.setRenderHint(QPainter::Antialiasing, true);
    // A wire clip, read from the inner end: up the inner left side, over the
    // inner turn, down the inner right side, round the bottom, up the outer
    // left side, over the top and down the outer right side.
    QPainterPath wire;
    wire.moveTo(5.0, 31.0);
    wire.lineTo(5.0, 10.0);
    wire.arcTo(QRectF(5.0, 8.0, 4.0, 4.0), 180, -180); // inner turn, top at y 8
    wire.lineTo(9.0, 38.0);
    wire.arcTo(QRectF(2.5, 34.5, 6.5, 6.5), 0, -180); // bottom turn
    wire.lineTo(2.5, 6.5);
    wire.arcTo(QRectF(2.5, 2.0, 9.0, 9.0), 180, -180); // outer turn, top at y 2
    wire.lineTo(11.5, 35.0);
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(p.colour("clip", "wire_shade"), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(wire.translated(0.35, 0.35));
    g.setPen(QPen(p.colour("clip", "wire"), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(wire);
    g.setPen(QPen(p.colour("clip", "wire_shine"), 0.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(wire.translated(-0.3, -0.3));
}

void drawCap(QImage& sheet, const Params& p)
{
    QPainter g(&sheet);
    g.translate(311, 39);
    g.fillRect(0, 0, 12, 4, Qt::black);
    g.fillRect(0, 0, 12, 4, p.colour("clip", "cap"));
    g.fillRect(1, 0, 10, 1, p.colour("clip", "cap_shine"));
    g.fillRect(0, 3, 12, 1, p.colour("clip", "cap").darker(160));
}

void drawMarkers(QImage& sheet, const Params& p)
{
    QPainter g(&sheet);
    g.fillRect(0, 65, 33, 11, Qt::black);
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(Qt::NoPen);
    g.setBrush(p.colour("markers", "circle"));
    g.drawEllipse(QPointF(5.5, 65 + 5.5), 4.6, 4.6);
    g.setBrush(p.colour("markers", "triangle"));
    QPolygonF tri;
    tri << QPointF(11 + 5.5, 65 + 0.8) << QPointF(11 + 10.4, 65 + 9.8) << QPointF(11 + 0.6, 65 + 9.8);
    g.drawPolygon(tri);
    g.setRenderHint(QPainter::Antialiasing, false);
    g.fillRect(22 + 1, 65 + 1, 9, 9, p.colour("markers", "square"));
}

} // namespace

Picture drawSpriteSheet(const Params& p)
{
    QImage sheet(468, 83, QImage::Format_RGB32);
    sheet.fill(Qt::black);

    const TileColours light = tileColours(p, "light");
    const TileColours blue = tileColours(p, "blue");

    const QJsonArray animals = p.array(p.root, "animals", "the top level");
    if (animals.size() != 8)
        fail(p.file + ": \"animals\" must list exactly 8 animals (codes 1 to 8)");
    for (int i = 0; i < 8; ++i) {
        const QString where = "animals[" + QString::number(i) + "]";
        const QJsonObject a = animals[i].toObject();
        const int code = p.integer(a, "code", where);
        if (code != i + 1)
            fail(p.file + ": " + where + ": code must be " + QString::number(i + 1));
        const shapes::AnimalColours colours{p.colour(a, "fur", where), p.colour(a, "accent", where),
                                            p.colour(a, "dark", where)};
        const QString kind = p.text(a, "kind", where);
        if (!shapes::knownAnimal(kind))
            fail(p.file + ": " + where + ": unknown animal kind \"" + kind + "\"");
        drawCell(sheet, code, [&](QPainter& g) {
            drawTile(g, light);
            shapes::animal(g, kind, colours);
        });
    }

    const QJsonArray vehicles = p.array(p.root, "vehicles", "the top level");
    if (vehicles.size() != 4)
        fail(p.file + ": \"vehicles\" must list exactly 4 vehicles (codes 9 to 12)");
    const QJsonObject vc = p.object(p.root, "vehicle_colours", "the top level");
    const shapes::VehicleColours vcol{
        p.colour(vc, "body", "\"vehicle_colours\""), p.colour(vc, "body_shade", "\"vehicle_colours\""),
        p.colour(vc, "metal", "\"vehicle_colours\""), p.colour(vc, "glass", "\"vehicle_colours\""),
        p.colour(vc, "outline", "\"vehicle_colours\"")};
    for (int i = 0; i < 4; ++i) {
        const QString where = "vehicles[" + QString::number(i) + "]";
        const QJsonObject v = vehicles[i].toObject();
        const int code = p.integer(v, "code", where);
        if (code != 9 + i)
            fail(p.file + ": " + where + ": code must be " + QString::number(9 + i));
        const QString kind = p.text(v, "kind", where);
        if (!shapes::knownVehicle(kind))
            fail(p.file + ": " + where + ": unknown vehicle kind \"" + kind + "\"");
        drawCell(sheet, code, [&](QPainter& g) {
            drawTile(g, blue);
            shapes::vehicle(g, kind, vcol);
        });
    }

    drawDigitStrip(sheet, p);
    drawApple(sheet, p);
    drawClip(sheet, p);
    drawCap(sheet, p);
    drawMarkers(sheet, p);
    return {"resources/pictures/id_bitmap1.png", sheet, {}};
}

} // namespace art
