#include "platform/application.h"
#include "platform/font.h"
#include "platform/draw/font_data.h"
#include "platform/notice.h"
#include "platform/sjis.h"
#include "platform/surface.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace platform;

namespace {

constexpr Colour black{0, 0, 0};
constexpr Colour white{255, 255, 255};
constexpr Colour blue{0, 0, 255};

std::string sjisText(const char* utf8)
{
    return sjis::fromUtf8(utf8).value();
}

// The smallest rectangle holding every pixel that differs from the background.
Rect inkBox(const Surface& surface, Colour background)
{
    Rect box;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.pixel(x, y) != background)
                box = unite(box, Rect{x, y, x + 1, y + 1});
        }
    }
    return box;
}

// White text drawn without a background on a black surface.
Surface written(const Font& font, int x, int y, const char* utf8, int width = 200, int height = 80)
{
    Surface surface(width, height);
    surface.selectFont(&font);
    surface.setTextColour(white);
    surface.setBackgroundMode(BackgroundMode::Transparent);
    surface.textOut(x, y, sjisText(utf8));
    return surface;
}

// Ink of a run of equal characters: every cell holds the first cell's ink,
// moved by a whole number of cells, and nothing lies beyond the last cell.
void expectRepeatsEvery(const Surface& surface, int x, int y, int cell, int cells, int height)
{
    const Rect ink = inkBox(surface, black);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left, x);
    EXPECT_LE(ink.right, x + cell * cells);
    EXPECT_GE(ink.top, y);
    EXPECT_LE(ink.bottom, y + height);
    for (int k = 1; k < cells; ++k) {
        for (int row = y; row < y + height; ++row) {
            for (int col = x; col < x + cell; ++col)
                ASSERT_EQ(surface.pixel(col, row), surface.pixel(col + k * cell, row))
                    << k << ": " << col << "," << row;
        }
    }
}

} // namespace

TEST(Font, FacesFallBackToTheIpaFaceOfTheirKind)
{
    EXPECT_EQ(Font::create(10, 0, false, false, "ＭＳ 明朝").family(), "IPAMincho");
    EXPECT_EQ(Font::create(20, 0, false, false, "ＭＳ ゴシック").family(), "IPAGothic");
    EXPECT_EQ(Font::create(20, 0, false, false, "ＭＳ Ｐゴシック").family(), "IPAPGothic");
    EXPECT_EQ(Font::create(12, 0, false, false, "IPAPMincho").family(), "IPAPMincho");

    // A face of no known kind still gets a face that holds Japanese.
    const Font other = Font::create(20, 0, false, false, "No Such Face");
    EXPECT_FALSE(other.family().empty());
    EXPECT_FALSE(inkBox(written(other, 0, 0, "漢字"), black).isEmpty());
}

TEST(Font, SizesAndStyleAsAsked)
{
    const Font table = Font::create(40, 5, true, false, "ＭＳ 明朝");
    EXPECT_FALSE(table.isNull());
    EXPECT_EQ(table.height(), 40);
    EXPECT_EQ(table.halfWidth(), 5);
    EXPECT_TRUE(table.italic());
    EXPECT_FALSE(table.underline());

    const Font tab = Font::create(20, 0, false, true, "ＭＳ ゴシック");
    EXPECT_EQ(tab.halfWidth(), 10);
    EXPECT_TRUE(tab.underline());
    EXPECT_EQ(Font::create(15, 0, false, false, "ＭＳ 明朝").halfWidth(), 7);

    Font moved = Font::create(10, 0, false, false, "ＭＳ 明朝");
    const Font kept = std::move(moved);
    EXPECT_TRUE(moved.isNull());
    EXPECT_EQ(moved.height(), 0);
    EXPECT_EQ(kept.height(), 10);
    EXPECT_TRUE(Font().isNull());
}

