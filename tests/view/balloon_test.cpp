#include "tests/view/view_fixture.h"

#include "platform/sjis.h"
#include "core/fonts.h"
#include "shell/game.h"
#include "view/balloon.h"

#include <algorithm>
#include <string>

namespace {

constexpr platform::Colour black{0, 0, 0};
constexpr platform::Colour white{255, 255, 255};

std::string sjisOf(const char* utf8)
{
    return platform::sjis::fromUtf8(utf8).value();
}

PatternNames gameNames()
{
    PatternNames names{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = sjisOf(patternNamesUtf8[i]);
        std::copy(name.begin(), name.end(), names[i].begin());
    }
    return names;
}

RoundStatus withNext(int colour)
{
    RoundStatus status;
    status.nextColour = colour;
    return status;
}

int count(const platform::Surface& surface, const platform::Rect& area, platform::Colour colour)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            n += surface.pixel(x, y) == colour;
    }
    return n;
}

} // namespace

class SpeechBalloon : public ViewTest {
protected:
    PatternNames names = gameNames();
};

TEST_F(SpeechBalloon, TextIsThePatternNameFollowedByTheCryOfTheNextColour)
{
    EXPECT_EQ(balloonText(names, 1, 3), sjisOf("すりーポンだがおー"));
    EXPECT_EQ(balloonText(names, 10, 8), sjisOf("ぷれみあむパンチだほー"));
    const std::string longest = balloonText(names, 9, 1);
    EXPECT_EQ(longest, sjisOf("みっくすえくすとらパンチだらっと"));
    EXPECT_EQ(longest.size(), 32u);
}

TEST_F(SpeechBalloon, LongestTextFitsTheStripItIsErasedFrom)
{
    const platform::Font font = makeFont(10, 0, false, false, faceMincho);
    platform::Surface probe(1, 1);
    probe.selectFont(&font);
    const platform::Size extent = probe.textExtent(balloonText(names, 9, 1));
    EXPECT_EQ(extent, (platform::Size{160, 10}));
    // The body reaches 12 past the text's width and 17 past its height from the strip's corner.
    EXPECT_LE(480 + extent.width, stripArea.right);
    EXPECT_LE(424 + extent.height, stripArea.bottom);
}

TEST_F(SpeechBalloon, LongestBalloonIsDrawnWholeAndErasedExactly)
{
    ASSERT_TRUE(view.updateBalloon(names, withNext(1), 9));
    EXPECT_TRUE(view.balloonShown);

    for (platform::Surface* surface : {&canvas.backBuffer, &screen()}) {
        EXPECT_EQ(differencesOutside(*surface, background, stripArea), 0) << "nothing drawn outside the strip";
        EXPECT_EQ(surface->pixel(468, 420), black) << "left outline";
        EXPECT_EQ(surface->pixel(500, 433), black) << "bottom outline";
        EXPECT_EQ(surface->pixel(470, 412), white) << "body";
        EXPECT_EQ(surface->pixel(482, 403), white) << "tail";
        EXPECT_EQ(surface->pixel(483, 403), black) << "tail outline";
        EXPECT_EQ(surface->pixel(480, 407), white) << "join between tail and body";
        // Every one of the sixteen characters leaves ink inside the body.
        for (int c = 0; c < 16; ++c)
            EXPECT_GT(count(*surface, {472 + 10 * c, 415, 482 + 10 * c, 425}, black), 0) << "character " << c;
        EXPECT_EQ(count(*surface, {468, 415, 472, 425}, black), 10) << "the left outline and no stray ink";
        // The right outline falls on column 639, just past the client area.
        EXPECT_EQ(count(*surface, {632, 415, 639, 425}, black), 0) << "no ink right of the text";
    }
    EXPECT_EQ(differencesOutside(canvas.backBuffer, screen(), {}), 0);

    EXPECT_FALSE(view.updateBalloon(names, withNext(1), -1));
    EXPECT_FALSE(view.balloonShown);
    EXPECT_EQ(differencesOutside(canvas.backBuffer, background, {}), 0);
    EXPECT_EQ(differencesOutside(screen(), background, {}), 0);
}

