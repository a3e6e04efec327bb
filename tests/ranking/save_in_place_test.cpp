#include "tests/ranking/ranking_fixture.h"

#include "ranking/data_file.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace {

// What a save puts in the first 312 bytes, unlike anything the tests write first.
std::vector<std::uint8_t> newHead()
{
    std::vector<std::uint8_t> head(dataFileBytes);
    for (std::size_t i = 0; i < head.size(); ++i)
        head[i] = static_cast<std::uint8_t>(i * 13 + 5);
    return head;
}

std::vector<std::uint8_t> oldFile()
{
    std::vector<std::uint8_t> bytes(dataFileBytes + 100, 0x5A);
    return bytes;
}

// One save of head to the data file, as a player who is not root (root may
// write any folder), in a child process; true when it says it saved.
bool saveAsPlayer(const std::filesystem::path& path, const std::vector<std::uint8_t>& head)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        DataFile file(path.c_str());
        ::_exit(replaceContents(file, head) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void playerOwns(const std::filesystem::path& path, mode_t mode)
{
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

long linesIn(const std::string& said)
{
    return std::count(said.begin(), said.end(), '\n');
}

// A small file system of the test's own, unmounted at the end.
struct SmallDisk {
    explicit SmallDisk(const std::filesystem::path& where) : path(where)
    {
        std::filesystem::create_directory(path);
        mounted = ::mount("tamaro-test", path.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(path.c_str(), MNT_DETACH);
    }
    // Takes every byte left on it.
    void fill() const
    {
        std::ofstream filler(path / "filler", std::ios::binary | std::ios::app);
        const std::vector<char> block(4096, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i)
            filler.flush();
    }
    std::filesystem::path path;
    bool mounted = false;
};

} // namespace

TEST_F(RankingTest, aFolderThatTakesNoNewFileIsSavedInPlaceAndWithoutAFileNothingIsClaimed)
{
    writeFile(oldFile());
    playerOwns(dataPath(), 0644);
    playerOwns(folder, 0555);
    auto expected = oldFile();
    const auto head = newHead();
    std::copy(head.begin(), head.end(), expected.begin());

    ::testing::internal::CaptureStderr();
    const bool saved = saveAsPlayer(dataPath(), head);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(saved);
    EXPECT_EQ(fileBytes(), expected) << "the head is new, the tail as it was";
    EXPECT_EQ(linesIn(said), 1) << said;
    EXPECT_NE(said.find("saved by overwriting the file in place"), std::string::npos) << said;

    ::chmod(folder.c_str(), 0755);
    std::filesystem::remove(dataPath());
    ::chmod(folder.c_str(), 0555);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(saveAsPlayer(dataPath(), head));
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesIn(said), 1) << said;
    EXPECT_NE(said.find("nothing was written"), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(dataPath()));
    ::chmod(folder.c_str(), 0755);
}

TEST_F(RankingTest, aFullDiskIsSavedInPlaceAndWithoutAFileNothingIsClaimed)
{
    const SmallDisk disk(folder / "disk");
    if (!disk.mounted)
        GTEST_SKIP() << "mounting a small file system needs root";
    const std::filesystem::path path = disk.path / dataFileName;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(oldFile().data()), oldFile().size());
    disk.fill();
    const auto head = newHead();
    auto expected = oldFile();
    std::copy(head.begin(), head.end(), expected.begin());

    ::testing::internal::CaptureStderr();
    {
        DataFile file(path.c_str());
        EXPECT_TRUE(replaceContents(file, head));
    }
    std::string said = ::testing::internal::GetCapturedStderr();
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, expected);
    EXPECT_EQ(linesIn(said), 1) << said;
    EXPECT_NE(said.find("No space left on device"), std::string::npos) << said;
    EXPECT_NE(said.find("in place"), std::string::npos) << said;
    EXPECT_EQ(entriesIn(disk.path), 2) << "nothing is left beside it";

    std::filesystem::remove(path);
    disk.fill();
    ::testing::internal::CaptureStderr();
    {
        DataFile file(path.c_str());
        EXPECT_FALSE(replaceContents(file, head));
    }
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesIn(said), 1) << said;
    EXPECT_NE(said.find("nothing was written"), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(path));
}
