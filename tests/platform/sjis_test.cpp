#include "platform/sjis.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace platform;

namespace {

struct Name {
    const char* utf8;
    std::size_t characters;
};

// The ten pattern names, every character of them kana or kanji.
constexpr std::array<Name, 10> patternNames{{
    {"すりーポン", 5},
    {"つーポン", 4},
    {"みっくすパンチ", 7},
    {"たまろ", 3},
    {"えくすとらパンチ", 8},
    {"だぶるみっくすパンチ", 10},
    {"こんとらすとパンチ", 9},
    {"ポンみっくす", 6},
    {"みっくすえくすとらパンチ", 12},
    {"ぷれみあむパンチ", 8},
}};

} // namespace

TEST(Sjis, PatternNamesRoundTripAtTwoBytesPerCharacter)
{
    for (const Name& name : patternNames) {
        const auto encoded = sjis::fromUtf8(name.utf8);
        ASSERT_TRUE(encoded.has_value()) << name.utf8;
        EXPECT_EQ(encoded->size(), 2 * name.characters) << name.utf8;
        EXPECT_EQ(sjis::toUtf8(*encoded), name.utf8);
    }
    EXPECT_EQ(sjis::fromUtf8(patternNames[8].utf8)->size(), 24u);
}

TEST(Sjis, KnownCodesOfMixedWidthText)
{
    EXPECT_EQ(sjis::fromUtf8("ｸﾘｱ"), std::string("\xB8\xD8\xB1"));
    EXPECT_EQ(sjis::fromUtf8("あA"), std::string("\x82\xA0"
                                                 "A"));
    EXPECT_EQ(sjis::fromUtf8("×＋◆★▼"), std::string("\x81\x7E\x81\x7B\x81\x9F\x81\x9A\x81\xA5"));
    EXPECT_EQ(sjis::toUtf8("\xB8\xD8\xB1"), "ｸﾘｱ");
    EXPECT_EQ(sjis::fromUtf8(""), std::string());
}

TEST(Sjis, CharactersOutsideTheCodePageGiveNothing)
{
    EXPECT_FALSE(sjis::fromUtf8("たまろ\xF0\x9F\x98\x80").has_value()); // an emoji
    EXPECT_FALSE(sjis::fromUtf8("\xC3\xA9").has_value());               // é
    EXPECT_FALSE(sjis::fromUtf8("\xE3\x81").has_value());               // UTF-8 cut short
    EXPECT_FALSE(sjis::fromUtf8("a\xFF"
                                "b")
                     .has_value()); // not UTF-8 at all
}

TEST(Sjis, InvalidBytesBecomeReplacementCharactersAndDecodingGoesOn)
{
    const std::string replacement = "\xEF\xBF\xBD";
    // A lead byte at the very end, with no trail byte.
    EXPECT_EQ(sjis::toUtf8("A\x82"), "A" + replacement);
    // A lead byte followed by a byte that cannot trail: the second byte stands on its own.
    EXPECT_EQ(sjis::toUtf8(std::string("\x82\x20"
                                       "B",
                                       3)),
              replacement + " B");
    // Bytes that start nothing in this code page.
    EXPECT_EQ(sjis::toUtf8("\xFF\xFF"
                           "C"),
              replacement + replacement + "C");
    // An embedded NUL is a character like any other.
    EXPECT_EQ(sjis::toUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
    // The end of the view is respected: the byte after it is never read.
    const std::string longer = "\x82\xA0\x82\xA2";
    EXPECT_EQ(sjis::toUtf8(std::string_view(longer).substr(0, 3)), "あ" + replacement);
}

TEST(Sjis, CharacterLengthFollowsLeadAndTrailBytes)
{
    EXPECT_EQ(sjis::characterLength(""), 0u);
    EXPECT_EQ(sjis::characterLength("A"), 1u);
    EXPECT_EQ(sjis::characterLength("\xB8"), 1u); // half-width katakana
    EXPECT_EQ(sjis::characterLength("\x82\xA0"), 2u);
    EXPECT_EQ(sjis::characterLength("\x82"), 1u);     // lead byte with nothing after it
    EXPECT_EQ(sjis::characterLength("\x82\x20"), 1u); // lead byte with an invalid trail
}

TEST(Sjis, TruncateNeverSplitsADoubleByteCharacter)
{
    const std::string name = *sjis::fromUtf8("みっくすえくすとらパンチ");
    EXPECT_EQ(sjis::truncate(name, 24), name);
    EXPECT_EQ(sjis::truncate(name, 100), name);
    EXPECT_EQ(sjis::truncate(name, 23).size(), 22u);
    EXPECT_EQ(sjis::truncate(name, 1).size(), 0u);
    EXPECT_EQ(sjis::truncate(name, 0).size(), 0u);

    const std::string mixed = *sjis::fromUtf8("Aあｸい"); // bytes: 1, 2, 1, 2
    EXPECT_EQ(sjis::truncate(mixed, 2), "A");
    EXPECT_EQ(sjis::truncate(mixed, 3), mixed.substr(0, 3));
    EXPECT_EQ(sjis::truncate(mixed, 4), mixed.substr(0, 4));
    EXPECT_EQ(sjis::truncate(mixed, 5), mixed.substr(0, 4));
    EXPECT_EQ(sjis::toUtf8(sjis::truncate(mixed, 5)), "Aあｸ");
}
