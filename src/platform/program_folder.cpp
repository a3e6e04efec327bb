#include "platform/program_folder.h"

#include <QCoreApplication>

namespace platform {

std::filesystem::path programFolder()
{
    if (!QCoreApplication::instance())
        return {};
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace platform
