#include "platform/application.h"
#include "platform/clock.h"
#include "platform/surface.h"
#include "platform/window.h"
#include "platform/window/window_data.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include <vector>

namespace {

std::vector<platform::Message> received;
std::vector<platform::Rect> paintedAreas;

void recordingProc(platform::Window& window, const platform::Message& message)
{
    received.push_back(message);
    if (message.kind == platform::MessageKind::Paint)
        paintedAreas.push_back(window.beginPaint());
}

template <typename Predicate>
bool processUntil(Predicate done, int timeoutMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        platform::Application::processEvents();
    return done();
}

int countOf(platform::MessageKind kind)
{
    int n = 0;
    for (const auto& m : received)
        n += m.kind == kind ? 1 : 0;
    return n;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        received.clear();
        paintedAreas.clear();
        window.create("test", {}, "");
    }
    void TearDown() override { platform::Clock::instance().useRealTime(); }

    void sendKey(int key, Qt::KeyboardModifiers modifiers, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(window.data()->client, &press);
    }
    void sendMouse(QEvent::Type type, Qt::MouseButton button, QPointF at)
    {
        QMouseEvent event(type, at, at, button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(window.data()->client, &event);
    }

    platform::Window window{recordingProc};
};

} // namespace

TEST_F(WindowTest, createSendsCreateFirstAndOnce)
{
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front().kind, platform::MessageKind::Create);
    window.create("again", {}, "");
    EXPECT_EQ(countOf(platform::MessageKind::Create), 1);
    EXPECT_TRUE(window.exists());
}

TEST_F(WindowTest, timersReplaceTheirPeriodAndCountStartsAndKills)
{
    EXPECT_EQ(window.timerPeriod(100), 0);
    window.setTimer(100, 2000);
    window.setTimer(100, 1500);
    EXPECT_EQ(window.timerPeriod(100), 1500);
    EXPECT_EQ(window.timerStarts(100), 2);
    window.killTimer(100);
    window.killTimer(100);
    EXPECT_EQ(window.timerPeriod(100), 0);
    EXPECT_EQ(window.timerKills(100), 1) << "killing a stopped timer is not a kill";
    window.killTimer(101);
    EXPECT_EQ(window.timerKills(101), 0);
}

TEST_F(WindowTest, aRunningTimerDeliversItsIdAndAStoppedOneNothing)
{
    window.setTimer(7, 5);
    ASSERT_TRUE(processUntil([] { return countOf(platform::MessageKind::Timer) >= 2; }));
    for (const auto& m : received) {
        if (m.kind == platform::MessageKind::Timer) {
            EXPECT_EQ(m.wParam, 7u);
        }
    }
    window.killTimer(7);
    received.clear();
    processUntil([] { return false; }, 50);
    EXPECT_EQ(countOf(platform::MessageKind::Timer), 0);
}

TEST_F(WindowTest, invalidatedAreasArePaintedOnceAsTheirUnion)
{
    window.invalidate(platform::Rect{10, 10, 20, 20});
    window.invalidate(platform::Rect{30, 5, 40, 15});
    window.invalidate(platform::Rect{-5, -5, 0, 0});
    ASSERT_TRUE(processUntil([] { return !paintedAreas.empty(); }));
    processUntil([] { return false; }, 20);
    ASSERT_EQ(paintedAreas.size(), 1u);
    EXPECT_EQ(paintedAreas[0], (platform::Rect{10, 5, 40, 20}));
    EXPECT_TRUE(window.beginPaint().isEmpty()) << "the paint area is only valid while painting";
}

TEST_F(WindowTest, waitShowsPendingPaintThenPausesThroughTheClock)
{
    platform::Clock::instance().simulate(1000);
    platform::Clock::instance().clearPauses();
    window.invalidate(platform::Rect{0, 0, 5, 5});
    window.wait(90);
    EXPECT_EQ(paintedAreas.size(), 1u);
    ASSERT_EQ(platform::Clock::instance().pauses().size(), 1u);
    EXPECT_EQ(platform::Clock::instance().pauses()[0], 90);
}

