#include "tests/test_main.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
    ::testing::InitGoogleTest(&argc, argv);
    platform::Application app(argc, argv);
    application = &app;
    return RUN_ALL_TESTS();
}
