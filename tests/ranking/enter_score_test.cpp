#include "tests/ranking/ranking_fixture.h"

#include "platform/sjis.h"
#include "ranking/name_entry.h"
#include "ranking/table_display.h"

#include <cmath>
#include <limits>

namespace {

std::vector<std::pair<double, std::string>> rows(const Ranking& ranking)
{
    std::vector<std::pair<double, std::string>> out;
    for (const RankingEntry& entry : ranking.entries)
        out.emplace_back(entry.score, std::string(nameText(entry)));
    return out;
}

constexpr platform::Colour white = platform::rgb(255, 255, 255);
constexpr platform::Colour red = platform::rgb(255, 0, 0);
constexpr platform::Rect wellArea{177, 20, 457, 460};

int countColour(const platform::Surface& surface, const platform::Rect& area, platform::Colour colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += surface.pixel(x, y) == colour;
    return n;
}

} // namespace

TEST_F(RankingTest, scoresThatDoNotBeatRankTenAskNothingAndChangeNothing)
{
    makeRanking();
    const auto before = rows(*ranking);
    EXPECT_EQ(enterWithName(29999, "x"), 0);
    EXPECT_EQ(enterWithName(30000, "x"), 0) << "equal at the same difficulty stays below";
    EXPECT_EQ(enterWithName(std::numeric_limits<double>::quiet_NaN(), "x"), 0);
    EXPECT_EQ(enterWithName(-1e308, "x"), 0);
    EXPECT_EQ(dialogsSeen, 0);
    EXPECT_EQ(rows(*ranking), before);
}