TEST_F(WindowTest, keysBecomeVirtualKeysAndCharacters)
{
    sendKey(Qt::Key_Left, Qt::NoModifier, {});
    sendKey(Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"));
    sendKey(Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    sendKey(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    sendKey(Qt::Key_F35, Qt::NoModifier, {});
    sendKey(Qt::Key_Pause, Qt::NoModifier, {});
    sendKey(Qt::Key_P, Qt::NoModifier, QStringLiteral("p"));

    std::vector<std::pair<platform::MessageKind, std::uint32_t>> keys;
    for (const auto& m : received) {
        if (m.kind == platform::MessageKind::KeyDown || m.kind == platform::MessageKind::Char)
            keys.emplace_back(m.kind, m.wParam);
    }
    using K = platform::MessageKind;
    const std::vector<std::pair<K, std::uint32_t>> expected{
        {K::KeyDown, 0x25}, {K::KeyDown, 0x62}, {K::Char, '2'},     {K::KeyDown, 0x32}, {K::Char, '2'},
        {K::KeyDown, 0x20}, {K::Char, ' '},     {K::KeyDown, 0x13}, {K::KeyDown, 0x50}, {K::Char, 'p'},
    };
    EXPECT_EQ(keys, expected);
}

TEST_F(WindowTest, onlyTheLeftButtonClicksAndADoubleClickIsASecondPress)
{
    sendMouse(QEvent::MouseButtonPress, Qt::RightButton, {50, 60});
    sendMouse(QEvent::MouseButtonPress, Qt::MiddleButton, {50, 60});
    EXPECT_EQ(countOf(platform::MessageKind::LeftButtonDown), 0);
    sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {50, 330});
    sendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, {50, 330});
    ASSERT_EQ(countOf(platform::MessageKind::LeftButtonDown), 2);
    const auto& click = received.back();
    EXPECT_EQ(platform::pointParamX(click.lParam), 50);
    EXPECT_EQ(platform::pointParamY(click.lParam), 330);
}

TEST_F(WindowTest, placeSetsTheFrameAndStackingAndReportsThePosition)
{
    window.place(platform::Rect{40, 30, 40 + 640, 30 + 500}, true);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isTopmost());
    EXPECT_EQ(window.windowRect(), (platform::Rect{40, 30, 680, 530}));
    ASSERT_GT(countOf(platform::MessageKind::PositionChanged), 0);
    platform::WindowPosition last{};
    for (const auto& m : received) {
        if (m.kind == platform::MessageKind::PositionChanged)
            last = m.position;
    }
    EXPECT_EQ(last.x, 40);
    EXPECT_EQ(last.y, 30);
    EXPECT_EQ(last.cx, 640);
    EXPECT_EQ(last.cy, 500);
    window.place(window.windowRect(), false);
    EXPECT_FALSE(window.isTopmost());
    EXPECT_EQ(window.windowRect(), (platform::Rect{40, 30, 680, 530}));
}

TEST_F(WindowTest, theScreenSurfaceFollowsTheClientSize)
{
    window.place(platform::Rect{0, 0, 300, 200}, false);
    const platform::Size client = window.clientSize();
    EXPECT_EQ(window.screen().width(), client.width);
    EXPECT_EQ(window.screen().height(), client.height);
}

TEST_F(WindowTest, theCloseBoxDestroysOnceAndLaterMessagesAreDropped)
{
    window.place(platform::Rect{0, 0, 300, 200}, false);
    window.data()->frame->close();
    window.data()->frame->close();
    EXPECT_EQ(countOf(platform::MessageKind::Destroy), 1);
    EXPECT_TRUE(window.destroyed());
    EXPECT_FALSE(window.isVisible());
    received.clear();
    sendKey(Qt::Key_Left, Qt::NoModifier, {});
    EXPECT_TRUE(received.empty());
}

TEST(WindowIcon, theWindowCarriesTheIconsTwoImagesEachAtItsOwnSize)
{
    platform::Window window(recordingProc);
    window.create("icon", {}, "TM_ICON");
    const QIcon icon = platform::frameOf(window)->windowIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    for (const int size : {16, 32}) {
        const QImage drawn(QStringLiteral(":/resources/pictures/tm_icon_%1.png").arg(size));
        ASSERT_FALSE(drawn.isNull()) << size;
        EXPECT_EQ(icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(drawn.format()), drawn)
            << "the " << size << " px image is shown as drawn, not scaled from the other";
    }
}
