// Checks the pictures built into the program: the window icon and the hand cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/window/resources.h"

namespace {

bool IsClassicColour(std::uint32_t rgb) {
    static const std::uint32_t kColours[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                             0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return std::find(std::begin(kColours), std::end(kColours), rgb) != std::end(kColours);
}

TEST(Resources, HeroIconComesInTwoSizesOfSixteenColours) {
    for (int size : {16, 32}) {
        const host::Picture* icon = platform::FindIconImage(platform::kHeroIconResource, size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(icon->width, size);
        EXPECT_EQ(icon->height, size);
        ASSERT_EQ(icon->argb.size(), static_cast<std::size_t>(size * size));
        int opaque = 0;
        for (std::uint32_t px : icon->argb) {
            if (px == 0) continue;
            ++opaque;
            EXPECT_EQ(px >> 24, 0xFFu);
            EXPECT_TRUE(IsClassicColour(px & 0xFFFFFFu)) << std::hex << px;
        }
        EXPECT_GT(opaque, size * size / 4) << "icon is almost empty";
    }
    EXPECT_EQ(platform::FindIconImage(platform::kHeroIconResource, 24), nullptr);
    EXPECT_EQ(platform::FindIconImage(8, 16), nullptr);
}

TEST(Resources, HandCursorIsMonochromeWithItsPointAtTheFingertip) {
    const host::Picture* cursor = platform::FindCursorImage(platform::kHandCursorResource);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->width, 32);
    EXPECT_EQ(cursor->height, 32);
    EXPECT_EQ(cursor->hotX, 22);
    EXPECT_EQ(cursor->hotY, 5);
    ASSERT_EQ(cursor->argb.size(), 32u * 32u);
    for (std::uint32_t px : cursor->argb)
        EXPECT_TRUE(px == 0 || px == 0xFF000000u || px == 0xFFFFFFFFu) << std::hex << px;
    EXPECT_EQ(cursor->argb[5 * 32 + 22] >> 24, 0xFFu);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(cursor->argb[static_cast<std::size_t>(y * 32 + 22)], 0u) << "ink above the point";
    EXPECT_EQ(platform::FindCursorImage(7), nullptr);
}

}  // namespace