TEST_F(RankingTest, aDamagedScoreThatIsNoNumberOrInfiniteRanksBelowEveryScore)
{
    std::vector<std::uint8_t> bytes;
    const double damaged[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    for (int r = 0; r < 11; ++r) {
        const auto row = rowBytes(r < 3 ? damaged[r] : 1000.0 * (11 - r), "R" + std::to_string(r + 1), 0);
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
    writeFile(bytes);
    makeRanking().load();
    EXPECT_EQ(enterWithName(8000, "New"), 1) << "above a NaN and an infinity";
    EXPECT_EQ(nameText(ranking->entries[1]).substr(0, 2), "R1");
    EXPECT_EQ(enterWithName(-5, "Low"), 2) << "a negative score still beats a damaged one";
    EXPECT_EQ(enterWithName(std::numeric_limits<double>::quiet_NaN(), "x"), 0);
}

TEST_F(RankingTest, equalScoresRankTheProfessionalAboveTheStandardAndTheOlderAboveTheNewer)
{
    makeRanking();
    options.difficulty = 1;
    EXPECT_EQ(enterWithName(30000, "Pro"), 10);
    EXPECT_EQ(nameText(ranking->entries[10]), "Tiger      ") << "the old rank 10 becomes the spill row";

    EXPECT_EQ(enterWithName(80000, "Pro80"), 6) << "below Min Min, above Raccoon";
    EXPECT_EQ(nameText(ranking->entries[4]), "Min Min    ");
    EXPECT_EQ(nameText(ranking->entries[6]), "Raccoon    ");

    options.difficulty = 0;
    EXPECT_EQ(enterWithName(80000, "Std80"), 8) << "below every row of the same score";
    EXPECT_EQ(ranking->entries[7].difficulty, 0);
    EXPECT_EQ(ranking->entries[5].difficulty, 1);
    EXPECT_EQ(dialogsSeen, 3);
}

TEST_F(RankingTest, aNewBestPushesEveryRowDownAndLosesTheOldSpillRow)
{
    makeRanking();
    const auto before = rows(*ranking);
    options.difficulty = 1;
    EXPECT_EQ(enterWithName(200001, "Best"), 1);
    const auto after = rows(*ranking);
    EXPECT_EQ(after[0], std::make_pair(200001.0, std::string("Best")));
    EXPECT_EQ(ranking->entries[0].difficulty, 1);
    for (std::size_t r = 1; r < after.size(); ++r)
        EXPECT_EQ(after[r], before[r - 1]) << "row " << r + 1;
}

TEST_F(RankingTest, cancelStoresTheNameLastConfirmedInThisRun)
{
    makeRanking();
    enterWithName(300000, "Hanako");
    whenDialogOpens([](platform::Dialog& d) {
        d.type(150, "Ignored");
        d.click(2);
    });
    EXPECT_EQ(ranking->enterScore(300001), 1);
    EXPECT_EQ(nameText(ranking->entries[0]), "Hanako");
    whenDialogOpens([](platform::Dialog& d) { d.closeBox(); });
    EXPECT_EQ(ranking->enterScore(300002), 1);
    EXPECT_EQ(nameText(ranking->entries[0]), "Hanako");
}

TEST_F(RankingTest, aSaveWhileTheNameIsAskedStoresTheNameTypedSoFarBesideTheNewScore)
{
    writeFile(defaultFileBytes());
    makeRanking().load();
    enterWithName(300000, "Hanako");
    const auto savedRow = [this](std::size_t rank) {
        const auto bytes = fileBytes();
        return decodeEntry(
            std::span<const std::uint8_t, entryBytes>(bytes.data() + entryBytes * (rank - 1), entryBytes));
    };

    // As the program ends while the dialog is open for the top row: 11 bytes
    // typed, of which the 9 that hold whole characters are kept.
    RankingEntry typed;
    RankingEntry pushedDown;
    whenDialogOpens([&](platform::Dialog& d) {
        d.type(150, "abcdeあいう");
        ranking->save();
        typed = savedRow(1);
        pushedDown = savedRow(2);
        d.click(2);
    });
    EXPECT_EQ(ranking->enterScore(400000), 1);
    EXPECT_EQ(typed.score, 400000);
    EXPECT_EQ(nameText(typed), *platform::sjis::fromUtf8("abcdeあい"));
    EXPECT_EQ(nameText(pushedDown), "Hanako");
    EXPECT_EQ(pushedDown.score, 300000);

    // Nothing typed: the name a cancel would store, never the pushed-down one.
    // The new score is on disk before the dialog opens, without any save.
    RankingEntry untyped;
    RankingEntry onDiskAtOpen;
    whenDialogOpens([&](platform::Dialog& d) {
        onDiskAtOpen = savedRow(3);
        ranking->save();
        untyped = savedRow(3);
        d.click(2);
    });
    EXPECT_EQ(ranking->enterScore(240000), 3);
    EXPECT_EQ(untyped.score, 240000);
    EXPECT_EQ(nameText(untyped), "Hanako");
    EXPECT_EQ(onDiskAtOpen.score, 240000);
    EXPECT_EQ(nameText(onDiskAtOpen), "Hanako");
}

TEST_F(RankingTest, theNameDialogOpensOnTheClearButtonSoAnEarlyReturnClearsAndKeepsItOpen)
{
    NameEntry entry;
    bool focusOnClear = false;
    std::string caption;
    bool openAfterEarlyReturn = false;
    std::string afterClear = "unset";
    bool openAfterClear = false;
    whenDialogOpens([&](platform::Dialog& d) {
        focusOnClear = d.hasFocus(151);
        caption = d.caption();
        d.pressKey(platform::DialogKey::Return);
        openAfterEarlyReturn = platform::Dialog::active() == &d;
        d.type(150, "Taro");
        d.click(151);
        afterClear = d.textUtf8(150);
        openAfterClear = platform::Dialog::active() == &d;
        d.click(1);
    });
    EXPECT_EQ(askName(window, entry), "");
    EXPECT_TRUE(focusOnClear);
    EXPECT_EQ(caption, "名前登録");
    EXPECT_TRUE(openAfterEarlyReturn);
    EXPECT_EQ(afterClear, "");
    EXPECT_TRUE(openAfterClear);
}

TEST_F(RankingTest, returnInTheNameDialogPressesTheFocusedButtonOrElseOk)
{
    struct Case {
        int tabs; // from the edit field: ｸﾘｱ, ｵｰｹｰ, ｷｬﾝｾﾙ
        bool open;
        std::string field;
        std::string name;
    };
    const std::array<Case, 4> cases{{
        {0, false, "Taro", "Taro"},
        {1, true, "", ""},
        {2, false, "Taro", "Taro"},
        {3, false, "Taro", ""},
    }};
    for (const Case& c : cases) {
        NameEntry entry;
        bool open = false;
        std::string field;
        whenDialogOpens([&](platform::Dialog& d) {
            d.type(150, "Taro");
            for (int i = 0; i < c.tabs; ++i)
                d.pressKey(platform::DialogKey::Tab);
            d.pressKey(platform::DialogKey::Return);
            open = platform::Dialog::active() == &d;
            field = d.textUtf8(150);
            if (open)
                d.click(2);
        });
        EXPECT_EQ(askName(window, entry), c.name) << c.tabs << " tabs";
        EXPECT_EQ(open, c.open) << c.tabs << " tabs";
        EXPECT_EQ(field, c.field) << c.tabs << " tabs";
    }
}

TEST_F(RankingTest, aCancelledFirstEntryIsEmptyAndOnlyOkChangesTheName)
{
    NameEntry entry;
    whenDialogOpens([](platform::Dialog& d) {
        d.type(150, "Jiro");
        d.click(2);
    });
    EXPECT_EQ(askName(window, entry), "");
    whenDialogOpens([](platform::Dialog& d) {
        d.type(150, "Jiro");
        d.click(1);
    });
    EXPECT_EQ(askName(window, entry), "Jiro");
    whenDialogOpens([](platform::Dialog& d) { d.pressEscape(); });
    EXPECT_EQ(askName(window, entry), "Jiro");
    EXPECT_EQ(entry.open, nullptr) << "a closed dialog is not held";
}

TEST_F(RankingTest, namesKeepTenBytesWithoutSplittingADoubleByteCharacter)
{
    NameEntry entry;
    std::string field;
    whenDialogOpens([&](platform::Dialog& d) {
        d.type(150, "ABCDEFGHIJKLM");
        field = d.textUtf8(150);
        d.click(1);
    });
    EXPECT_EQ(askName(window, entry), "ABCDEFGHIJ");
    EXPECT_EQ(field, "ABCDEFGHIJK") << "the field takes 11 bytes";
    RankingEntry row;
    setName(row, "ABCDEFGHIJKLMN");
    EXPECT_EQ(nameText(row), "ABCDEFGHIJK") << "a stored name keeps room for its end";

    whenDialogOpens([](platform::Dialog& d) {
        d.type(150, "Aあいうえお");
        d.click(1);
    });
    const std::string_view kept = askName(window, entry);
    EXPECT_EQ(kept.size(), 9u) << "the lead byte of お would be the tenth";
    EXPECT_EQ(platform::sjis::toUtf8(kept), "Aあいうえ");

    std::string pasted;
    whenDialogOpens([&](platform::Dialog& d) {
        d.paste(150, "A😀\tやまだ\x01"
                     "太郎です"
                         + std::string(10000, 'x'));
        pasted = d.textUtf8(150);
        d.click(1);
    });
    EXPECT_EQ(platform::sjis::toUtf8(askName(window, entry)), "Aやまだ太");
    EXPECT_EQ(pasted, "Aやまだ太郎") << "a paste keeps the 11 bytes that fit of what code page 932 holds";
}

TEST_F(RankingTest, aNameTheCodePageCannotHoldIsRefusedWithAHintUntilItIsMended)
{
    makeRanking();
    enterWithName(300000, "Kept");
    std::string hintOnTyping;
    std::string hintOnOk;
    bool stillOpen = false;
    std::string hintAfterClear = "unset";
    std::string hintAfterMending = "unset";
    whenDialogOpens([&](platform::Dialog& d) {
        d.type(150, "Bob😀");
        hintOnTyping = d.hint();
        d.click(1);
        hintOnOk = d.hint();
        stillOpen = platform::Dialog::active() == &d;
        d.click(151);
        hintAfterClear = d.hint();
        d.type(150, "Bob");
        hintAfterMending = d.hint();
        d.click(1);
    });
    EXPECT_EQ(ranking->enterScore(300001), 1);
    EXPECT_EQ(hintOnTyping, unstorableNameHint);
    EXPECT_EQ(hintOnOk, unstorableNameHint);
    EXPECT_TRUE(stillOpen) << "OK does not store half a name";
    EXPECT_EQ(hintAfterClear, "");
    EXPECT_EQ(hintAfterMending, "");
    EXPECT_EQ(nameText(ranking->entries[0]), "Bob");
}

TEST_F(RankingTest, theRankingEntryIsRemovedFromTheMenuOnceAndTheTableShown)
{
    makeRanking();
    const std::array<int, 1> gameMenu{0};
    const auto before = window.menu().itemTexts(gameMenu);
    EXPECT_EQ(ranking->command(static_cast<RankingMode>(0)), 1);
    EXPECT_EQ(ranking->command(static_cast<RankingMode>(3)), 1);
    EXPECT_EQ(window.menu().itemTexts(gameMenu), before);
    EXPECT_TRUE(window.menu().contains(200));

    EXPECT_EQ(ranking->command(RankingMode::Show), 1);
    auto expected = before;
    expected.erase(expected.begin() + 2, expected.begin() + 4);
    EXPECT_EQ(window.menu().itemTexts(gameMenu), expected);
    EXPECT_FALSE(window.menu().contains(200));
    EXPECT_EQ(options.rankingMenuRemoved, 1);
    EXPECT_GT(countColour(canvas.backBuffer, wellArea, white), 0) << "the table is drawn on the back buffer";
    EXPECT_GT(countColour(window.screen(), wellArea, white), 0) << "and on the window";
    EXPECT_EQ(countColour(canvas.backBuffer, wellArea, red), 0);

    ranking->command(RankingMode::Show);
    EXPECT_EQ(window.menu().itemTexts(gameMenu), expected) << "nothing more is removed";
}
