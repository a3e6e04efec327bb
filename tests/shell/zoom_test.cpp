#include "tests/shell/game_window.h"

#include "platform/settings_file.h"
#include "platform/surface.h"
#include "platform/draw/surface_data.h"
#include "platform/window/window_data.h"
#include "platform/window_picture.h"
#include "ranking/data_file.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class ZoomTest : public GameWindowTest {
protected:
    std::string readDataFile()
    {
        std::ifstream in(dataFileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

} // namespace

TEST_F(ZoomTest, everyClientPixelIsShownAsAWholeBlockAndClicksMapBack)
{
    for (const int zoom : {2, 3}) {
        window.setZoom(zoom);
        window.paintNow();
        const std::string path = (folder / "zoomed.png").string();
        ASSERT_TRUE(platform::saveWindowPicture(window, path));
        const QImage shown(QString::fromStdString(path));
        const QImage& client = window.screen().data()->image;
        ASSERT_EQ(shown.width(), 639 * zoom);
        const int menuBar = shown.height() - 479 * zoom;
        int wrong = 0;
        for (int y = 0; y < 479; ++y)
            for (int x = 0; x < 639; ++x)
                for (int d = 0; d < zoom * zoom; ++d)
                    wrong += shown.pixel(x * zoom + d % zoom, menuBar + y * zoom + d / zoom) != client.pixel(x, y);
        EXPECT_EQ(wrong, 0) << "at x" << zoom;
        EXPECT_EQ(window.clientSize(), (platform::Size{639, 479})) << "the game still sees its own pixels";
    }
    // The star tab at x3, clicked where the player sees it.
    QWidget* clientWidget = window.data()->client;
    const QPointF at(93 * 3 + 1, 330 * 3 + 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, clientWidget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(clientWidget, &press);
    EXPECT_TRUE(window.menu().hasRadioMark(command::TabStar));
}

TEST_F(ZoomTest, aSizeTheDesktopForcesShowsThePictureWholeCentredAtTheLargestZoomThatFits)
{
    QWidget& frame = *window.data()->frame;
    QWidget& clientWidget = *window.data()->client;
    const platform::Rect kept = window.windowRect();
    QImage client;
    const QColor background = clientWidget.palette().window().color();
    // As a compositor maximises or tiles a window: whatever size it holds to.
    auto forceSize = [&](QSize size) {
        frame.setMinimumSize(0, 0);
        frame.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        frame.resize(size);
        QCoreApplication::processEvents();
        window.paintNow();
        // What the screen surface holds as the picture is taken: the title goes on meanwhile.
        client = window.screen().data()->image.copy();
        return clientWidget.grab().toImage();
    };
    auto click = [&](QPointF at) {
        QMouseEvent press(QEvent::MouseButtonPress, at, clientWidget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&clientWidget, &press);
    };

    // Larger than x2 by 40 x 30: x2, 20 and 15 pixels in, on plain background.
    const QSize menuBar = frame.size() - clientWidget.size();
    const QImage large = forceSize(QSize(639 * 2 + 40, 479 * 2 + 30) + QSize(0, menuBar.height()));
    ASSERT_EQ(large.size(), QSize(639 * 2 + 40, 479 * 2 + 30));
    int wrong = 0;
    for (int y = 0; y < large.height(); ++y)
        for (int x = 0; x < large.width(); ++x) {
            const int px = x - 20, py = y - 15;
            const bool inside = px >= 0 && py >= 0 && px < 639 * 2 && py < 479 * 2;
            wrong += large.pixel(x, y) != (inside ? client.pixel(px / 2, py / 2) : background.rgb());
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(window.clientSize(), (platform::Size{639, 479}));
    EXPECT_EQ(window.windowRect(), kept) << "the data file keeps the window's own size";
    // The star tab, clicked on the last device pixel of one of its blocks.
    click(QPointF(20 + 93 * 2 + 1, 15 + 330 * 2 + 1));
    EXPECT_TRUE(window.menu().hasRadioMark(command::TabStar));

    // Too small even for x1: the picture from its top-left corner, unzoomed.
    const QImage small = forceSize(QSize(400, 300 + menuBar.height()));
    wrong = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            wrong += small.pixel(x, y) != client.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST_F(ZoomTest, aZoomThatDoesNotFitTheScreenIsGreyedAndRefused)
{
    // The headless screen is 800 x 600: only x1 fits.
    EXPECT_TRUE(window.menu().isEnabled(command::Zoom1));
    EXPECT_FALSE(window.menu().isEnabled(command::Zoom2));
    EXPECT_FALSE(window.menu().isEnabled(command::Zoom3));
    EXPECT_TRUE(window.menu().hasRadioMark(command::Zoom1));
    command(command::Zoom3);
    EXPECT_EQ(window.zoom(), 1);
}

TEST_F(ZoomTest, theChoiceIsKeptApartFromTheDataFileAndDamageMeansX1)
{
    EXPECT_EQ(platform::loadZoomSetting(), 1) << "no settings file yet";
    ASSERT_TRUE(platform::saveZoomSetting(3));
    EXPECT_EQ(platform::loadZoomSetting(), 3);
    const std::string settings = std::string(std::getenv("XDG_CONFIG_HOME")) + "/tamaro/settings";
    for (const std::string& damaged : {std::string("zoom=9\n"), std::string("zoom=-2147483648"),
                                       std::string("\xff\0zoom", 6), std::string(5000, 'z'), std::string("zoom=2x")}) {
        std::ofstream(settings, std::ios::binary) << damaged;
        EXPECT_EQ(platform::loadZoomSetting(), 1) << damaged.substr(0, 20);
    }

    // The data file keeps the window's unzoomed size.
    const platform::Rect unzoomed = window.windowRect();
    window.setZoom(2);
    window.destroy();
    const std::string bytes = readDataFile();
    ASSERT_EQ(bytes.size(), dataFileBytes);
    std::int32_t stored[4];
    std::memcpy(stored, bytes.data() + 296, sizeof stored);
    EXPECT_EQ(stored[2] - stored[0], unzoomed.width());
    EXPECT_EQ(stored[3] - stored[1], unzoomed.height());
}
