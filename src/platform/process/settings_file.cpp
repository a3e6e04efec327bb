#include "platform/settings_file.h"

#include "platform/own_file.h"
#include "platform/zoom_range.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::size_t largestFile = 4096;

std::string settingsPath()
{
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                             + QStringLiteral("/tamaro/settings"))
        .toStdString();
}

} // namespace

int loadZoomSetting()
{
    // A link laid by someone else is not read, and a FIFO is never waited on.
    const std::optional<std::string> name = followTrustedLink(settingsPath());
    if (!name)
        return 1;
    const PlainFile file(*name, Access::read, Links::refuse);
    const std::optional<std::vector<std::uint8_t>> bytes = readUpTo(file, largestFile);
    if (!bytes)
        return 1;
    const QByteArray text(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
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
    const std::string path = settingsPath();
    if (!QDir().mkpath(QFileInfo(QFile::decodeName(path.c_str())).path()))
        return false;
    // The file is replaced by a new one under the same name, or under the
    // target of a link of the player's own; anything else there is left alone.
    const std::optional<std::string> name = followTrustedLink(path);
    struct stat entry {};
    if (!name || (::lstat(name->c_str(), &entry) == 0 && !S_ISREG(entry.st_mode)))
        return false;
    QSaveFile file(QFile::decodeName(name->c_str()));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("zoom=" + QByteArray::number(zoom) + "\n");
    return file.commit();
}

} // namespace platform
