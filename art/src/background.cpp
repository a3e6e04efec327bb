// The background ID_BITMAP2 (640 x 480) and the title picture ID_BITMAP3 (60 x 80).
#include "art.h"
#include "shapes.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {

QFont makeFont(const QString& family, double pixelSize, int weight)
{
    QFont f(family);
    f.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setKerning(false);
    if (QFontInfo(f).family() != family)
        fail("font \"" + family + "\" (named in art/art.json) is not installed; install fonts-ipafont");
    return f;
}

namespace {

// Text as a path, its baseline starting at `baseline`.
QPainterPath textPath(const QFont& font, const QString& text, QPointF baseline)
{
    QPainterPath p;
    p.addText(baseline, font, text);
    return p;
}

// Text filled over a round-jointed outline; returns the area painted.
QRect paintOutlinedText(QPainter& g, const QPainterPath& p, const QColor& fill, const QColor& outline, double width)
{
    g.save();
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    g.drawPath(p);
    g.setPen(Qt::NoPen);
    g.setBrush(fill);
    g.drawPath(p);
    g.restore();
    return p.boundingRect().adjusted(-width - 2, -width - 2, width + 2, width + 2).toAlignedRect();
}

// Deterministic pseudo-random numbers for the scenery.
struct Lcg {
    quint32 s;
    double next()
    {
        s = s * 1103515245u + 12345u;
        return ((s >> 8) & 0xFFFF) / 65535.0;
    }
};

void sky(QPainter& g)
{
    QLinearGradient grad(0, 0, 0, 300);
    grad.setColorAt(0.0, QColor(0x4f, 0x9e, 0xe0));
    grad.setColorAt(0.6, QColor(0x9c, 0xd2, 0xf2));
    grad.setColorAt(1.0, QColor(0xe4, 0xf4, 0xf8));
    g.fillRect(0, 0, 640, 480, grad);
    // Soft clouds, away from the side panel.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 255, 255, 200));
    const QPointF clouds[] = {{520, 26}, {600, 168}, {500, 262}, {30, 395}};
    for (QPointF c : clouds) {
        g.drawEllipse(c, 22, 8);
        g.drawEllipse(c + QPointF(-14, 3), 14, 7);
        g.drawEllipse(c + QPointF(14, 2), 16, 7);
        g.drawEllipse(c + QPointF(2, -5), 12, 7);
    }
}

QPainterPath ridge(double baseY, double amp, double period, double phase, double bottom = 480)
{
    QPainterPath p;
    p.moveTo(0, bottom);
    for (int x = 0; x <= 640; x += 4) {
        const double y =
            baseY - amp * (0.6 * std::sin(x / period + phase) + 0.4 * std::sin(x / (period * 0.47) + phase * 1.7));
        p.lineTo(x, y);
    }
    p.lineTo(640, bottom);
    p.closeSubpath();
    return p;
}

void tree(QPainter& g, double x, double y, double s)
{
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x6b, 0x45, 0x24));
    g.drawRect(QRectF(x - 1.5 * s, y - 6 * s, 3 * s, 8 * s));
    g.setBrush(QColor(0x2f, 0x7d, 0x32));
    g.drawEllipse(QPointF(x, y - 11 * s), 7 * s, 8 * s);
    g.setBrush(QColor(0x4c, 0xa8, 0x45));
    g.drawEllipse(QPointF(x - 2 * s, y - 13 * s), 4 * s, 4.5 * s);
}

