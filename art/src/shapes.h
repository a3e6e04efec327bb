// Drawing code of the characters, the vehicles and the apple. Each draws in
// the coordinates of its 39 x 39 cell (or the rectangle it is given).
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

namespace art::shapes {

struct AnimalColours {
    QColor fur, accent, dark;
};

struct VehicleColours {
    QColor body, bodyShade, metal, glass, outline;
};

bool knownAnimal(const QString& kind);
void animal(QPainter& g, const QString& kind, const AnimalColours& c);

bool knownVehicle(const QString& kind);
void vehicle(QPainter& g, const QString& kind, const VehicleColours& c);

void apple(QPainter& g, const QRectF& box, const QColor& fruit, const QColor& shade, const QColor& leaf,
           const QColor& stem);

} // namespace art::shapes
