#include "platform/settings_file.h"

#include "platform/zoom_range.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr qint64 largestFile = 4096;

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tamaro/settings");
}

} // namespace

int loadZoomSetting()
{
    QFile file(settingsPath());
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray text = file.read(largestFile);
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray value = line.trimmed();
        if (!value.startsWith("zoom="))
            continue;
        bool ok = false;
        const int zoom = value.mid(5).toInt(&ok);
        return ok && zoom >= 1 && zoom <= largestZoom ? zoom : 1;
    }
    return 1;
}

bool saveZoomSetting(int zoom)
{
    const QString path = settingsPath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("zoom=" + QByteArray::number(zoom) + "\n");
    return file.commit();
}

} // namespace platform
