#include "platform/application.h"
#include "platform/dialog.h"
#include "platform/sjis.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

void noProc(platform::Window&, const platform::Message&) {}

constexpr std::array<platform::ControlTemplate, 7> controls{{
    {151, platform::ControlKind::Button, "ｸﾘｱ", 5, 30, 30, 14, false},
    {1, platform::ControlKind::DefaultButton, "ｵｰｹｰ", 40, 30, 30, 14, false},
    {2, platform::ControlKind::Button, "ｷｬﾝｾﾙ", 75, 30, 30, 14, false},
    {150, platform::ControlKind::Edit, "", 5, 5, 100, 14, false},
    {134, platform::ControlKind::RadioButton, "A1", 5, 50, 30, 10, true},
    {135, platform::ControlKind::RadioButton, "A2", 40, 50, 30, 10, false},
    {136, platform::ControlKind::RadioButton, "B1", 75, 50, 30, 10, true},
}};
constexpr platform::DialogTemplate dialogTemplate{"名前登録", 10, 10, 110, 63, "ＭＳ Ｐゴシック", 9, controls};

struct Log {
    std::vector<std::pair<platform::DialogEvent, int>> events;
    bool endOnCancel = true;
};

int loggingProc(platform::Dialog& dialog, platform::DialogEvent event, int id, void* context)
{
    auto& log = *static_cast<Log*>(context);
    log.events.emplace_back(event, id);
    if (event == platform::DialogEvent::Init) {
        dialog.setTextLimit(150, 11);
        dialog.setChecked(136, true);
        return 1;
    }
    if (event == platform::DialogEvent::Command && (id == 1 || (id == 2 && log.endOnCancel))) {
        dialog.end(id == 1 ? 7 : 0);
        return 1;
    }
    return 0;
}

// Runs the dialog; `person` acts on it once it is open, as a person would.
int runWith(platform::Window& owner, Log& log, std::function<void(platform::Dialog&)> person)
{
    platform::Application::runSoon([person] {
        platform::Dialog* open = platform::Dialog::active();
        ASSERT_NE(open, nullptr);
        person(*open);
    });
    return platform::Dialog::run(owner, dialogTemplate, loggingProc, &log);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { owner.create("owner", {}, ""); }
    platform::Window owner{noProc};
    Log log;
};

} // namespace

TEST_F(DialogTest, opensWithInitThenEndsWithTheResultItsProcedureGives)
{
    std::string caption;
    bool focusOnFirstButton = false;
    const int result = runWith(owner, log, [&](platform::Dialog& d) {
        caption = d.caption();
        focusOnFirstButton = d.hasFocus(151);
        d.click(1);
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(caption, "名前登録");
    EXPECT_TRUE(focusOnFirstButton) << "focus goes to the first control that takes it";
    ASSERT_GE(log.events.size(), 2u);
    EXPECT_EQ(log.events.front().first, platform::DialogEvent::Init);
    EXPECT_EQ(log.events.back(), std::make_pair(platform::DialogEvent::Command, 1));
    EXPECT_EQ(platform::Dialog::active(), nullptr);
}

TEST_F(DialogTest, escapeAndTheCloseBoxArriveAsCommandTwo)
{
    runWith(owner, log, [](platform::Dialog& d) { d.pressEscape(); });
    EXPECT_EQ(log.events.back(), std::make_pair(platform::DialogEvent::Command, 2));
    log.events.clear();
    runWith(owner, log, [](platform::Dialog& d) { d.closeBox(); });
    EXPECT_EQ(log.events.back(), std::make_pair(platform::DialogEvent::Command, 2));
}

TEST_F(DialogTest, aProcedureThatDoesNotEndTheDialogKeepsItOpen)
{
    log.endOnCancel = false;
    bool stillOpen = false;
    runWith(owner, log, [&](platform::Dialog& d) {
        d.closeBox();
        platform::Application::processEvents();
        stillOpen = platform::Dialog::active() == &d;
        d.click(1);
    });
    EXPECT_TRUE(stillOpen);
}

TEST_F(DialogTest, radioGroupsAreSeparateAndClicksCheckWithinTheirGroup)
{
    std::array<bool, 3> after{};
    runWith(owner, log, [&](platform::Dialog& d) {
        d.click(135);
        after = {d.isChecked(134), d.isChecked(135), d.isChecked(136)};
        d.click(1);
    });
    EXPECT_EQ(after, (std::array<bool, 3>{false, true, true}));
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), std::make_pair(platform::DialogEvent::Command, 135)),
              log.events.end());
}

TEST_F(DialogTest, theEditLimitCountsShiftJisBytes)
{
    std::string ascii;
    std::string kana;
    runWith(owner, log, [&](platform::Dialog& d) {
        d.type(150, "abcdefghijklmn");
        ascii = d.text(150);
        d.setText(150, "");
        d.type(150, "たまろたまろ");
        kana = d.text(150);
        d.click(1);
    });
    EXPECT_EQ(ascii, "abcdefghijk");
    EXPECT_EQ(platform::sjis::toUtf8(kana), "たまろたま") << "a double-byte character that would pass the limit is refused";
    EXPECT_NE(std::find(log.events.begin(), log.events.end(), std::make_pair(platform::DialogEvent::Changed, 150)),
              log.events.end());
}

TEST_F(DialogTest, textWithCharactersShiftJisCannotHoldIsReportedWithoutThem)
{
    std::string utf8;
    std::string sjisText;
    std::string hint;
    runWith(owner, log, [&](platform::Dialog& d) {
        d.type(150, "a😀b");
        utf8 = d.textUtf8(150);
        sjisText = d.text(150);
        d.showHint("使えない文字です");
        hint = d.hint();
        d.click(1);
    });
    EXPECT_EQ(utf8, "a😀b");
    EXPECT_EQ(sjisText, "ab");
    EXPECT_EQ(hint, "使えない文字です");
}
