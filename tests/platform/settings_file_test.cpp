#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* saved = std::getenv("XDG_CONFIG_HOME");
        previous = saved ? saved : "";
        hadPrevious = saved != nullptr;
        fs::remove_all(config);
        fs::create_directories(folder);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    void TearDown() override
    {
        if (hadPrevious)
            ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(config);
    }

    static std::string contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const fs::path config = fs::path(::testing::TempDir()) / ("tamaro-settings-" + std::to_string(getpid()));
    const fs::path folder = config / "tamaro";
    const fs::path settings = folder / "settings";
    std::string previous;
    bool hadPrevious = false;
};

// A FIFO in the file's place is refused at once, never waited on until a
// writer comes, and a save leaves it where it is.
TEST_F(SettingsFileTest, aFifoIsReadAsX1AtOnceAndNotReplaced)
{
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    auto loaded = std::async(std::launch::async, platform::loadZoomSetting);
    if (loaded.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Frees the blocked open so that the test can end.
        ::close(::open(settings.c_str(), O_WRONLY | O_NONBLOCK));
        FAIL() << "the load waited on the FIFO";
    }
    EXPECT_EQ(loaded.get(), 1);
    EXPECT_FALSE(platform::saveZoomSetting(2));
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(settings)));
}

// A link is followed, for reading and for writing, only when the link and its
// folder are the player's and nobody else can write the folder; otherwise the
// zoom is x1 and the file it points at is left as it was.
TEST_F(SettingsFileTest, onlyALinkThePlayerAloneCouldHaveLaidIsFollowed)
{
    const fs::path target = config / "elsewhere";
    std::ofstream(target) << "zoom=3\n";
    fs::create_symlink(target, settings);
    fs::permissions(folder, fs::perms::owner_all);

    EXPECT_EQ(platform::loadZoomSetting(), 3);
    ASSERT_TRUE(platform::saveZoomSetting(2));
    EXPECT_EQ(contents(target), "zoom=2\n");
    EXPECT_TRUE(fs::is_symlink(settings)) << "the link itself is kept";

    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_write);
    EXPECT_EQ(platform::loadZoomSetting(), 1) << "a folder others can write";
    EXPECT_FALSE(platform::saveZoomSetting(3));
    EXPECT_EQ(contents(target), "zoom=2\n");
    EXPECT_TRUE(fs::is_symlink(settings));

    fs::permissions(folder, fs::perms::owner_all);
    if (::lchown(settings.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    EXPECT_EQ(platform::loadZoomSetting(), 1) << "another user's link";
    EXPECT_FALSE(platform::saveZoomSetting(3));
    EXPECT_EQ(contents(target), "zoom=2\n");
}

} // namespace