void landscape(QPainter& g)
{
    sky(g);
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(Qt::NoPen);
    // Far mountains with snow caps.
    QPainterPath far = ridge(250, 38, 55, 0.8);
    g.setBrush(QColor(0x8a, 0xa6, 0xcf));
    g.drawPath(far);
    g.save();
    g.setClipPath(far);
    g.fillRect(QRectF(0, 180, 640, 36), QColor(0xf2, 0xf6, 0xfc));
    g.restore();
    g.setBrush(QColor(0x6f, 0x92, 0xbe));
    g.drawPath(ridge(285, 22, 40, 2.1));
    // Rolling green hills.
    g.setBrush(QColor(0x7c, 0xc0, 0x5a));
    g.drawPath(ridge(330, 16, 70, 0.3));
    g.setBrush(QColor(0x5d, 0xa8, 0x45));
    g.drawPath(ridge(385, 14, 50, 4.0));
    g.setBrush(QColor(0x47, 0x92, 0x38));
    g.drawPath(ridge(440, 10, 35, 1.2));
    // Trees along the hills (none over the panel's chart or the clip tray).
    const double trees[][3] = {{10, 335, 1.0},  {172, 330, 0.8}, {636, 345, 1.0}, {90, 392, 1.2},  {150, 400, 1.1},
                               {470, 452, 1.3}, {630, 466, 1.4}, {15, 470, 1.5},  {160, 474, 1.3}, {560, 474, 1.2}};
    for (const auto& t : trees)
        tree(g, t[0], t[1], t[2]);
    // Flowers in the front meadow.
    Lcg rnd{20240611u};
    const QColor petals[] = {QColor(0xff, 0xf2, 0x7a), QColor(0xff, 0xb0, 0xd0), QColor(0xff, 0xff, 0xff)};
    for (int i = 0; i < 70; ++i) {
        const double x = rnd.next() * 640, y = 448 + rnd.next() * 32;
        const QColor c = petals[i % 3];
        g.setBrush(c);
        g.drawEllipse(QPointF(x, y), 1.6, 1.6);
    }
}

void box(QPainter& g, const QRect& interior)
{
    // Rounded white outline hugging the interior, then the interior exactly black.
    const QRectF ring = QRectF(interior).adjusted(-0.5, -0.5, 0.5, 0.5);
    g.save();
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(QPen(QColor(0, 0, 0, 90), 3.0));
    g.setBrush(Qt::NoBrush);
    g.drawRoundedRect(ring.adjusted(0.5, 1.5, 1.0, 1.5), 4, 4); // soft drop shadow
    g.setPen(QPen(Qt::white, 1.0));
    g.setBrush(Qt::black);
    g.drawRoundedRect(ring, 3.5, 3.5);
    g.restore();
    g.fillRect(interior, Qt::black);
}

} // namespace

