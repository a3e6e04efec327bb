#pragma once

// What both data file fuzz targets share: the application, a folder of their
// own, and the file under test written and read back.
#include "platform/application.h"
#include "ranking/data_file.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\n";
}

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void writeFile(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::open(dataFileName, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd >= 0, "the fuzz folder takes the file");
    check(size == 0 || ::write(fd, data, size) == static_cast<ssize_t>(size), "the input reaches the file");
    ::close(fd);
}

std::vector<std::uint8_t> readFile()
{
    std::vector<std::uint8_t> bytes;
    if (FILE* f = std::fopen(dataFileName, "rb")) {
        std::array<std::uint8_t, 4096> buffer{};
        std::size_t got = 0;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0)
            bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
        std::fclose(f);
    }
    return bytes;
}

platform::Application* startFuzzing(int& argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto* application = new platform::Application(argc, argv);
    char folder[] = "/dev/shm/tamaro-fuzz-XXXXXX";
    check(::mkdtemp(folder) != nullptr && ::chdir(folder) == 0, "a folder of our own");
    return application;
}

} // namespace