TEST(Font, ExtentCountsHalfWidthPerByte)
{
    const Font mincho = Font::create(10, 0, false, false, "ＭＳ 明朝");
    Surface surface(10, 10);
    surface.selectFont(&mincho);
    EXPECT_EQ(surface.textExtent("AB"), (Size{10, 10}));
    EXPECT_EQ(surface.textExtent(sjisText("あい")), (Size{20, 10}));
    EXPECT_EQ(surface.textExtent(sjisText("Aあｸ")), (Size{20, 10}));
    EXPECT_EQ(surface.textExtent(sjisText("みっくすえくすとらパンチだらっと")), (Size{160, 10}));
    EXPECT_EQ(surface.textExtent(""), (Size{0, 10}));
    // A lead byte without its trail byte takes one half-width cell.
    EXPECT_EQ(surface.textExtent("A\x82"), (Size{10, 10}));

    const Font table = Font::create(40, 5, true, false, "ＭＳ 明朝");
    surface.selectFont(&table);
    EXPECT_EQ(surface.textExtent("200000"), (Size{30, 40}));
    EXPECT_EQ(surface.textExtent(sjisText("すたんだーど")), (Size{60, 40}));

    surface.selectFont(nullptr);
    EXPECT_EQ(surface.textExtent("AB"), (Size{12, 12}));
}

TEST(Font, GlyphsAdvanceByTheirCellsOnThePicture)
{
    const Font mincho = Font::create(10, 0, false, false, "ＭＳ 明朝");
    expectRepeatsEvery(written(mincho, 7, 3, "■■■■"), 7, 3, 10, 4, 10);
    expectRepeatsEvery(written(mincho, 7, 3, "HHHHHH"), 7, 3, 5, 6, 10);
    expectRepeatsEvery(written(mincho, 7, 3, "ｸｸｸ"), 7, 3, 5, 3, 10);

    const Font narrow = Font::create(18, 5, false, false, "ＭＳ 明朝");
    expectRepeatsEvery(written(narrow, 4, 4, "ままま"), 4, 4, 10, 3, 18);

    const Font squeezed = Font::create(40, 5, false, false, "ＭＳ 明朝");
    expectRepeatsEvery(written(squeezed, 10, 20, "0000000"), 10, 20, 5, 7, 40);
}

TEST(Font, InkStaysWithinTheTextHeight)
{
    for (const Font& font :
         {Font::create(10, 0, false, false, "ＭＳ 明朝"), Font::create(18, 5, false, false, "ＭＳ 明朝"),
          Font::create(20, 0, false, true, "ＭＳ ゴシック"), Font::create(40, 5, true, false, "ＭＳ 明朝")}) {
        const Surface surface = written(font, 5, 15, "gjy|｜「」◆▼_g");
        const Rect ink = inkBox(surface, black);
        ASSERT_FALSE(ink.isEmpty()) << font.height();
        EXPECT_GE(ink.top, 15) << font.height();
        EXPECT_LE(ink.bottom, 15 + font.height()) << font.height();
        // The full-width bar reaches from near the top of its cell to near the bottom.
        EXPECT_LE(ink.top, 15 + font.height() / 5) << font.height();
        EXPECT_GE(ink.bottom, 15 + font.height() - font.height() / 5) << font.height();
    }
}

TEST(Font, ItalicLeansRightWithinItsOverhang)
{
    const Font upright = Font::create(40, 5, false, false, "ＭＳ 明朝");
    const Font italic = Font::create(40, 5, true, false, "ＭＳ 明朝");
    const Rect straight = inkBox(written(upright, 10, 10, "I"), black);
    const Rect slanted = inkBox(written(italic, 10, 10, "I"), black);
    EXPECT_GE(straight.left, 10);
    EXPECT_LE(straight.right, 15);
    EXPECT_GT(slanted.right, straight.right);
    EXPECT_LE(slanted.right, 15 + 10);
}