Picture drawBackground(const Params& p)
{
    Picture pic{"resources/pictures/id_bitmap2.png", QImage(640, 480, QImage::Format_RGB32), {}};
    QImage& img = pic.image;
    QPainter g(&img);
    landscape(g);

    // The well's black panel with its thin white frame.
    const QRect well = p.rect(p.object(p.root, "well", "the top level"), "\"well\"");
    g.setRenderHint(QPainter::Antialiasing, true);
    g.setPen(QPen(QColor(0, 0, 0, 90), 3.0));
    g.setBrush(Qt::NoBrush);
    g.drawRoundedRect(QRectF(well).adjusted(0.5, 1.5, 2.0, 2.5), 8, 8); // soft drop shadow
    g.setPen(QPen(Qt::white, 1.0));
    g.setBrush(Qt::black);
    g.drawRoundedRect(QRectF(well).adjusted(-0.5, -0.5, 0.5, 0.5), 6, 6);

    // The title lettering on the panel.
    const QString title = p.text(p.root, "title", "the top level");
    {
        const QFont f = makeFont(p.font("mincho"), 82);
        QPainterPath t = textPath(f, title, QPointF(0, 0));
        const QRectF b = t.boundingRect();
        const QPointF at(well.center().x() + 0.5 - b.center().x(), 190 - b.center().y());
        t.translate(at);
        QLinearGradient grad(0, t.boundingRect().top(), 0, t.boundingRect().bottom());
        grad.setColorAt(0.0, QColor(0xff, 0xf0, 0x8a));
        grad.setColorAt(0.5, QColor(0xff, 0xb0, 0x20));
        grad.setColorAt(1.0, QColor(0xe0, 0x40, 0x10));
        g.save();
        g.setRenderHint(QPainter::Antialiasing, true);
        g.setPen(QPen(QColor(0x5a, 0x08, 0x08), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPath(t.translated(2, 3)); // shadow
        g.setPen(QPen(QColor(0xb0, 0x14, 0x10), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPath(t);
        // The thin Mincho strokes are thickened with a pen of the same gradient.
        g.setPen(QPen(QBrush(grad), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.setBrush(grad);
        g.drawPath(t);
        g.restore();
        pic.textAreas.push_back(t.boundingRect().adjusted(-6, -6, 8, 9).toAlignedRect());
    }

    // The eight characters in two rows under the title.
    {
        const QImage sheet = drawSpriteSheet(p).image;
        for (int code = 1; code <= 8; ++code) {
            const int row = (code - 1) / 4, col = (code - 1) % 4;
            const int x = well.center().x() + 1 - 2 * 44 + 3 + col * 44 - (row == 0 ? 11 : -11);
            g.drawImage(QPoint(x, 268 + row * 46), sheet, QRect(39 * (code - 1), 0, 39, 39));
        }
    }

    // The five labelled boxes of the readouts.
    const QFont labelFont = makeFont(p.font("gothic"), 14);
    const QJsonArray boxes = p.array(p.root, "boxes", "the top level");
    if (boxes.size() != 5)
        fail(p.file + ": \"boxes\" must list the five readout boxes");
    for (int i = 0; i < boxes.size(); ++i) {
        const QString where = "boxes[" + QString::number(i) + "]";
        const QJsonObject o = boxes[i].toObject();
        const QRect r = p.rect(o, where);
        box(g, r);
        const QPainterPath t = textPath(labelFont, p.text(o, "label", where), QPointF(r.left() - 1, r.top() - 6));
        pic.textAreas.push_back(paintOutlinedText(g, t, Qt::white, QColor(0x1c, 0x2c, 0x4a), 3.0));
    }

    // The slash of lit segments between the two time readouts.
    const QRect slash = p.rect(p.object(p.root, "time_slash", "the top level"), "\"time_slash\"");
    const QColor lit = p.colour("display", "lit"), core = p.colour("display", "lit_core");
    const int steps = 8;
    for (int k = 0; k < steps; ++k) {
        const int x = slash.left() + static_cast<int>(std::lround((slash.width() - 2) * k / double(steps - 1)));
        const int y = slash.bottom() - 1 - static_cast<int>(std::lround((slash.height() - 2) * k / double(steps - 1)));
        g.fillRect(x, y, 2, 2, lit);
        g.fillRect(x, y, 1, 1, core);
    }
    return pic;
}

Picture drawTitlePicture(const Params& p)
{
    Picture pic{"resources/pictures/id_bitmap3.png", QImage(60, 80, QImage::Format_RGB32), {}};
    QPainter g(&pic.image);
    g.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient bg(0, 0, 0, 80);
    bg.setColorAt(0.0, QColor(0x8a, 0x10, 0x18));
    bg.setColorAt(1.0, QColor(0x2a, 0x02, 0x06));
    g.fillRect(0, 0, 60, 80, bg);
    g.setPen(QPen(QColor(0xff, 0xd0, 0x60), 1.0));
    g.setBrush(Qt::NoBrush);
    g.drawRoundedRect(QRectF(1.5, 1.5, 57, 77), 4, 4);
    // タマロ stacked vertically, in gold with a dark outline.
    const QString title = p.text(p.root, "title", "the top level");
    const QFont f = makeFont(p.font("mincho"), 22);
    for (int i = 0; i < title.size(); ++i) {
        QPainterPath t;
        t.addText(0, 0, f, title.mid(i, 1));
        const QRectF b = t.boundingRect();
        t.translate(30 - b.center().x(), 15 + 24.5 * i - b.center().y());
        pic.textAreas.push_back(paintOutlinedText(g, t, QColor(0xff, 0xd8, 0x40), QColor(0x30, 0x00, 0x00), 4.0));
        g.setPen(QPen(QColor(0xff, 0xd8, 0x40), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.setBrush(Qt::NoBrush);
        g.drawPath(t);
    }
    return pic;
}

} // namespace art
