#include "platform/application.h"

#include "tests/test_main.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
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
    const std::string saved[] = {std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "",
                                 std::getenv("TMPDIR") ? std::getenv("TMPDIR") : ""};
    // Nobody, not even root, can make a file there.
    setenv("XDG_RUNTIME_DIR", "/proc", 1);
    setenv("TMPDIR", "/proc", 1);
    {
        SingleInstance first(uniqueKey("unlockable"));
        SingleInstance second(uniqueKey("unlockable"));
        EXPECT_TRUE(first.isFirst());
        EXPECT_TRUE(second.isFirst());
    }
    const char* names[] = {"XDG_RUNTIME_DIR", "TMPDIR"};
    for (int i = 0; i < 2; ++i) {
        if (saved[i].empty())
            unsetenv(names[i]);
        else
            setenv(names[i], saved[i].c_str(), 1);
    }
}

TEST(SingleInstanceTest, aLockFileOfAnotherUserStopsTheCopyAndSaysWhy)
{
    const std::string key = uniqueKey("foreign");
    const std::string folder = std::getenv("XDG_RUNTIME_DIR");
    const auto files = [&folder] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().string());
        return names;
    };
    // The lock file is the one that goes away with its holder.
    std::set<std::string> held;
    {
        SingleInstance mine(key);
        ASSERT_TRUE(mine.isFirst());
        held = files();
    }
    std::string path;
    for (const std::string& name : held)
        if (!files().contains(name))
            path = name;
    ASSERT_FALSE(path.empty());
    // A lock another user left: stale, with an owner that is not us.
    { std::ofstream(path) << "1\n"; }
    if (::chown(path.c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)) != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    ::testing::internal::CaptureStderr();
    {
        SingleInstance blocked(key);
        EXPECT_FALSE(blocked.isFirst());
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    std::filesystem::remove(path);
    EXPECT_NE(said.find("another user"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
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
