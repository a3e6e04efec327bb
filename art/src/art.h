// The artwork generator of タマロ: shared declarations.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QRect>
#include <QString>

#include <stdexcept>
#include <vector>

namespace art {

// Every failure of the generator: the message names the source file.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const QString& message);

// The parameters in art/art.json, with checked access: a missing key or a
// value of the wrong kind fails with the file's name and the key's path.
class Params {
public:
    explicit Params(const QString& artDir);

    QString artDir;
    QString file; // path of art.json as shown in messages
    QJsonObject root;

    QJsonObject object(const QJsonObject& in, const QString& key, const QString& where) const;
    QJsonArray array(const QJsonObject& in, const QString& key, const QString& where) const;
    QString text(const QJsonObject& in, const QString& key, const QString& where) const;
    int integer(const QJsonObject& in, const QString& key, const QString& where) const;
    QColor colour(const QJsonObject& in, const QString& key, const QString& where) const;
    QRect rect(const QJsonObject& in, const QString& where) const; // x0..x1, y0..y1 inclusive

    // Shorthands on the top-level objects.
    QColor colour(const QString& group, const QString& key) const;
    QString font(const QString& kind) const; // "mincho" or "gothic"
};

// One rendered file.
struct Picture {
    QString path; // relative to the repository, e.g. resources/pictures/id_bitmap1.png
    QImage image;
    std::vector<QRect> textAreas; // where text is drawn: only font rasterisation may differ there
};

Picture drawSpriteSheet(const Params& params);
Picture drawBackground(const Params& params);
Picture drawTitlePicture(const Params& params);
Picture drawLogoFrames(const Params& params);
std::vector<Picture> drawIcons(const Params& params, QByteArray& svgSource);

// The game window as the pictures will look together (contact sheet only).
QImage drawMockup(const QImage& sheet, const QImage& background);

// A font of the named family; fails when it is not installed.
QFont makeFont(const QString& family, double pixelSize, int weight = 400);

} // namespace art
