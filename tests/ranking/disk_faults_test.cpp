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

TEST_F(RankingTest, aProgramStartedWithoutStandardInputStillHoldsItsFile)
{
    writeFile(defaultFileBytes());
    const int input = ::dup(0);
    ::close(0);
    bool open = false;
    {
        const DataFile file(dataFileName);
        open = isOpen(file) && file.descriptor == 0;
    }
    const bool letGo = ::fcntl(0, F_GETFD) == -1;
    ::dup2(input, 0);
    ::close(input);
    EXPECT_TRUE(open) << "descriptor 0 is a file like any other";
    EXPECT_TRUE(letGo) << "the file is closed with its record";
    DataFile closed(dataFileName);
    close(closed);
    EXPECT_FALSE(isOpen(closed));

    // Saves hand descriptor 0 on: the second one makes its new file on it.
    ::testing::internal::CaptureStderr();
    ::close(0);
    makeRanking().load();
    const bool firstSaved = ranking->save();
    bool fullDiskSaved = true;
    {
        SystemFaults faults;
        faults.writesTakeNothing = true;
        fullDiskSaved = ranking->save();
    }
    const auto afterFailure = entriesIn(folder);
    const bool zeroLetGo = ::fcntl(0, F_GETFD) == -1;
    errno = EEXIST; // whatever errno held before has no say
    const bool lastSaved = ranking->save();
    const int lastDescriptor = ranking->dataFile.descriptor;
    ranking.reset();
    ::dup2(input, 0);
    ::close(input);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(firstSaved);
    EXPECT_FALSE(fullDiskSaved);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(afterFailure, 1) << "the failed save's new file is gone";
    EXPECT_TRUE(zeroLetGo) << "and so is its descriptor";
    EXPECT_TRUE(lastSaved);
    EXPECT_EQ(lastDescriptor, 0);
    EXPECT_EQ(entriesIn(folder), 1);
}

TEST_F(RankingTest, aFileThatCannotBeUsedLeavesTheDefaultsAndSaysSoOnce)
{
    writeFile(distinctTable());
    const DataFile holder(dataFileName);
    ASSERT_TRUE(isOpen(holder));
    ::testing::internal::CaptureStderr();
    makeRanking();
    ranking->command(RankingMode::Load);
    EXPECT_EQ(ranking->command(RankingMode::Save), 0) << "a save that wrote nothing is not a success";
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("tm_data.dat"), std::string::npos);
    EXPECT_NE(said.find("locked by another process"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(ranking->entries[0].score, 200000);
    EXPECT_EQ(fileBytes(), distinctTable()) << "the other holder's file is untouched";

    const auto filesBefore = openFiles();
    ::testing::internal::CaptureStderr();
    {
        const DataFile refused(dataFileName);
    }
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(openFiles(), filesBefore) << "a file that could not be locked is not left open";
}

TEST_F(RankingTest, aFolderOrPipeInThePlaceOfTheFileIsRefusedWithoutHanging)
{
    std::filesystem::create_directory(dataPath());
    ::testing::internal::CaptureStderr();
    makeRanking().load();
    EXPECT_FALSE(isOpen(ranking->dataFile));
    EXPECT_FALSE(ranking->save());
    ranking.reset();
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    std::filesystem::remove(dataPath());

    ASSERT_EQ(::mkfifo(dataPath().c_str(), 0600), 0);
    const auto filesBefore = openFiles();
    ::testing::internal::CaptureStderr();
    makeRanking().load();
    EXPECT_FALSE(isOpen(ranking->dataFile));
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("not a plain file"), std::string::npos) << said;
    EXPECT_EQ(ranking->entries[9].score, 30000);
    ranking.reset();
    EXPECT_EQ(openFiles(), filesBefore) << "the refused pipe is not left open";
}

TEST_F(RankingTest, aSaveThatFailsSaysSoInOneLineAndLeavesThePreviousFileWhole)
{
    auto before = distinctTable();
    const auto settings = settingsBytes({0, 0, 1, 0, 1, 1, 0, 0, 1, 2, 3, 4});
    before.insert(before.end(), settings.begin(), settings.end());
    writeFile(before);
    makeRanking().load();
    ranking->entries[0].score = 999999;

    // No file may grow past 300 bytes: as good as a full disk for the data file.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto fullDisk = [&saved](bool full) {
        struct rlimit limit = saved;
        limit.rlim_cur = full ? 300 : saved.rlim_cur;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    std::signal(SIGXFSZ, SIG_IGN);
    ::testing::internal::CaptureStderr();
    fullDisk(true);
    const bool saved1 = ranking->save();
    fullDisk(false);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved1);
    EXPECT_EQ(ranking->transferred, 0u) << "a failed save moved no bytes";
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("tm_data.dat"), std::string::npos);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(entriesIn(folder), 1) << "nothing is left beside it";

    // A first run on a full disk leaves no file at all, rather than an empty one.
    ranking.reset();
    std::filesystem::remove(dataPath());
    ::testing::internal::CaptureStderr();
    fullDisk(true);
    EXPECT_FALSE(makeRanking().load());
    const std::size_t loaded = ranking->transferred;
    ranking->entries[0].score = 999999;
    const bool saved2 = ranking->save();
    fullDisk(false);
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(saved2);
    EXPECT_EQ(loaded, 0u);
    EXPECT_EQ(ranking->transferred, 0u);
    EXPECT_FALSE(std::filesystem::exists(dataPath()));
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;

    // Every name a new file could take beside it is already taken.
    ranking->save();
    const auto saved3 = fileBytes();
    for (int attempt = 0; attempt < 100; ++attempt)
        std::ofstream(folder / ("tm_data.dat.new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt)));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ranking->save());
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no new file can be made beside it"), std::string::npos) << said;
    EXPECT_EQ(fileBytes(), saved3);
    EXPECT_EQ(entriesIn(folder), 101);

    // The folder is gone.
    std::filesystem::remove_all(folder);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ranking->save());
    said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

namespace {

// The table, the settings and a tail that a save copies in more than one piece.
std::vector<std::uint8_t> longFile()
{
    auto bytes = distinctTable();
    const auto settings = settingsBytes({0, 0, 1, 0, 1, 1, 0, 0, 1, 2, 3, 4});
    bytes.insert(bytes.end(), settings.begin(), settings.end());
    for (int i = 0; i < 4999; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i * 7));
    return bytes;
}

} // namespace

