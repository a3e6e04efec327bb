// The logo frames ID_BITMAP4: 20 frames of 35 x 25 side by side (701 x 25, the
// last column unused). The two-letter logo turns half a turn about its
// vertical axis: frame 0 faces the viewer, frames 9 and 10 are edge-on and
// frame 19 shows its back, so playing 0 -> 19 -> 0 reads as a smooth turn.
#include "art.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace art {

Picture drawLogoFrames(const Params& p)
{
    Picture pic{"resources/pictures/id_bitmap4.png", QImage(701, 25, QImage::Format_RGB32), {}};
    pic.image.fill(Qt::black);
    const QString text = p.text(p.object(p.root, "logo", "the top level"), "text", "\"logo\"");
    if (text.size() != 2)
        fail(p.file + ": \"logo\".\"text\" must be two letters");
    const QColor face = p.colour("logo", "face"), back = p.colour("logo", "back"), edge = p.colour("logo", "edge");

    // The logo as a flat plate of letters, centred on the origin.
    const QFont font = makeFont(p.font("gothic"), 17, 700);
    QPainterPath letters;
    letters.addText(0, 0, font, text);
    QRectF b = letters.boundingRect();
    const double plateW = 30.0, plateH = 19.0;
    QTransform fit;
    fit.scale(plateW / b.width(), plateH / b.height());
    fit.translate(-b.center().x(), -b.center().y());
    letters = fit.map(letters);
    b = letters.boundingRect();

    const double eye = 70.0; // viewing distance, for a little perspective
    for (int i = 0; i < 20; ++i) {
        const double theta = M_PI * i / 19.0;
        const double c = std::cos(theta), s = std::sin(theta);
        const QPointF centre(35 * i + 17.5, 12.5);
        auto project = [&](double x, double y) {
            const double z = x * s; // positive: towards the viewer
            const double k = eye / (eye - z);
            return centre + QPointF(x * c * k, y * k);
        };
        QPainter g(&pic.image);
        g.setClipRect(35 * i, 0, 35, 25);
        g.setRenderHint(QPainter::Antialiasing, true);
        if (std::abs(c) < 0.12) {
            // Edge-on: only the letters' thickness shows, a thin red bar.
            const QPointF top = project(0, b.top()), bottom = project(0, b.bottom());
            g.setPen(QPen(edge, 1.6, Qt::SolidLine, Qt::FlatCap));
            g.drawLine(top, bottom);
            continue;
        }
        QPolygonF plate;
        plate << QPointF(b.left(), b.top()) << QPointF(b.right(), b.top()) << QPointF(b.right(), b.bottom())
              << QPointF(b.left(), b.bottom());
        QPolygonF projected;
        projected << project(b.left(), b.top()) << project(b.right(), b.top()) << project(b.right(), b.bottom())
                  << project(b.left(), b.bottom());
        QTransform t;
        if (!QTransform::quadToQuad(plate, projected, t))
            fail("logo frame " + QString::number(i) + ": cannot project the plate");
        const QPainterPath shown = t.map(letters);
        // A sliver of the letters' thickness, on the side turned away.
        const double side = s * (c > 0 ? 1 : -1);
        g.setPen(Qt::NoPen);
        g.setBrush(edge.darker(130));
        g.drawPath(shown.translated(side * 0.9, 0));
        // Face lit from the front: brighter when facing the viewer.
        const QColor base = c > 0 ? face : back;
        const double light = 0.55 + 0.45 * std::abs(c);
        g.setBrush(
            QColor::fromRgbF(base.redF() * light + (1 - light) * 0.1, base.greenF() * light, base.blueF() * light));
        g.drawPath(shown);
    }
    pic.textAreas.push_back(QRect(0, 0, 701, 25));
    return pic;
}

} // namespace art
