#include "tests/ranking/ranking_fixture.h"

#include "ranking/data_file.h"
#include "tests/ranking/system_faults.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

TEST_F(RankingTest, firstRunWritesTheDefaultsWholeAtTheLoadAndEvery312BytesClearTheFlags)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    makeRanking();
    EXPECT_FALSE(std::filesystem::exists(dataPath())) << "nothing is made before the load";
    EXPECT_EQ(ranking->command(RankingMode::Load), 1);
    EXPECT_EQ(fileBytes(), defaultFileBytes()) << "the defaults become the file, never an empty one";
    EXPECT_EQ(std::filesystem::status(dataPath()).permissions(), static_cast<std::filesystem::perms>(0666 & ~mask))
        << "a new file's mode comes from the umask";
    EXPECT_EQ(nameText(ranking->entries[0]), "Ai         ");
    EXPECT_EQ(ranking->entries[10].score, 20000);
    EXPECT_EQ(options.soundOn, 1);
    EXPECT_EQ(options.alwaysOnTop, 1);

    options.gameRunning = 1;
    options.rankingMenuRemoved = 1;
    EXPECT_EQ(ranking->command(RankingMode::Save), 1);
    EXPECT_EQ(fileBytes(), defaultFileBytes());
    EXPECT_EQ(options.gameRunning, 0);
    EXPECT_EQ(options.rankingMenuRemoved, 0);
}

TEST_F(RankingTest, aLoadedFileNeverSaysAGameIsRunningOrTheRankingEntryIsGone)
{
    auto bytes = distinctTable();
    const auto settings = settingsBytes({1, 0, 1, 0, 1, 1, 1, -7, 0, 0, 0, 0});
    bytes.insert(bytes.end(), settings.begin(), settings.end());
    writeFile(bytes);
    makeRanking().load();
    EXPECT_EQ(options.dropKeyType, 1);
    EXPECT_EQ(options.gameRunning, 0);
    EXPECT_EQ(options.rankingMenuRemoved, 0);
}

TEST_F(RankingTest, theSettingsLandAtTheirOffsetsLittleEndian)
{
    makeRanking();
    options = Options{1, 1, 3, 1, 0, 0, 1, 1, {-20, 30, 0x01020304, -1}};
    ranking->save();
    const auto bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 312u);
    const std::vector<std::int32_t> expected{1, 1, 3, 1, 0, 0, 0, 0, -20, 30, 0x01020304, -1};
    for (std::size_t n = 0; n < expected.size(); ++n)
        EXPECT_EQ(fieldAt(bytes, 264 + 4 * n), expected[n]) << "field " << n + 1;
    EXPECT_EQ(slice(bytes, 304, 308), (std::vector<std::uint8_t>{4, 3, 2, 1}));
}

TEST_F(RankingTest, shortFilesReplaceOnlyTheLeadingBytesTheyHold)
{
    const Options initial;
    writeFile(distinctTable());
    makeRanking().load();
    EXPECT_EQ(ranking->entries[4].score, 5000);
    EXPECT_EQ(nameText(ranking->entries[10]), "Row 11");
    EXPECT_EQ(std::memcmp(&options, &initial, sizeof options), 0) << "a table-only file keeps the initial settings";
    ranking.reset();

    auto bytes = distinctTable();
    const auto settings = settingsBytes({1, 1, 2, 1, 0, 0, 0, 0, 0x000B0C0D, 22, 33, 44});
    bytes.insert(bytes.end(), settings.begin(), settings.begin() + 36);
    ASSERT_EQ(bytes.size(), 300u);
    writeFile(bytes);
    options.windowRect = {5, 6, 7, 8};
    makeRanking().load();
    EXPECT_EQ(options.dropKeyType, 1);
    EXPECT_EQ(options.soundOn, 0);
    EXPECT_EQ(options.windowRect.left, 0x000B0C0D);
    EXPECT_EQ(options.windowRect.top, 6) << "fields 10 to 12 keep their values";
    EXPECT_EQ(options.windowRect.bottom, 8);
    EXPECT_EQ(ranking->transferred, 300u);
    EXPECT_EQ(fileBytes(), bytes) << "loading never writes";
    ranking.reset();

    writeFile({0x42});
    EXPECT_TRUE(makeRanking().load());
    EXPECT_EQ(ranking->transferred, 1u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ranking->entries[0].score) & 0xFF, 0x42u) << "a file of one byte";
    ranking.reset();

    writeFile({});
    EXPECT_EQ(makeRanking().command(RankingMode::Load), 0) << "an empty file is a load that read nothing";
    EXPECT_EQ(ranking->entries[9].score, 30000);
}

