#include "platform/clock.h"
#include "platform/sjis.h"
#include "shell/game.h"
#include "core/random.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<int> drawFive(std::uint32_t seedValue)
{
    Random random;
    seed(random, seedValue);
    std::vector<int> values;
    for (int i = 0; i < 5; ++i)
        values.push_back(draw(random));
    return values;
}

} // namespace

TEST(RandomTest, drawsTheKnownSequenceAndRepeatsForTheSameSeed)
{
    EXPECT_EQ(drawFive(1), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    EXPECT_EQ(drawFive(1765000000), drawFive(1765000000));
    EXPECT_NE(drawFive(1765000000), drawFive(1765000001));
    Random random;
    seed(random, 0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int value = draw(random);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(PatternNamesTest, areShiftJisInTheirSlotsWithRoomForTheEnd)
{
    PatternNames names{};
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        const auto encoded = platform::sjis::fromUtf8(patternNamesUtf8[slot]);
        ASSERT_TRUE(encoded.has_value()) << slot;
        ASSERT_LT(encoded->size(), static_cast<std::size_t>(patternNameSlot)) << slot;
    }
    EXPECT_EQ(platform::sjis::fromUtf8(patternNamesUtf8[8])->size(), 24u);
    EXPECT_STREQ(patternNamesUtf8[3], "たまろ");
}
