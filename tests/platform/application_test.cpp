#include "platform/application.h"

#include "tests/test_main.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using platform::Application;
using platform::SingleInstance;

// Processes events until done holds; the deadline only guards against a hang.
bool processUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        Application::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A key no other test run on this machine uses; the same in a death test's
// child, which inherits the environment.
std::string uniqueKey(const char* name)
{
    const std::string variable = std::string("TAMARO_TEST_KEY_") + name;
    if (const char* inherited = std::getenv(variable.c_str()))
        return inherited;
    const std::string key = std::string("タマロ/../試験 ") + name + " " + std::to_string(getpid());
    setenv(variable.c_str(), key.c_str(), 1);
    return key;
}

// Sets variables for one scope and puts back what was there.
class ScopedEnvironment {
public:
    void set(const char* name, const std::string& value)
    {
        keep(name);
        setenv(name, value.c_str(), 1);
    }
    void unset(const char* name)
    {
        keep(name);
        unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    void keep(const char* name)
    {
        if (saved.count(name))
            return;
        const char* value = std::getenv(name);
        saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    std::map<std::string, std::optional<std::string>> saved;
};

std::size_t entries(const std::filesystem::path& folder)
{
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        ++count;
    return count;
}

TEST(ApplicationTest, runSoonRunsQueuedFunctionsInOrderFromTheEventLoop)
{
    std::vector<int> ran;
    Application::runSoon([&] { ran.push_back(1); });
    Application::runSoon([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());

    EXPECT_TRUE(processUntil([&] { return ran.size() >= 2; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(ApplicationTest, execReturnsTheCodeTheLoopWasEndedWith)
{
    bool ranInsideLoop = false;
    Application::runSoon([&] {
        ranInsideLoop = true;
        QCoreApplication::exit(3);
    });
    EXPECT_EQ(testApplication().exec(), 3);
    EXPECT_TRUE(ranInsideLoop);
}

// The handler runs once in a process's life, so each run of this test has a
// process of its own.
TEST(ApplicationDeathTest, terminationSignalsAreHeldUntilReleasedThenCallTheHandlerOnceNeverReentrantly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int calls = 0;
            int depth = 0;
            int deepest = 0;
            testApplication().onTerminationRequest([&] {
                ++calls;
                deepest = std::max(deepest, ++depth);
                // A second request while the first is being handled is dropped.
                kill(getpid(), SIGINT);
                Application::processEvents();
                --depth;
            });

            // SIGHUP, as a closing terminal or session sends it, is caught
            // too, and held while the program is not ready.
            kill(getpid(), SIGHUP);
            for (int i = 0; i < 20; ++i) {
                Application::processEvents();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            const int held = calls;
            testApplication().releaseTermination();
            const int released = calls;

            kill(getpid(), SIGTERM);
            kill(getpid(), SIGHUP);
            for (int i = 0; i < 20; ++i) {
                Application::processEvents();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            std::fprintf(stderr, "held %d, released %d, calls %d, deepest %d\n", held, released, calls, deepest);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "held 0, released 1, calls 1, deepest 1");
}

TEST(SingleInstanceTest, onlyTheFirstHolderOfAKeyIsFirstUntilItLetsGo)
{
    const std::string key = uniqueKey("holder");
    {
        SingleInstance first(key);
        EXPECT_TRUE(first.isFirst());
        SingleInstance second(key);
        EXPECT_FALSE(second.isFirst());
        SingleInstance other(uniqueKey("other"));
        EXPECT_TRUE(other.isFirst());
    }
    SingleInstance after(key);
    EXPECT_TRUE(after.isFirst());
}

TEST(SingleInstanceTest, copyRunsWhenNoLockCanBeMade)
{
    ScopedEnvironment environment;
    // Nobody, not even root, can make a file there.
    for (const char* name : {"XDG_RUNTIME_DIR", "XDG_STATE_HOME", "TMPDIR"})
        environment.set(name, "/proc");
    SingleInstance first(uniqueKey("unlockable"));
    SingleInstance second(uniqueKey("unlockable"));
    EXPECT_TRUE(first.isFirst());
    EXPECT_TRUE(second.isFirst());
}

// A runtime folder the player does not have alone, or none, sends the lock
// to the state folder, never to the shared temporary folder; there one
// player's two copies still keep each other out, and nothing another user
// made stops the game.
TEST(SingleInstanceTest, theLockLivesOnlyInAFolderThePlayerAloneCanWrite)
{
    namespace fs = std::filesystem;
    const fs::path scratch = fs::path(::testing::TempDir()) / ("tamaro-lock-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    const fs::path shared = scratch / "tmp";
    const fs::path own = scratch / "own";
    const fs::path foreign = scratch / "foreign";
    const fs::path group = scratch / "group";
    const fs::path link = scratch / "link";
    const fs::path state = scratch / "state";
    for (const fs::path& folder : {shared, own, foreign, group})
        fs::create_directories(folder);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    fs::permissions(own, fs::perms::owner_all);
    fs::permissions(foreign, fs::perms::owner_all);
    fs::permissions(group, fs::perms::owner_all | fs::perms::group_all);
    fs::create_directory_symlink(own, link);
    const bool canGiveAway = ::chown(foreign.c_str(), 65534, 65534) == 0;

    ScopedEnvironment environment;
    environment.set("TMPDIR", shared);
    environment.set("XDG_STATE_HOME", state);
    const std::string key = uniqueKey("placed");
    const auto expectLockIn = [&](const fs::path& where, const char* runtime) {
        SingleInstance first(key);
        SingleInstance second(key);
        EXPECT_TRUE(first.isFirst()) << runtime;
        EXPECT_FALSE(second.isFirst()) << runtime;
        EXPECT_EQ(entries(where), 1u) << runtime;
        EXPECT_EQ(entries(shared), 0u) << runtime;
        EXPECT_EQ(entries(own), where == own ? 1u : 0u) << runtime;
    };

    environment.set("XDG_RUNTIME_DIR", own);
    expectLockIn(own, "the player's own runtime folder");
    EXPECT_FALSE(fs::exists(state)) << "the state folder is made only when needed";

    environment.unset("XDG_RUNTIME_DIR");
    expectLockIn(state / "tamaro", "no runtime folder");
    EXPECT_EQ(fs::status(state / "tamaro").permissions(), fs::perms::owner_all);
    for (const fs::path& runtime : {group, link, shared}) {
        environment.set("XDG_RUNTIME_DIR", runtime);
        expectLockIn(state / "tamaro", runtime.filename().c_str());
    }
    if (canGiveAway) {
        environment.set("XDG_RUNTIME_DIR", foreign);
        expectLockIn(state / "tamaro", "another user's runtime folder");

        // A state folder that is not the player's is not used either; the game runs.
        ASSERT_EQ(::chown((state / "tamaro").c_str(), 65534, 65534), 0);
        SingleInstance first(key);
        SingleInstance second(key);
        EXPECT_TRUE(first.isFirst());
        EXPECT_TRUE(second.isFirst());
        EXPECT_EQ(entries(state / "tamaro"), 0u);
    }
    fs::remove_all(scratch);
    if (!canGiveAway)
        GTEST_SKIP() << "only root can give a folder to another user";
}

TEST(SingleInstanceDeathTest, lockLeftByAKilledCopyIsTakenOver)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string key = uniqueKey("killed");
    EXPECT_EXIT(
        {
            SingleInstance held(key);
            if (!held.isFirst())
                std::_Exit(1);
            raise(SIGKILL);
        },
        ::testing::KilledBySignal(SIGKILL), "");

    SingleInstance next(key);
    EXPECT_TRUE(next.isFirst());
}

} // namespace