TEST_F(RankingTest, aSaveReplacesTheFirst312BytesAndKeepsALongerFilesTail)
{
    auto bytes = defaultFileBytes();
    bytes[0] = 0x55;
    const std::vector<std::uint8_t> tail{'t', 'a', 'i', 'l', 0, 0xFF};
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    writeFile(bytes);
    ::chmod(dataPath().c_str(), 0640);
    // A leftover of an earlier save that was cut off, under the name this one would take first.
    const auto leftover = folder / ("tm_data.dat.new-" + std::to_string(::getpid()) + "-0");
    {
        std::ofstream(leftover) << "left";
    }
    // Leftovers of a copy killed during a save go at the next save; those of a
    // live process, or of another user, or of another name, stay.
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string deadName = "tm_data.dat.new-" + std::to_string(dead) + "-3";
    // A copy that is still saving: asking whether it lives must send it nothing.
    const pid_t live = ::fork();
    if (live == 0) {
        ::pause();
        ::_exit(0);
    }
    const auto kept = {"tm_data.dat.new-" + std::to_string(live) + "-0", std::string("tm_data.dat.new-x-0"),
                       std::string("tm_data.dat.old-") + std::to_string(dead) + "-0",
                       "tm_data.dat.new-" + std::to_string(dead) + "x0"};
    for (const std::string& name : kept)
        std::ofstream(folder / name) << "keep";
    std::ofstream(folder / deadName) << "gone";
    makeRanking().load();
    EXPECT_EQ(ranking->unsavedChange(), FileChange::None) << "what was loaded is what is on disk";
    ranking->entries[0].score = 123456;
    EXPECT_TRUE(ranking->save());
    EXPECT_EQ(std::filesystem::status(dataPath()).permissions(), std::filesystem::perms(0640))
        << "the saved file keeps its mode";
    EXPECT_FALSE(std::filesystem::exists(folder / deadName)) << "a dead copy's new file is removed";
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    EXPECT_EQ(::waitpid(live, nullptr, WNOHANG), 0) << "the live copy was sent a signal";
    ::kill(live, SIGKILL);
    ::waitpid(live, nullptr, 0);
    for (const std::string& name : kept)
        std::filesystem::remove(folder / name);
    EXPECT_EQ(entriesIn(folder), 2) << "one new file replaced the old, beside the leftover";
    EXPECT_EQ(std::filesystem::file_size(leftover), 4u);
    const auto after = fileBytes();
    ASSERT_EQ(after.size(), 318u);
    EXPECT_EQ(slice(after, 312, 318), tail);
    EXPECT_EQ(slice(after, 0, 8), slice(rowBytes(123456, "", 0), 0, 8));

    // Only root can save a file that someone else owns; it stays theirs.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(dataPath().c_str(), 12345, 23456), 0);
        EXPECT_TRUE(ranking->save());
        struct stat owner {};
        ASSERT_EQ(::stat(dataPath().c_str(), &owner), 0);
        EXPECT_EQ(owner.st_uid, 12345u);
        EXPECT_EQ(owner.st_gid, 23456u);
    }
}

TEST_F(RankingTest, storedRowsRoundTripByteForByte)
{
    auto bytes = defaultFileBytes();
    // Leftovers after a name's NUL carry no meaning but are kept.
    const auto leftovers = rowBytes(50000, std::string("Kim\0xyz", 7), 0);
    std::copy(leftovers.begin(), leftovers.end(), bytes.begin() + 24 * 7);
    writeFile(bytes);
    makeRanking().load();
    EXPECT_EQ(nameText(ranking->entries[4]), "Min Min    ");
    EXPECT_EQ(ranking->entries[4].difficulty, 1);
    EXPECT_EQ(nameText(ranking->entries[5]), "Raccoon    ");
    EXPECT_EQ(ranking->entries[5].difficulty, 0);
    EXPECT_EQ(nameText(ranking->entries[7]), "Kim");
    ranking->save();
    EXPECT_EQ(fileBytes(), bytes);
}

