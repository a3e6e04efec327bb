// The four blocks of a risen row: construction vehicles in side view, all in
// the same yellow livery on the blue tile, so they read as one family.
//   9 bulldozer, 10 dump truck, 11 excavator, 12 road roller
#include "shapes.h"

#include <QPainterPath>

namespace art::shapes {

namespace {

QPen line(const QColor& c, double w = 1.0)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void box(QPainter& g, const QRectF& r, const QColor& fill, const QColor& edge, double radius = 1.0)
{
    g.setPen(line(edge, 1.0));
    g.setBrush(fill);
    g.drawRoundedRect(r, radius, radius);
}

void wheel(QPainter& g, QPointF at, double r, const VehicleColours& c)
{
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.metal);
    g.drawEllipse(at, r, r);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xb8, 0xbe, 0xc8));
    g.drawEllipse(at, r * 0.42, r * 0.42);
}

void tracks(QPainter& g, const QRectF& r, const VehicleColours& c)
{
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.metal);
    g.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    const double y = r.center().y();
    const double rr = r.height() / 2 - 1.6;
    for (double x = r.left() + r.height() / 2; x <= r.right() - r.height() / 2 + 0.01;
         x += (r.width() - r.height()) / 3.0) {
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(0x8a, 0x92, 0x9e));
        g.drawEllipse(QPointF(x, y), rr, rr);
    }
}

void window(QPainter& g, const QRectF& r, const VehicleColours& c)
{
    g.setPen(line(c.outline, 0.8));
    g.setBrush(c.glass);
    g.drawRect(r);
    g.setPen(line(Qt::white, 0.8));
    g.drawLine(QPointF(r.left() + 1.2, r.bottom() - 1.2), QPointF(r.left() + r.width() * 0.5, r.top() + 1.2));
}

void bulldozer(QPainter& g, const VehicleColours& c)
{
    tracks(g, QRectF(4.0, 27.0, 24.0, 8.0), c);
    box(g, QRectF(5.5, 18.0, 21.0, 9.0), c.body, c.outline);
    g.fillRect(QRectF(6.5, 24.0, 19.5, 2.5), c.bodyShade);
    box(g, QRectF(8.0, 8.0, 11.0, 10.5), c.body, c.outline);
    window(g, QRectF(10.0, 10.0, 7.0, 6.0), c);
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.metal);
    g.drawRect(QRectF(22.0, 11.0, 2.0, 7.0)); // exhaust
    // Push arm and the curved blade.
    g.setPen(line(c.outline, 1.6));
    g.drawLine(QPointF(26.0, 24.0), QPointF(31.0, 26.0));
    QPainterPath blade;
    blade.moveTo(30.0, 14.0);
    blade.lineTo(34.5, 14.0);
    blade.quadTo(32.0, 24.0, 36.0, 35.0);
    blade.lineTo(30.0, 35.0);
    blade.closeSubpath();
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.bodyShade);
    g.drawPath(blade);
}

void dumpTruck(QPainter& g, const VehicleColours& c)
{
    // Tipping body, raised a little at the front.
    QPainterPath bed;
    bed.moveTo(3.0, 11.0);
    bed.lineTo(24.0, 14.0);
    bed.lineTo(23.0, 25.0);
    bed.lineTo(6.0, 25.0);
    bed.closeSubpath();
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.body);
    g.drawPath(bed);
    g.setPen(line(c.bodyShade, 1.0));
    g.drawLine(QPointF(8.0, 15.5), QPointF(8.5, 23.5));
    g.drawLine(QPointF(13.0, 16.2), QPointF(13.3, 23.5));
    g.drawLine(QPointF(18.0, 17.0), QPointF(18.0, 23.5));
    // Load of earth.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x8a, 0x5a, 0x2e));
    QPainterPath load;
    load.moveTo(4.0, 11.2);
    load.quadTo(12.0, 5.5, 23.0, 13.9);
    load.closeSubpath();
    g.drawPath(load);
    // Cab.
    QPainterPath cab;
    cab.moveTo(25.0, 27.0);
    cab.lineTo(25.0, 13.0);
    cab.lineTo(31.0, 13.0);
    cab.lineTo(35.5, 20.0);
    cab.lineTo(35.5, 27.0);
    cab.closeSubpath();
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.body);
    g.drawPath(cab);
    QPainterPath glass;
    glass.moveTo(27.0, 15.0);
    glass.lineTo(30.5, 15.0);
    glass.lineTo(33.5, 19.5);
    glass.lineTo(27.0, 19.5);
    glass.closeSubpath();
    g.setPen(line(c.outline, 0.8));
    g.setBrush(c.glass);
    g.drawPath(glass);
    // Chassis and wheels.
    box(g, QRectF(4.0, 25.0, 32.0, 3.5), c.metal, c.outline, 0.5);
    wheel(g, QPointF(10.0, 31.0), 4.3, c);
    wheel(g, QPointF(29.0, 31.0), 4.3, c);
}

