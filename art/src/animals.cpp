// The eight characters of the piece colours, one face each on a 39 x 39 tile.
// Each has its own dominant colour and silhouette:
//   1 sloth    "だらっと"  tan, shaggy fringe, drooping eye stripes, sleepy eyes
//   2 tiger    "だとら"    orange, round ears, black stripes, white muzzle
//   3 dinosaur "だがおー"  green, spikes on the crown, roaring mouth with teeth
//   4 mouse    "でちゅう"  light grey, huge round ears, whiskers, pink nose
//   5 monkey   "だきー"    dark brown, side ears, pale heart face, shrieking mouth
//   6 elephant "でごん"    sky blue, wide flapping ears, trunk
//   7 penguin  "ぷりーず"  navy, white mask, orange beak, frosty cheeks ("freeze")
//   8 owl      "だほー"    purple, ear tufts, big yellow eye discs, beak
#include "shapes.h"

#include <QPainterPath>

#include <cmath>

namespace art::shapes {

namespace {

constexpr double cx = 19.5;

QPen line(const QColor& c, double w = 1.0)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void ellipse(QPainter& g, double x, double y, double rx, double ry, const QColor& fill, const QPen& pen = Qt::NoPen)
{
    g.setPen(pen);
    g.setBrush(fill);
    g.drawEllipse(QPointF(x, y), rx, ry);
}

void path(QPainter& g, const QPainterPath& p, const QColor& fill, const QPen& pen = Qt::NoPen)
{
    g.setPen(pen);
    if (fill.isValid())
        g.setBrush(fill);
    else
        g.setBrush(Qt::NoBrush);
    g.drawPath(p);
}

// A pair of eyes: dark pupils with a white glint.
void eyes(QPainter& g, double y, double spread, double r, const QColor& dark)
{
    for (double s : {-1.0, 1.0}) {
        ellipse(g, cx + s * spread, y, r, r * 1.15, dark);
        ellipse(g, cx + s * spread - r * 0.35, y - r * 0.4, r * 0.38, r * 0.38, Qt::white);
    }
}

void sloth(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Shaggy head: a wide oval with a tousled fringe.
    QPainterPath head;
    head.addEllipse(QPointF(cx, 22), 15.0, 12.5);
    for (int i = 0; i < 7; ++i)
        head.addEllipse(QPointF(8.0 + 3.8 * i, 11.0 + (i % 2) * 1.4 + std::abs(i - 3) * 0.6), 2.5, 2.3);
    head.setFillRule(Qt::WindingFill);
    head = head.simplified();
    path(g, head, c.fur, edge);
    // Pale face.
    ellipse(g, cx, 24.0, 9.0, 7.0, c.accent);
    // Long drooping eye stripes, lazily sloping down and outwards.
    for (double s : {-1.0, 1.0}) {
        QPainterPath stripe;
        stripe.moveTo(cx + s * 2.5, 19.5);
        stripe.cubicTo(cx + s * 6.0, 18.0, cx + s * 10.0, 20.5, cx + s * 11.0, 25.5);
        stripe.cubicTo(cx + s * 8.5, 25.0, cx + s * 5.0, 23.5, cx + s * 2.5, 21.5);
        stripe.closeSubpath();
        path(g, stripe, c.dark);
        // Half-closed sleepy eye: a pale lid line over a dark slit.
        QPainterPath lid;
        lid.moveTo(cx + s * 4.2, 21.0);
        lid.quadTo(cx + s * 6.3, 22.6, cx + s * 8.4, 21.6);
        g.setBrush(Qt::NoBrush);
        g.setPen(line(c.accent, 1.1));
        g.drawPath(lid);
    }
    // Nose and a slack smile.
    ellipse(g, cx, 26.0, 2.6, 1.7, c.dark);
    QPainterPath mouth;
    mouth.moveTo(cx - 3.5, 28.8);
    mouth.quadTo(cx, 31.5, cx + 3.5, 28.8);
    g.setBrush(Qt::NoBrush);
    g.setPen(line(c.dark, 1.0));
    g.drawPath(mouth);
}

void tiger(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Round ears with dark insides.
    for (double s : {-1.0, 1.0}) {
        ellipse(g, cx + s * 10.5, 10.0, 5.0, 5.0, c.fur, edge);
        ellipse(g, cx + s * 10.5, 10.5, 2.5, 2.5, c.dark);
    }
    ellipse(g, cx, 22.0, 15.0, 13.0, c.fur, edge);
    // Stripes: three on the brow, two on each cheek.
    QPainterPath brow;
    for (double dx : {-4.0, 0.0, 4.0}) {
        brow.moveTo(cx + dx - 1.3, 9.6);
        brow.lineTo(cx + dx + 1.3, 9.6);
        brow.lineTo(cx + dx, 15.0 - std::abs(dx) * 0.25);
        brow.closeSubpath();
    }
    path(g, brow, c.dark);
    for (double s : {-1.0, 1.0})
        for (double y : {20.5, 25.5}) {
            QPainterPath cheek;
            cheek.moveTo(cx + s * 14.8, y - 1.4);
            cheek.lineTo(cx + s * 8.0, y);
            cheek.lineTo(cx + s * 14.6, y + 1.4);
            cheek.closeSubpath();
            path(g, cheek, c.dark);
        }
    // White muzzle, nose, eyes.
    ellipse(g, cx - 3.6, 27.8, 4.6, 3.8, c.accent);
    ellipse(g, cx + 3.6, 27.8, 4.6, 3.8, c.accent);
    QPainterPath nose;
    nose.moveTo(cx - 2.6, 24.2);
    nose.lineTo(cx + 2.6, 24.2);
    nose.lineTo(cx, 26.6);
    nose.closeSubpath();
    path(g, nose, c.dark, line(c.dark, 0.8));
    eyes(g, 19.0, 6.0, 2.1, c.dark);
}

void dinosaur(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Crown of spikes.
    QPainterPath spikes;
    for (int i = 0; i < 3; ++i) {
        const double x = cx + (i - 1) * 7.0;
        const double top = i == 1 ? 3.5 : 6.0;
        spikes.moveTo(x - 4.2, 13.0);
        spikes.lineTo(x, top);
        spikes.lineTo(x + 4.2, 13.0);
        spikes.closeSubpath();
    }
    path(g, spikes, c.dark, edge);
    // Head: a broad dome with a wide jaw.
    QPainterPath head;
    head.addRoundedRect(QRectF(4.0, 10.0, 31.0, 26.0), 12.0, 11.0);
    path(g, head, c.fur, edge);
    // Roaring mouth with teeth.
    QPainterPath mouth;
    mouth.moveTo(cx - 9.0, 24.0);
    mouth.quadTo(cx, 22.0, cx + 9.0, 24.0);
    mouth.quadTo(cx + 7.5, 34.5, cx, 34.0);
    mouth.quadTo(cx - 7.5, 34.5, cx - 9.0, 24.0);
    path(g, mouth, QColor(0x6a, 0x12, 0x16), edge);
    QPainterPath teeth;
    for (int i = 0; i < 4; ++i) {
        const double x = cx - 6.5 + i * 4.3;
        teeth.moveTo(x - 1.5, 23.7);
        teeth.lineTo(x + 1.5, 23.6);
        teeth.lineTo(x, 27.0);
        teeth.closeSubpath();
    }
    path(g, teeth, Qt::white);
    ellipse(g, cx, 31.8, 3.4, 1.6, QColor(0xe0, 0x60, 0x70)); // tongue
    // Snout ridge and nostrils in the pale accent.
    ellipse(g, cx - 2.5, 20.5, 1.1, 0.8, c.dark);
    ellipse(g, cx + 2.5, 20.5, 1.1, 0.8, c.dark);
    // Fierce eyes under slanted brows.
    for (double s : {-1.0, 1.0}) {
        ellipse(g, cx + s * 7.5, 17.0, 3.2, 3.2, c.accent, line(c.dark, 0.8));
        ellipse(g, cx + s * 7.0, 17.4, 1.6, 1.9, c.dark);
        g.setPen(line(c.dark, 1.5));
        g.drawLine(QPointF(cx + s * 11.0, 12.8), QPointF(cx + s * 4.0, 14.6));
    }
}

void mouse(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Huge round ears.
    for (double s : {-1.0, 1.0}) {
        ellipse(g, cx + s * 10.0, 10.5, 6.9, 6.9, c.fur, edge);
        ellipse(g, cx + s * 10.0, 11.0, 4.3, 4.3, c.accent);
    }
    // Egg-shaped head narrowing to a pointed snout.
    QPainterPath head;
    head.moveTo(cx, 34.5);
    head.cubicTo(cx - 7.0, 34.0, cx - 12.5, 26.0, cx - 12.0, 20.5);
    head.cubicTo(cx - 11.5, 13.5, cx - 6.0, 11.0, cx, 11.0);
    head.cubicTo(cx + 6.0, 11.0, cx + 11.5, 13.5, cx + 12.0, 20.5);
    head.cubicTo(cx + 12.5, 26.0, cx + 7.0, 34.0, cx, 34.5);
    path(g, head, c.fur, edge);
    eyes(g, 21.0, 4.6, 1.9, c.dark);
    // Whiskers, then the nose and two front teeth.
    g.setPen(line(c.dark, 0.6));
    for (double s : {-1.0, 1.0}) {
        g.drawLine(QPointF(cx + s * 3.5, 28.5), QPointF(cx + s * 13.5, 26.5));
        g.drawLine(QPointF(cx + s * 3.5, 29.5), QPointF(cx + s * 13.5, 30.5));
    }
    ellipse(g, cx, 30.0, 2.3, 1.9, c.accent, line(c.dark, 0.6));
    g.setPen(line(c.dark, 0.6));
    g.setBrush(Qt::white);
    g.drawRect(QRectF(cx - 1.6, 32.0, 3.2, 2.2));
    g.drawLine(QPointF(cx, 32.0), QPointF(cx, 34.2));
}

void monkey(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Ears at the sides.
    for (double s : {-1.0, 1.0}) {
        ellipse(g, cx + s * 12.6, 21.0, 4.6, 5.3, c.fur, edge);
        ellipse(g, cx + s * 12.9, 21.2, 2.6, 3.1, c.accent);
    }
    // Head with a tuft.
    QPainterPath head;
    head.addEllipse(QPointF(cx, 20.5), 12.5, 13.5);
    QPainterPath tuft;
    tuft.moveTo(cx - 4.0, 8.0);
    tuft.quadTo(cx - 1.0, 2.5, cx + 1.5, 7.5);
    tuft.quadTo(cx + 3.5, 3.5, cx + 5.5, 8.5);
    tuft.closeSubpath();
    head = head.united(tuft);
    path(g, head, c.fur, edge);
    // Pale heart-shaped face.
    QPainterPath face;
    face.addEllipse(QPointF(cx - 3.8, 19.5), 4.9, 4.7);
    face.addEllipse(QPointF(cx + 3.8, 19.5), 4.9, 4.7);
    face.addEllipse(QPointF(cx, 26.5), 7.2, 6.0);
    face.setFillRule(Qt::WindingFill);
    face = face.simplified();
    path(g, face, c.accent);
    eyes(g, 19.5, 4.0, 1.9, c.dark);
    // Nostrils and a wide-open shrieking mouth ("きー") with bared teeth.
    ellipse(g, cx - 1.2, 23.6, 0.7, 0.6, c.dark);
    ellipse(g, cx + 1.2, 23.6, 0.7, 0.6, c.dark);
    QPainterPath mouth;
    mouth.addEllipse(QPointF(cx, 28.6), 4.2, 3.4);
    path(g, mouth, c.dark);
    QPainterPath teeth;
    teeth.addEllipse(QPointF(cx, 28.6), 4.2, 3.4);
    g.save();
    g.setClipPath(teeth);
    g.fillRect(QRectF(cx - 4.5, 25.0, 9.0, 2.3), Qt::white);
    g.fillRect(QRectF(cx - 2.0, 30.2, 4.0, 2.0), QColor(0xd8, 0x50, 0x50));
    g.restore();
}

void elephant(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Wide flapping ears.
    for (double s : {-1.0, 1.0}) {
        QPainterPath ear;
        ear.moveTo(cx + s * 6.0, 9.0);
        ear.cubicTo(cx + s * 18.5, 5.5, cx + s * 18.5, 24.0, cx + s * 14.5, 30.0);
        ear.cubicTo(cx + s * 11.0, 32.0, cx + s * 7.0, 27.0, cx + s * 6.0, 24.0);
        ear.closeSubpath();
        path(g, ear, c.fur, edge);
        QPainterPath inner;
        inner.moveTo(cx + s * 8.0, 11.5);
        inner.cubicTo(cx + s * 16.0, 9.5, cx + s * 16.0, 22.5, cx + s * 13.5, 27.0);
        inner.cubicTo(cx + s * 11.0, 27.5, cx + s * 9.0, 24.0, cx + s * 8.0, 22.0);
        inner.closeSubpath();
        path(g, inner, c.accent);
    }
    // Head and trunk in one outline.
    QPainterPath head;
    head.addEllipse(QPointF(cx, 17.5), 9.5, 10.0);
    QPainterPath trunk;
    trunk.moveTo(cx - 4.0, 22.0);
    trunk.cubicTo(cx - 4.0, 28.0, cx - 3.0, 33.0, cx + 1.0, 35.5);
    trunk.cubicTo(cx + 4.0, 36.5, cx + 6.5, 34.0, cx + 6.0, 32.0);
    trunk.cubicTo(cx + 3.5, 33.0, cx + 2.0, 29.0, cx + 3.5, 22.0);
    trunk.closeSubpath();
    head = head.united(trunk);
    path(g, head, c.fur, edge);
    // Wrinkles on the trunk, eyes, small tusks.
    g.setPen(line(c.dark, 0.6));
    g.drawLine(QPointF(cx - 3.0, 27.0), QPointF(cx + 2.5, 27.0));
    g.drawLine(QPointF(cx - 2.5, 30.0), QPointF(cx + 2.3, 30.0));
    eyes(g, 16.0, 4.5, 1.7, c.dark);
    for (double s : {-1.0, 1.0}) {
        QPainterPath tusk;
        tusk.moveTo(cx + s * 5.0, 23.0);
        tusk.quadTo(cx + s * 6.5, 27.0, cx + s * 9.0, 27.5);
        tusk.quadTo(cx + s * 7.5, 25.0, cx + s * 7.2, 22.2);
        tusk.closeSubpath();
        path(g, tusk, QColor(0xff, 0xfb, 0xee), line(c.dark, 0.6));
    }
}

void penguin(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Dome-shaped head with a little crest.
    QPainterPath head;
    head.moveTo(cx, 4.5);
    head.cubicTo(cx + 11.0, 4.5, cx + 15.5, 14.0, cx + 15.5, 23.0);
    head.cubicTo(cx + 15.5, 31.0, cx + 9.0, 35.5, cx, 35.5);
    head.cubicTo(cx - 9.0, 35.5, cx - 15.5, 31.0, cx - 15.5, 23.0);
    head.cubicTo(cx - 15.5, 14.0, cx - 11.0, 4.5, cx, 4.5);
    path(g, head, c.fur, edge);
    // White mask.
    QPainterPath mask;
    mask.addEllipse(QPointF(cx - 5.0, 20.0), 5.2, 5.5);
    mask.addEllipse(QPointF(cx + 5.0, 20.0), 5.2, 5.5);
    mask.addEllipse(QPointF(cx, 27.0), 7.0, 5.5);
    mask.setFillRule(Qt::WindingFill);
    mask = mask.simplified();
    path(g, mask, c.accent);
    eyes(g, 20.0, 4.6, 1.9, c.dark);
    // Frosty blue cheeks.
    ellipse(g, cx - 8.0, 26.0, 2.0, 1.3, QColor(0x9f, 0xd8, 0xff));
    ellipse(g, cx + 8.0, 26.0, 2.0, 1.3, QColor(0x9f, 0xd8, 0xff));
    // Orange beak.
    QPainterPath beak;
    beak.moveTo(cx - 3.2, 24.0);
    beak.lineTo(cx + 3.2, 24.0);
    beak.lineTo(cx, 28.8);
    beak.closeSubpath();
    path(g, beak, QColor(0xff, 0x9a, 0x1a), line(QColor(0x8a, 0x40, 0x00), 0.6));
    // A snowflake glint on the crown.
    g.setPen(line(QColor(0xc8, 0xec, 0xff), 0.8));
    const QPointF f(cx + 7.0, 10.5);
    for (int i = 0; i < 3; ++i) {
        const double a = i * M_PI / 3.0;
        g.drawLine(f + QPointF(2.4 * std::cos(a), 2.4 * std::sin(a)),
                   f - QPointF(2.4 * std::cos(a), 2.4 * std::sin(a)));
    }
}

void owl(QPainter& g, const AnimalColours& c)
{
    const QPen edge = line(c.dark, 1.0);
    // Head with two ear tufts.
    QPainterPath head;
    head.moveTo(cx, 10.0);
    head.lineTo(cx + 8.0, 9.5);
    head.lineTo(cx + 14.0, 3.5);
    head.cubicTo(cx + 15.5, 10.0, cx + 16.0, 16.0, cx + 15.5, 22.0);
    head.cubicTo(cx + 15.0, 31.5, cx + 8.0, 35.5, cx, 35.5);
    head.cubicTo(cx - 8.0, 35.5, cx - 15.0, 31.5, cx - 15.5, 22.0);
    head.cubicTo(cx - 16.0, 16.0, cx - 15.5, 10.0, cx - 14.0, 3.5);
    head.lineTo(cx - 8.0, 9.5);
    head.closeSubpath();
    path(g, head, c.fur, edge);
    // Chest feathers.
    g.setBrush(Qt::NoBrush);
    g.setPen(line(c.dark, 0.8));
    for (double x : {cx - 5.0, cx, cx + 5.0}) {
        QPainterPath v;
        v.moveTo(x - 1.8, 29.5);
        v.lineTo(x, 31.3);
        v.lineTo(x + 1.8, 29.5);
        g.drawPath(v);
    }
    // Big yellow eye discs with round staring pupils.
    for (double s : {-1.0, 1.0}) {
        ellipse(g, cx + s * 6.3, 18.5, 6.0, 6.0, c.accent, line(c.dark, 1.0));
        ellipse(g, cx + s * 6.3, 18.5, 3.0, 3.0, c.dark);
        ellipse(g, cx + s * 6.3 - 1.0, 17.4, 1.0, 1.0, Qt::white);
    }
    QPainterPath beak;
    beak.moveTo(cx - 2.2, 22.5);
    beak.lineTo(cx + 2.2, 22.5);
    beak.lineTo(cx, 27.0);
    beak.closeSubpath();
    path(g, beak, QColor(0xff, 0x9a, 0x1a), line(c.dark, 0.6));
}

} // namespace

bool knownAnimal(const QString& kind)
{
    static const QStringList kinds{"sloth", "tiger", "dinosaur", "mouse", "monkey", "elephant", "penguin", "owl"};
    return kinds.contains(kind);
}

void animal(QPainter& g, const QString& kind, const AnimalColours& c)
{
    g.save();
    // One animal a line, read as a table.
    // clang-format off
    if (kind == "sloth") sloth(g, c);
    else if (kind == "tiger") tiger(g, c);
    else if (kind == "dinosaur") dinosaur(g, c);
    else if (kind == "mouse") mouse(g, c);
    else if (kind == "monkey") monkey(g, c);
    else if (kind == "elephant") elephant(g, c);
    else if (kind == "penguin") penguin(g, c);
    else if (kind == "owl") owl(g, c);
    // clang-format on
    g.restore();
}

} // namespace art::shapes
