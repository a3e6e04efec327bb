#include "tests/test_main.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include <sys/stat.h>

namespace {

platform::Application* application = nullptr;

// The scratch folder that holds the current test's HOME, XDG folders and
// runtime folder.
std::filesystem::path privateRoot;

void removePrivateFolders()
{
    if (privateRoot.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(privateRoot, ignored);
    privateRoot.clear();
}

// Points HOME, the XDG folders and the runtime folder at new, empty folders,
// so that nothing the test does or starts reads or writes the player's
// settings, data, caches or locks, nor what an earlier test left.
void enterPrivateFolders()
{
    removePrivateFolders();
    std::string pattern = (std::filesystem::temp_directory_path() / "tamaro-test.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("tamaro tests: no scratch folder");
        std::abort();
    }
    privateRoot = pattern;
    const std::string home = pattern + "/home";
    const std::pair<const char*, std::string> folders[] = {{"HOME", home},
                                                           {"XDG_CONFIG_HOME", home + "/.config"},
                                                           {"XDG_DATA_HOME", home + "/.local/share"},
                                                           {"XDG_STATE_HOME", home + "/.local/state"},
                                                           {"XDG_CACHE_HOME", home + "/.cache"}};
    for (const auto& [variable, path] : folders) {
        std::filesystem::create_directories(path);
        setenv(variable, path.c_str(), 1);
    }
    const std::string runtime = pattern + "/runtime";
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

class FreshFoldersForEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { enterPrivateFolders(); }
};

} // namespace

platform::Application& testApplication()
{
    return *application;
}

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("TAMARO_SOURCE_DIR", TAMARO_SOURCE_DIR, 0);
    setenv("TAMARO_BINARY_DIR", TAMARO_BINARY_DIR, 0);
    // A death test's child runs this program again inside its parent's test,
    // and works in the folders it inherits.
    bool deathTestChild = false;
    for (int i = 1; i < argc; ++i)
        deathTestChild |= std::string_view(argv[i]).starts_with("--gtest_internal_run_death_test");
    if (!deathTestChild)
        enterPrivateFolders();
    ::testing::InitGoogleTest(&argc, argv);
    if (!deathTestChild)
        ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFoldersForEachTest);
    int result = 0;
    {
        platform::Application app(argc, argv);
        application = &app;
        result = RUN_ALL_TESTS();
        application = nullptr;
    }
    removePrivateFolders();
    return result;
}
