#include "platform/program_folder.h"

#include <QCoreApplication>

namespace platform {

std::filesystem::path programFolder()
{
    if (!QCoreApplication::instance())
        return {};
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

std::vector<std::filesystem::path> dataFolders()
{
    std::vector<std::filesystem::path> folders{"."};
    const std::filesystem::path program = programFolder();
    if (!program.empty()) {
        folders.push_back(program);
        folders.push_back(program.parent_path() / "share" / "tamaro");
    }
    return folders;
}

} // namespace platform
