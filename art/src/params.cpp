#include "art.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>

namespace art {

void fail(const QString& message)
{
    throw Error(message.toStdString());
}

Params::Params(const QString& dir) : artDir(dir), file(dir + "/art.json")
{
    QFile f(file);
    if (!f.exists())
        fail(file + ": missing (the parameters of the artwork)");
    if (!f.open(QIODevice::ReadOnly))
        fail(file + ": cannot be read: " + f.errorString());
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        fail(file + ": malformed JSON at offset " + QString::number(error.offset) + ": " + error.errorString());
    if (!doc.isObject())
        fail(file + ": malformed: the top level must be an object");
    root = doc.object();
}

static QJsonValue need(const Params& p, const QJsonObject& in, const QString& key, const QString& where)
{
    if (!in.contains(key))
        fail(p.file + ": missing key \"" + key + "\" in " + where);
    return in.value(key);
}

QJsonObject Params::object(const QJsonObject& in, const QString& key, const QString& where) const
{
    const QJsonValue v = need(*this, in, key, where);
    if (!v.isObject())
        fail(file + ": \"" + key + "\" in " + where + " must be an object");
    return v.toObject();
}

QJsonArray Params::array(const QJsonObject& in, const QString& key, const QString& where) const
{
    const QJsonValue v = need(*this, in, key, where);
    if (!v.isArray())
        fail(file + ": \"" + key + "\" in " + where + " must be an array");
    return v.toArray();
}

QString Params::text(const QJsonObject& in, const QString& key, const QString& where) const
{
    const QJsonValue v = need(*this, in, key, where);
    if (!v.isString() || v.toString().isEmpty())
        fail(file + ": \"" + key + "\" in " + where + " must be a non-empty string");
    return v.toString();
}

int Params::integer(const QJsonObject& in, const QString& key, const QString& where) const
{
    const QJsonValue v = need(*this, in, key, where);
    if (!v.isDouble() || v.toDouble() != static_cast<int>(v.toDouble()))
        fail(file + ": \"" + key + "\" in " + where + " must be a whole number");
    return v.toInt();
}

QColor Params::colour(const QJsonObject& in, const QString& key, const QString& where) const
{
    const QString s = text(in, key, where);
    static const QRegularExpression pattern("^#[0-9a-fA-F]{6}$");
    if (!pattern.match(s).hasMatch())
        fail(file + ": \"" + key + "\" in " + where + " must be a colour #rrggbb, not \"" + s + "\"");
    return QColor(s);
}

QRect Params::rect(const QJsonObject& in, const QString& where) const
{
    const int x0 = integer(in, "x0", where), y0 = integer(in, "y0", where);
    const int x1 = integer(in, "x1", where), y1 = integer(in, "y1", where);
    if (x1 < x0 || y1 < y0)
        fail(file + ": " + where + ": x1/y1 must not be less than x0/y0");
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QColor Params::colour(const QString& group, const QString& key) const
{
    return colour(object(root, group, "the top level"), key, "\"" + group + "\"");
}

QString Params::font(const QString& kind) const
{
    return text(object(root, "fonts", "the top level"), kind, "\"fonts\"");
}

} // namespace art
