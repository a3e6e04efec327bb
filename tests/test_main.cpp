#include "tests/test_main.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {
platform::Application* application = nullptr;
}

platform::Application& testApplication()
{
    return *application;
}

// Leaks that the font and display libraries keep until exit are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\n";
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("TAMARO_SOURCE_DIR", TAMARO_SOURCE_DIR, 0);
    setenv("TAMARO_BINARY_DIR", TAMARO_BINARY_DIR, 0);
    // A runtime folder of the tests' own keeps their locks apart from a game being played.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/tamaro-test-runtime-" + std::to_string(getuid());
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv);
    application = &app;
    return RUN_ALL_TESTS();
}