TEST_F(RankingTest, theFileIsHeldExclusivelyAcrossSavesUntilTheRankingIsGone)
{
    const auto anotherProcessGetsIt = [] {
        const pid_t child = ::fork();
        if (child == 0) {
            const DataFile other(dataFileName);
            ::_exit(isOpen(other) ? 1 : 0);
        }
        int status = 0;
        return child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    };
    makeRanking().load();
    ASSERT_TRUE(isOpen(ranking->dataFile));
    EXPECT_FALSE(anotherProcessGetsIt()) << "the first run's file is held";
    const auto filesBefore = openFiles();
    ranking->save();
    ranking->save();
    EXPECT_EQ(openFiles(), filesBefore) << "a save lets go of the file it replaced";
    EXPECT_FALSE(anotherProcessGetsIt()) << "the file a save put in place is held";

    ranking.reset();
    const DataFile after(dataFileName);
    EXPECT_TRUE(isOpen(after)) << "the lock ends with the ranking";
}

TEST_F(RankingTest, linksAreFollowedOnlyWhereNobodyElseCouldHaveLaidThemAndNothingOutsideIsWritten)
{
    const auto outside = folder / "elsewhere";
    std::filesystem::create_directory(outside);
    const auto target = outside / "other.dat";
    auto other = distinctTable();
    const auto settings = settingsBytes({0, 0, 1, 0, 1, 1, 0, 0, 1, 2, 3, 4});
    other.insert(other.end(), settings.begin(), settings.end());
    {
        std::ofstream(target, std::ios::binary)
            .write(reinterpret_cast<const char*>(other.data()), static_cast<std::streamsize>(other.size()));
    }
    const auto targetBytes = [&target] {
        std::ifstream in(target, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    // Each refused file plays with the defaults, says so once and is never written.
    const auto refused = [&](const char* what) {
        const auto filesBefore = openFiles();
        ::testing::internal::CaptureStderr();
        makeRanking().load();
        EXPECT_EQ(ranking->entries[0].score, 200000) << what;
        ranking->entries[0].score = 1;
        EXPECT_FALSE(ranking->save()) << what;
        ranking.reset();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << what << ": " << said;
        EXPECT_EQ(targetBytes(), other) << what;
        EXPECT_EQ(openFiles(), filesBefore) << what << " is not left open";
    };

    ASSERT_EQ(::link(target.c_str(), dataPath().c_str()), 0);
    refused("a hard link");
    std::filesystem::remove(dataPath());

    std::filesystem::create_symlink(outside / "none.dat", dataPath());
    refused("a dangling link");
    EXPECT_FALSE(std::filesystem::exists(outside / "none.dat")) << "nothing is made where a link points";
    std::filesystem::remove(dataPath());

    std::filesystem::create_symlink(target, dataPath());
    ::chmod(folder.c_str(), 0777);
    refused("a link in a folder others can write");
    ::chmod(folder.c_str(), 0700);
    if (::lchown(dataPath().c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)) == 0) {
        refused("another user's link");
        ASSERT_EQ(::lchown(dataPath().c_str(), ::geteuid(), static_cast<gid_t>(-1)), 0);
    }

    // A trusted link to a long path whose file is refused: the message names the link as given.
    const auto deep = outside / std::string(200, 'd');
    std::filesystem::create_directory(deep);
    const auto deepTarget = deep / "linked.dat";
    ASSERT_EQ(::link(target.c_str(), deepTarget.c_str()), 0);
    std::filesystem::remove(dataPath());
    std::filesystem::create_symlink(deepTarget, dataPath());
    ::testing::internal::CaptureStderr();
    {
        const DataFile hardLinked(dataFileName);
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tamaro: tm_data.dat: the file has other names", 0), 0u) << said;
    std::filesystem::remove(dataPath());
    std::filesystem::remove(deepTarget);
    std::filesystem::create_symlink(target, dataPath());

    // The player's own link in the player's own folder: read, and saved where it points.
    makeRanking().load();
    EXPECT_EQ(ranking->entries[0].score, 1000);
    ranking->entries[0].score = 4242;
    EXPECT_TRUE(ranking->save());
    EXPECT_TRUE(std::filesystem::is_symlink(dataPath()));
    const auto after = targetBytes();
    ASSERT_EQ(after.size(), 312u);
    EXPECT_EQ(slice(after, 0, 8), slice(rowBytes(4242, "", 0), 0, 8));
}
