#pragma once

#include <filesystem>
#include <vector>

namespace platform {

// The folder that holds the running program; empty when it cannot be told.
std::filesystem::path programFolder();

// Where the game's data files are looked for, in order: the working
// directory, the program's folder, and the data folder of an installed
// program (<prefix>/share/tamaro beside <prefix>/bin).
std::vector<std::filesystem::path> dataFolders();

} // namespace platform
