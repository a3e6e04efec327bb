#include "platform/application.h"
#include "platform/dialog.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "platform/window/window_data.h"
#include "ranking/name_entry.h"
#include "resources/dialogs.h"
#include "resources/name_dialog.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

// Pixels of the hint's dark red text.
long hintPixels(const QImage& image)
{
    long n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 120 && c.green() < 60 && c.blue() < 60;
        }
    return n;
}

void noProc(platform::Window&, const platform::Message&)
{
}

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

struct EditCase {
    const char* typed;
    std::vector<platform::DialogKey> moves;
    const char* typedThen;
    const char* pasted;
    const char* expected;
};

// Typed as a person types, then one more key or a paste at the cursor.
std::string editAfter(platform::Window& owner, Log& log, const EditCase& c)
{
    std::string text;
    runWith(owner, log, [&](platform::Dialog& d) {
        d.type(150, c.typed);
        for (const platform::DialogKey key : c.moves)
            d.pressKey(key);
        if (c.pasted)
            d.paste(150, c.pasted);
        else
            d.type(150, c.typedThen);
        text = d.textUtf8(150);
        d.click(1);
    });
    return text;
}

constexpr auto Home = platform::DialogKey::Home;
constexpr auto End = platform::DialogKey::End;
constexpr auto Right = platform::DialogKey::Right;

TEST_F(DialogTest, aFullEditFieldRefusesTheKeyWhereverTheCursorIs)
{
    const std::vector<EditCase> cases{
        {"ABCDEFGHIJK", {Home}, "Z", nullptr, "ABCDEFGHIJK"},
        {"ABCDEFGHIJK", {Home, Right, Right, Right, Right, Right}, "Z", nullptr, "ABCDEFGHIJK"},
        {"ABCDEFGHIJK", {End}, "Z", nullptr, "ABCDEFGHIJK"},
        {"ABCDEFGHIJKLMN", {}, "", nullptr, "ABCDEFGHIJK"},
        {"あいうえおA", {Home}, "か", nullptr, "あいうえおA"},
        {"あいうえおA", {Home, Right, Right}, "Z", nullptr, "あいうえおA"},
        {"ABCDEFGHIJ", {Home}, "か", nullptr, "ABCDEFGHIJ"},
        {"ABCDEFGHIJ", {Home, Right}, "Zか", nullptr, "AZBCDEFGHIJ"},
        {"たまろたまろ", {}, "", nullptr, "たまろたま"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(editAfter(owner, log, c), c.expected) << c.typed << " then " << c.typedThen;
}

TEST_F(DialogTest, aPasteTakesOnlyWholeCharactersThatFitAndThatCodePage932Holds)
{
    const std::string tenThousand(10000, 'x');
    std::string unholdable;
    for (int i = 0; i < 5000; ++i)
        unholdable += "😀한";
    unholdable += "Z";
    const std::string mixed = "😀\tA\x01"
                              "B\nあ\x7f"
                              + tenThousand;
    const std::vector<EditCase> cases{
        {"", {}, "", "ABCDEFGHIJKLMN", "ABCDEFGHIJK"},
        {"ABC", {Home}, "", "あいうえお", "あいうえABC"},
        {"ABCDEFGHI", {Home, Right, Right, Right}, "", "あいう", "ABCあDEFGHI"},
        {"ABCDEFGHIJ", {End}, "", "あX", "ABCDEFGHIJ"},
        {"", {}, "", mixed.c_str(), "ABあxxxxxxx"},
        {"Bob", {End}, "", unholdable.c_str(), "BobZ"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(editAfter(owner, log, c), c.expected)
            << c.typed << " then a paste of " << std::string(c.pasted).substr(0, 40);
}

TEST_F(DialogTest, returnPressesTheFocusedPushButtonOrElseTheDefaultOne)
{
    struct Case {
        int tabs;
        int command;
    };
    // The focus starts on ｵｰｹｰ, then ｷｬﾝｾﾙ, then the first group of radio buttons.
    for (const Case c : {Case{0, 1}, Case{1, 2}, Case{2, 1}, Case{3, 1}}) {
        log.events.clear();
        platform::Application::runSoon([&] {
            platform::Dialog& d = *platform::Dialog::active();
            for (int i = 0; i < c.tabs; ++i)
                d.pressKey(platform::DialogKey::Tab);
            d.pressKey(platform::DialogKey::Return);
        });
        platform::Dialog::run(owner, keysDialog, loggingProc, &log);
        EXPECT_EQ(log.events.back(), std::make_pair(platform::DialogEvent::Command, c.command)) << c.tabs << " tabs";
    }
}

TEST_F(DialogTest, theHintIsDrawnWholeInsideTheDialog)
{
    const std::string longHint = std::string(unstorableNameHint) + std::string(unstorableNameHint);
    for (const std::string_view hint : {std::string_view("短い"), unstorableNameHint, std::string_view(longHint)}) {
        long inDialog = 0;
        long whole = 0;
        platform::Application::runSoon([&] {
            platform::Dialog& d = *platform::Dialog::active();
            d.showHint(hint);
            platform::Application::processEvents();
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            inDialog = hintPixels(dialog->grab().toImage());
            // The same text with room to spare below it.
            QLabel alone(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())));
            const QLabel* shown = nullptr;
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                shown = label->text() == alone.text() ? label : shown;
            ASSERT_NE(shown, nullptr);
            alone.setFont(shown->font());
            alone.setStyleSheet(shown->styleSheet());
            alone.setWordWrap(true);
            alone.setAlignment(shown->alignment());
            alone.resize(shown->width(), shown->heightForWidth(shown->width()) + 100);
            whole = hintPixels(alone.grab().toImage());
            d.click(2);
        });
        platform::Dialog::run(owner, nameDialog, loggingProc, &log);
        EXPECT_GT(whole, 0);
        EXPECT_EQ(inDialog, whole) << hint;
    }
}

TEST_F(DialogTest, whereTheDesktopMayGiveAnySizeTheControlsStayTogetherInTheMiddle)
{
    for (const bool anySize : {false, true}) {
        owner.data()->toolkitTitleBar = anySize;
        QSize own, maximum;
        QPoint buttonMoved, hintMoved;
        runWith(owner, log, [&](platform::Dialog& d) {
            QWidget& dialog = *QApplication::activeModalWidget();
            d.showHint("短い");
            own = dialog.size();
            maximum = dialog.maximumSize();
            QWidget* button = dialog.findChildren<QPushButton*>().front();
            QWidget* hint = dialog.findChildren<QLabel*>().back();
            const QPoint button0 = button->pos(), hint0 = hint->pos();
            // As a compositor maximises the dialog.
            dialog.resize(own + QSize(100, 60));
            platform::Application::processEvents();
            buttonMoved = button->pos() - button0;
            hintMoved = hint->pos() - hint0;
            d.click(1);
        });
        if (!anySize) {
            EXPECT_EQ(maximum, own) << "where the desktop draws the title bar, the dialog has one size";
            continue;
        }
        EXPECT_EQ(maximum, QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        EXPECT_EQ(buttonMoved, QPoint(50, 30)) << "the controls move to the middle";
        EXPECT_EQ(hintMoved, buttonMoved) << "and the hint with them";
    }
    owner.data()->toolkitTitleBar = false;
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
