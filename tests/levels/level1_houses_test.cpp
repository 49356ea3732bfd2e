// Level 1's houses: house i starts between 180i and 180i + 40 and its top between 120 and
// 160, and over many starts the whole of each range is used.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "levels/level1.h"
#include "levels/random.h"
#include "support/game_fixture.h"

namespace {

class Level1HousesTest : public gametest::GameFixture {};

TEST_F(Level1HousesTest, EveryHouseLiesInItsRanges) {
    int lowestOffset = INT_MAX, highestOffset = INT_MIN, lowestTop = INT_MAX, highestTop = INT_MIN;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SeedRandom(seed * 7919u);
        for (Sprite& house : level1Houses) DestroySprite(&house);
        ASSERT_EQ(1, LoadLevel1Houses());
        for (int i = 0; i < 20; ++i) {
            const Sprite& house = level1Houses[i];
            const int offset = static_cast<int>(house.x) - 180 * i;
            const int top = static_cast<int>(house.y);
            ASSERT_EQ(house.x, static_cast<float>(static_cast<int>(house.x))) << "whole pixels";
            ASSERT_GE(offset, 0) << "house " << i << " seed " << seed;
            ASSERT_LE(offset, 40) << "house " << i << " seed " << seed;
            ASSERT_GE(top, 120) << "house " << i << " seed " << seed;
            ASSERT_LE(top, 160) << "house " << i << " seed " << seed;
            ASSERT_EQ(164, house.width);
            ASSERT_EQ(136, house.height);
            lowestOffset = std::min(lowestOffset, offset);
            highestOffset = std::max(highestOffset, offset);
            lowestTop = std::min(lowestTop, top);
            highestTop = std::max(highestTop, top);
        }
    }
    // 6000 houses: each range is spanned from end to end.
    EXPECT_LE(lowestOffset, 1);
    EXPECT_GE(highestOffset, 39);
    EXPECT_LE(lowestTop, 122);
    EXPECT_GE(highestTop, 158);
}

}  // namespace
