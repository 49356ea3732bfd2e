// The web host's key table gives the codes the SDL host gives for the same keys, with a
// letter's virtual-key code following the layout and its scan code the position.
#include "hosts/web/web_keymap.h"

#include <gtest/gtest.h>

#include "hosts/key_codes.h"

namespace {

using host::web::MapKey;

TEST(WebKeymap, TheGamesKeysHaveTheirCodes) {
    EXPECT_EQ(VK_LEFT, MapKey("ArrowLeft", "ArrowLeft").virtualKey);
    EXPECT_EQ(0xCB, MapKey("ArrowLeft", "ArrowLeft").scanCode);
    EXPECT_EQ(VK_SPACE, MapKey("Space", " ").virtualKey);
    EXPECT_EQ(0x39, MapKey("Space", " ").scanCode);
    EXPECT_EQ(VK_CONTROL, MapKey("ControlRight", "Control").virtualKey);
    EXPECT_EQ(0x9D, MapKey("ControlRight", "Control").scanCode);
    EXPECT_EQ(VK_RETURN, MapKey("NumpadEnter", "Enter").virtualKey);
    EXPECT_EQ('2', MapKey("Digit2", "\"").virtualKey);
    EXPECT_EQ(VK_F12, MapKey("F12", "F12").virtualKey);
}

TEST(WebKeymap, ALetterFollowsTheLayoutAndItsScanCodeThePosition) {
    const host::web::KeyCodes q = MapKey("KeyQ", "a");  // a French board's A
    EXPECT_EQ('A', q.virtualKey);
    EXPECT_EQ(0x10, q.scanCode);
    EXPECT_EQ('Q', MapKey("KeyQ", "\xd0\xb9").virtualKey);  // a Cyrillic layout keeps the position's letter
}

TEST(WebKeymap, UnknownKeysHaveNoCodes) {
    EXPECT_EQ(0, MapKey("LaunchMail", "LaunchMail").virtualKey);
    EXPECT_EQ(0, MapKey("LaunchMail", "LaunchMail").scanCode);
    EXPECT_EQ(0, MapKey(nullptr, nullptr).virtualKey);
}

}  // namespace