TEST(Font, UnderlineRunsUnderTheWholeText)
{
    const Font plain = Font::create(20, 0, false, false, "ＭＳ ゴシック");
    const Font underlined = Font::create(20, 0, false, true, "ＭＳ ゴシック");
    EXPECT_TRUE(inkBox(written(plain, 10, 10, "    "), black).isEmpty());
    const Rect line = inkBox(written(underlined, 10, 10, "    "), black);
    EXPECT_EQ(line.left, 10);
    EXPECT_EQ(line.right, 50);
    EXPECT_GT(line.top, 20);
    EXPECT_LE(line.bottom, 30);
}

TEST(Font, OpaqueTextFillsItsCellsAndTransparentTextOnlyInks)
{
    const Font mincho = Font::create(10, 0, false, false, "ＭＳ 明朝");
    Surface opaque(60, 30);
    opaque.selectFont(&mincho);
    opaque.setTextColour(white);
    opaque.setBackgroundColour(blue);
    opaque.textOut(3, 4, sjisText("たまろ!"));
    EXPECT_EQ(inkBox(opaque, black), (Rect{3, 4, 38, 14}));
    int paper = 0;
    int ink = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Colour c = opaque.pixel(x, y);
            paper += c == blue;
            ink += c == white;
        }
    }
    EXPECT_GT(ink, 20);
    EXPECT_EQ(paper + ink, 35 * 10);

    Surface transparent = written(mincho, 3, 4, "たまろ!", 60, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Colour c = transparent.pixel(x, y);
            ASSERT_TRUE(c == black || c == white) << x << "," << y;
            ASSERT_EQ(c == white, opaque.pixel(x, y) == white) << x << "," << y;
        }
    }
}

TEST(Font, TextWithoutAFontUsesTheDefaultGothic)
{
    Surface surface(100, 30);
    surface.setTextColour(white);
    surface.setBackgroundColour(blue);
    surface.textOut(0, 0, sjisText("Aあ"));
    EXPECT_EQ(inkBox(surface, black), (Rect{0, 0, 18, 12}));
    EXPECT_TRUE(surface.pixel(17, 11) == blue || surface.pixel(17, 11) == white);
}

// The child starts afresh with a font configuration that lists no face at
// all: one line of ours and one notice say so, and the menus paint without
// warnings.
TEST(FontDeathTest, withNoJapaneseFaceThePlayerIsToldOnceAndNothingElseIsSaid)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string config = (std::filesystem::path(::testing::TempDir()) / "tamaro-no-fonts.conf").string();
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const char* earlier = std::getenv("FONTCONFIG_FILE");
    const std::string kept = earlier ? earlier : "";
    ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
    EXPECT_EXIT(
        {
            ::testing::internal::CaptureStderr();
            const Font gothic = Font::create(12, 0, false, false, "ＭＳ ゴシック");
            const Font mincho = Font::create(18, 5, false, false, "ＭＳ 明朝");
            QMenu menu;
            menu.setFont(gothic.data()->font);
            menu.addAction(QStringLiteral("開始(&S)\tF2"));
            menu.addAction(QStringLiteral("タマロの終了(&X)"));
            for (int i = 0; i < 3; ++i) {
                menu.grab();
                Application::processEvents();
            }
            const std::string said = ::testing::internal::GetCapturedStderr();
            int ours = 0;
            for (std::size_t at = said.find("tamaro:"); at != std::string::npos; at = said.find("tamaro:", at + 1))
                ++ours;
            std::fprintf(stderr, "lines %d, size warnings %d, notice %s\n", ours,
                         said.find("Point size") != std::string::npos,
                         shownNotice().find("fonts-ipafont-gothic") != std::string::npos ? "shown" : "missing");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "lines 1, size warnings 0, notice shown");
    if (earlier)
        ::setenv("FONTCONFIG_FILE", kept.c_str(), 1);
    else
        ::unsetenv("FONTCONFIG_FILE");
    std::filesystem::remove(config);
}