TEST_F(SpeechBalloon, UpdateReturnsOneOnlyWhenItDraws)
{
    EXPECT_FALSE(view.updateBalloon(names, withNext(2), 0));
    std::int64_t copied = screen().copiedPixels();
    EXPECT_FALSE(view.updateBalloon(names, withNext(2), -1));
    EXPECT_EQ(screen().copiedPixels(), copied) << "erasing with no balloon shown copies nothing";
    EXPECT_EQ(differencesOutside(screen(), background, {}), 0);
    EXPECT_FALSE(view.updateBalloon(names, withNext(2), 11));
    EXPECT_EQ(differencesOutside(screen(), background, {}), 0);
    EXPECT_FALSE(view.balloonShown);

    EXPECT_TRUE(view.updateBalloon(names, withNext(2), 1));
    const platform::Surface drawn = [this] {
        platform::Surface copy(clientWidth, clientHeight);
        copy.copyFrom(0, 0, clientWidth, clientHeight, screen(), 0, 0);
        return copy;
    }();
    EXPECT_FALSE(view.updateBalloon(names, withNext(5), 0));
    EXPECT_TRUE(view.balloonShown);
    EXPECT_EQ(view.shown.nextColour, 5);
    EXPECT_EQ(differencesOutside(screen(), drawn, {}), 0) << "index 0 leaves the balloon in place";

    for (int pattern = 1; pattern <= 10; ++pattern)
        EXPECT_TRUE(view.updateBalloon(names, withNext(pattern % 8 + 1), pattern)) << "pattern " << pattern;
    EXPECT_FALSE(view.updateBalloon(names, withNext(1), -1));
    EXPECT_EQ(differencesOutside(screen(), background, {}), 0);
}

TEST_F(SpeechBalloon, DrawingIgnoresAndKeepsWhatTheSurfacesHadSelected)
{
    view.updateBalloon(names, withNext(4), 7);
    platform::Surface plain(clientWidth, clientHeight);
    plain.copyFrom(0, 0, clientWidth, clientHeight, screen(), 0, 0);
    view.updateBalloon(names, withNext(4), -1);

    const platform::Font other = makeFont(20, 0, false, false, faceGothic);
    const platform::Pen red{platform::rgb(255, 0, 0)};
    const platform::Brush blue{platform::rgb(0, 0, 255)};
    for (platform::Surface* surface : {&canvas.backBuffer, &screen()}) {
        surface->selectPen(red);
        surface->selectBrush(blue);
        surface->selectFont(&other);
        surface->setTextColour(platform::rgb(0, 255, 0));
        surface->setBackgroundMode(platform::BackgroundMode::Opaque);
    }
    view.updateBalloon(names, withNext(4), 7);
    EXPECT_EQ(differencesOutside(screen(), plain, {}), 0);
    EXPECT_EQ(differencesOutside(canvas.backBuffer, plain, {}), 0);
    for (platform::Surface* surface : {&canvas.backBuffer, &screen()}) {
        EXPECT_EQ(surface->pen(), red);
        EXPECT_EQ(surface->brush(), blue);
        EXPECT_EQ(surface->font(), &other);
        EXPECT_EQ(surface->textColour(), platform::rgb(0, 255, 0));
        EXPECT_EQ(surface->backgroundMode(), platform::BackgroundMode::Opaque);
    }
}

TEST_F(SpeechBalloon, RepaintFromTheBackBufferShowsTheBalloonAsDrawn)
{
    view.updateBalloon(names, withNext(1), 9);
    platform::Surface drawn(clientWidth, clientHeight);
    drawn.copyFrom(0, 0, clientWidth, clientHeight, screen(), 0, 0);

    // Something covers the balloon and goes away again.
    screen().fillRect(stripArea, platform::Brush{platform::rgb(12, 34, 56)});
    window.invalidate(stripArea);
    window.paintNow();
    EXPECT_EQ(differencesOutside(screen(), drawn, {}), 0);
}

TEST_F(SpeechBalloon, ShorterBalloonDrawsOverALongerOneUntilErased)
{
    view.updateBalloon(names, withNext(1), 9);
    view.updateBalloon(names, withNext(2), 4);
    // The longer body's right part stays; the shorter one's outline crosses it.
    EXPECT_EQ(screen().pixel(630, 433), black);
    EXPECT_FALSE(view.updateBalloon(names, withNext(2), -1));
    EXPECT_EQ(differencesOutside(canvas.backBuffer, background, {}), 0);
    EXPECT_EQ(differencesOutside(screen(), background, {}), 0);
}
