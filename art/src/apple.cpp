// The apple of the stock marks, drawn in a 21 x 21 box scaled to `box`.
#include "shapes.h"

#include <QPainterPath>

namespace art::shapes {

void apple(QPainter& g, const QRectF& b, const QColor& fruit, const QColor& shade, const QColor& leaf,
           const QColor& stem)
{
    g.save();
    g.translate(b.topLeft());
    g.scale(b.width() / 21.0, b.height() / 21.0);
    QPainterPath body;
    body.moveTo(10.5, 6.0);
    body.cubicTo(13.0, 3.8, 20.5, 4.0, 20.0, 11.5);
    body.cubicTo(19.5, 17.5, 15.0, 21.0, 12.5, 20.0);
    body.cubicTo(11.5, 19.6, 9.5, 19.6, 8.5, 20.0);
    body.cubicTo(6.0, 21.0, 1.5, 17.5, 1.0, 11.5);
    body.cubicTo(0.5, 4.0, 8.0, 3.8, 10.5, 6.0);
    body.closeSubpath();
    g.setPen(QPen(shade, 0.9));
    g.setBrush(fruit);
    g.drawPath(body);
    // Shade on the right, highlight on the left.
    QPainterPath dark;
    dark.moveTo(15.5, 6.5);
    dark.cubicTo(20.0, 8.0, 20.0, 16.5, 13.5, 19.2);
    dark.cubicTo(16.5, 15.0, 17.0, 10.0, 15.5, 6.5);
    g.setPen(Qt::NoPen);
    g.setBrush(shade);
    g.drawPath(dark);
    g.setBrush(QColor(255, 255, 255, 220));
    g.drawEllipse(QPointF(5.5, 10.0), 1.6, 2.6);
    // Stem and leaf.
    g.setPen(QPen(stem, 1.4, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(10.5, 6.5), QPointF(11.5, 1.0));
    QPainterPath l;
    l.moveTo(12.0, 3.5);
    l.quadTo(15.0, -0.5, 19.0, 1.5);
    l.quadTo(16.0, 5.0, 12.0, 3.5);
    g.setPen(QPen(leaf.darker(150), 0.6));
    g.setBrush(leaf);
    g.drawPath(l);
    g.restore();
}

} // namespace art::shapes
