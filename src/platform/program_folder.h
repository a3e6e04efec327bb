#pragma once

#include <filesystem>

namespace platform {

// The folder that holds the running program; empty when it cannot be told.
std::filesystem::path programFolder();

} // namespace platform