TEST_F(RankingTest, readsAndWritesThatAreInterruptedOrShortStillMoveEveryByte)
{
    writeFile(longFile());
    makeRanking().load();
    ranking->save();
    const auto undisturbed = fileBytes();
    ranking.reset();

    writeFile(longFile());
    {
        SystemFaults faults;
        faults.interruptEveryOtherCall = true;
        faults.atMostBytes = 7;
        EXPECT_EQ(makeRanking().command(RankingMode::Load), 1);
        EXPECT_EQ(ranking->command(RankingMode::Save), 1);
        EXPECT_GT(faults.interrupted, 1000);
    }
    EXPECT_EQ(fileBytes(), undisturbed);
    ranking.reset();

    // A short file ends in a read of nothing, right after an interrupted one.
    writeFile(slice(longFile(), 0, 100));
    SystemFaults faults;
    faults.interruptEveryOtherCall = true;
    makeRanking().load();
    EXPECT_EQ(ranking->transferred, 100u);
    EXPECT_EQ(ranking->command(RankingMode::Save), 1) << "the end of a short file is no failure";
}

TEST_F(RankingTest, aReadOrWriteThatFailsLosesNothingLeavesNothingAndSaysWhyOnce)
{
    struct Case {
        const char* what;
        bool atLoad;
        void (*arm)(SystemFaults&);
        const char* reason;
        // No room for a second copy: the file is overwritten where it is.
        bool savedInPlace;
    };
    const Case cases[] = {
        {"a full disk", false,
         [](SystemFaults& f) {
             f.diskRoom = 0;
             f.atMostBytes = 7;
         },
         "No space left on device", true},
        {"a full disk and an overwrite that fails halfway", false,
         [](SystemFaults& f) {
             f.diskRoom = 0;
             f.overwriteFailsAfter = 100;
         },
         "No space left on device", false},
        {"a full disk and a read that fails", false,
         [](SystemFaults& f) {
             f.diskRoom = 0;
             f.readError = EIO;
         },
         "No space left on device", false},
        {"a disk that fills up in the tail", false, [](SystemFaults& f) { f.diskRoom = 1000; },
         "No space left on device", true},
        {"writes that take nothing", false, [](SystemFaults& f) { f.writesTakeNothing = true; }, "Input/output error",
         false},
        {"a read of the tail that fails", false, [](SystemFaults& f) { f.readError = EIO; }, "Input/output error",
         false},
        {"a read at the load that fails", true, [](SystemFaults& f) { f.readError = EIO; },
         "cannot read it (Input/output error)", false},
        {"a folder that cannot be looked into", true, [](SystemFaults& f) { f.lookError = EACCES; },
         "cannot look at it (Permission denied)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(longFile());
        const auto filesBefore = openFiles();
        std::optional<SystemFaults> faults;
        const auto arm = [&] {
            faults.emplace();
            faults->interruptEveryOtherCall = true;
            c.arm(*faults);
        };
        ::testing::internal::CaptureStderr();
        if (c.atLoad)
            arm();
        makeRanking().load();
        ranking->entries[0].score = 999999;
        if (!c.atLoad)
            arm();
        auto expected = longFile();
        if (c.savedInPlace) {
            const DataImage image = makeImage(ranking->entries, options);
            std::copy(image.begin(), image.end(), expected.begin());
        }
        EXPECT_EQ(ranking->command(RankingMode::Save), c.savedInPlace ? 1 : 0);
        faults.reset();
        ranking.reset();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(c.reason), std::string::npos) << said;
        EXPECT_EQ(said.find("in place") != std::string::npos, c.savedInPlace) << said;
        EXPECT_EQ(fileBytes(), expected);
        EXPECT_EQ(entriesIn(folder), 1) << "nothing is left beside it";
        EXPECT_EQ(openFiles(), filesBefore);
    }
}