void excavator(QPainter& g, const VehicleColours& c)
{
    tracks(g, QRectF(3.0, 28.0, 22.0, 7.5), c);
    box(g, QRectF(3.5, 20.0, 21.0, 8.0), c.body, c.outline);
    g.fillRect(QRectF(4.5, 25.0, 19.5, 2.5), c.bodyShade);
    box(g, QRectF(12.0, 10.0, 9.0, 10.5), c.body, c.outline);
    window(g, QRectF(14.0, 12.0, 5.5, 6.5), c);
    // Boom and stick, then the bucket with teeth.
    QPainterPath arm;
    arm.moveTo(20.0, 21.0);
    arm.lineTo(28.0, 6.0);
    arm.lineTo(34.0, 17.0);
    g.setBrush(Qt::NoBrush);
    g.setPen(line(c.outline, 4.2));
    g.drawPath(arm);
    g.setPen(line(c.body, 2.4));
    g.drawPath(arm);
    QPainterPath bucket;
    bucket.moveTo(31.0, 16.0);
    bucket.lineTo(36.5, 16.5);
    bucket.lineTo(35.5, 23.5);
    bucket.lineTo(33.5, 25.0);
    bucket.lineTo(32.5, 23.0);
    bucket.lineTo(30.5, 22.0);
    bucket.closeSubpath();
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.metal);
    g.drawPath(bucket);
}

void roadRoller(QPainter& g, const VehicleColours& c)
{
    // Frame over the drum, then the body, cab and roof.
    box(g, QRectF(5.0, 18.0, 20.0, 10.0), c.body, c.outline);
    g.fillRect(QRectF(6.0, 25.0, 18.5, 2.5), c.bodyShade);
    box(g, QRectF(23.0, 17.0, 11.0, 5.0), c.body, c.outline);
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.metal);
    g.drawRect(QRectF(8.0, 7.0, 1.6, 11.0));
    g.drawRect(QRectF(18.0, 7.0, 1.6, 11.0));
    box(g, QRectF(6.0, 5.0, 16.0, 3.0), c.body, c.outline, 0.5);
    window(g, QRectF(10.5, 10.0, 6.5, 6.0), c);
    // Big front drum and small rear wheel.
    g.setPen(line(c.outline, 1.0));
    g.setBrush(c.metal);
    g.drawRoundedRect(QRectF(21.0, 22.0, 15.0, 13.5), 6.5, 6.5);
    g.setPen(line(QColor(0x8a, 0x92, 0x9e), 1.0));
    g.drawLine(QPointF(24.0, 25.5), QPointF(33.0, 25.5));
    g.drawLine(QPointF(24.0, 31.5), QPointF(33.0, 31.5));
    wheel(g, QPointF(10.5, 30.5), 5.0, c);
}

} // namespace

bool knownVehicle(const QString& kind)
{
    static const QStringList kinds{"bulldozer", "dump_truck", "excavator", "road_roller"};
    return kinds.contains(kind);
}

void vehicle(QPainter& g, const QString& kind, const VehicleColours& c)
{
    g.save();
    if (kind == "bulldozer")
        bulldozer(g, c);
    else if (kind == "dump_truck")
        dumpTruck(g, c);
    else if (kind == "excavator")
        excavator(g, c);
    else if (kind == "road_roller")
        roadRoller(g, c);
    g.restore();
}

} // namespace art::shapes
