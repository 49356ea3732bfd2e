// Level 3 tests in process, on room masks drawn by the test.
// The hero's animation, key priority, wall strips, room changes, footsteps and a lost keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/screens.h"
#include "audio/sound.h"
#include "levels/level3.h"
#include "platform/dinput.h"
#include "support/game_fixture.h"

namespace {

constexpr std::uint16_t kFree = 0xFFFF;
constexpr std::uint16_t kWall = 0;

class Level3Test : public gametest::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (HasFatalFailure()) return;
        currentLevel = 3;
        ASSERT_NE(roomMaskSurface, nullptr);
        for (BitmapImage* image : {&roomMasks[0], &roomMasks[1], &roomImages[0]}) {
            ASSERT_NE(image->buffer, nullptr);
            ASSERT_EQ(640 * 480 * 2, image->byteCount);
            image->attributes |= imageLoaded;
        }
        Fill(roomImages[0], 0x07E0);  // green
        ClearMasks();
        EnterRoom(0);
    }

    static void Fill(BitmapImage& image, std::uint16_t colour) {
        std::fill_n(reinterpret_cast<std::uint16_t*>(image.buffer), 640 * 480, colour);
    }
    static void ClearMasks() {
        Fill(roomMasks[0], kFree);
        Fill(roomMasks[1], kFree);
        DrawRoomMask();
    }
    static void EnterRoom(int room) {
        roomIndex = room;
        DrawRoomMask();
    }
    // One wall pixel in a room's mask; the mask surface is refreshed when it is the current room.
    static void Wall(int room, int x, int y) {
        reinterpret_cast<std::uint16_t*>(roomMasks[room].buffer)[y * 640 + x] = kWall;
        if (room == roomIndex) DrawRoomMask();
    }
    static void Place(float x, float y) {
        level3Hero.x = x;
        level3Hero.y = y;
    }
};

TEST_F(Level3Test, StartsAt240By300FacingLeftAndStepsEveryThirdFrameStanding) {
    EXPECT_EQ(240, level3Hero.x);
    EXPECT_EQ(300, level3Hero.y);
    EXPECT_EQ(3, level3Hero.currentAnimation);
    EXPECT_EQ(0, level3Hero.currentFrame);
    // Sequence 3 is 16, 15, 16, 17, 16, 15, 16, 17; its first entry shows only after a wrap.
    const int expected[] = {0,  0,  15, 15, 15, 16, 16, 16, 17, 17, 17, 16, 16,
                            16, 15, 15, 15, 16, 16, 16, 17, 17, 17, 16, 16, 16};
    for (int k = 0; k < 26; ++k) {
        Frame();
        ASSERT_EQ(expected[k], level3Hero.currentFrame) << "frame " << k + 1;
    }
    EXPECT_EQ(240, level3Hero.x);
    EXPECT_EQ(300, level3Hero.y);
}

TEST_F(Level3Test, OnlyTheFirstHeldOfLeftRightUpDownActs) {
    struct Case {
        std::vector<int> keys;
        float dx, dy;
        int sequence;
    };
    const Case cases[] = {
        {{DIK_LEFT, DIK_UP}, -4, 0, 3},
        {{DIK_LEFT, DIK_RIGHT}, -4, 0, 3},
        {{DIK_RIGHT, DIK_UP}, 4, 0, 2},
        {{DIK_DOWN, DIK_RIGHT}, 4, 0, 2},
        {{DIK_UP, DIK_DOWN}, 0, -4, 1},
        {{DIK_DOWN}, 0, 4, 0},
        {{DIK_LEFT, DIK_RIGHT, DIK_UP, DIK_DOWN}, -4, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "keys " << c.keys.size() << ", first " << c.keys[0]);
        Place(240, 300);
        FrameWith(c.keys);
        EXPECT_EQ(240 + c.dx, level3Hero.x);
        EXPECT_EQ(300 + c.dy, level3Hero.y);
        EXPECT_EQ(c.sequence, level3Hero.currentAnimation);
    }
}

TEST_F(Level3Test, AnyWallPixelInTheStripAheadOfTheLowerBodyBlocksTheWholeStep) {
    // The strips from (240, 300), hero 25 x 64: x1, y1, x2, y2, inclusive.
    struct Direction {
        int key, sequence, x1, y1, x2, y2;
        float dx, dy;
    };
    const Direction directions[] = {
        {DIK_LEFT, 3, 236, 335, 240, 364, -4, 0},
        {DIK_RIGHT, 2, 265, 335, 269, 364, 4, 0},
        {DIK_UP, 1, 240, 332, 265, 336, 0, -4},
        {DIK_DOWN, 0, 240, 364, 265, 368, 0, 4},
    };
    for (const Direction& d : directions) {
        const int mx = (d.x1 + d.x2) / 2, my = (d.y1 + d.y2) / 2;
        // The strip's corners and middle block; the pixels just around it do not.
        const int points[][3] = {{d.x1, d.y1, 1},   {d.x2, d.y1, 1},   {d.x1, d.y2, 1},   {d.x2, d.y2, 1},  {mx, my, 1},
                                 {d.x1 - 1, my, 0}, {d.x2 + 1, my, 0}, {mx, d.y1 - 1, 0}, {mx, d.y2 + 1, 0}};
        for (const auto& p : points) {
            SCOPED_TRACE(testing::Message() << "key " << d.key << ", wall at " << p[0] << "," << p[1]);
            ClearMasks();
            Wall(0, p[0], p[1]);
            Place(240, 300);
            SetSpriteAnimation(&level3Hero, (d.sequence + 1) % 4);
            FrameWith({d.key});
            const float steps = p[2] ? 0.0f : 1.0f;
            EXPECT_EQ(240 + steps * d.dx, level3Hero.x);
            EXPECT_EQ(300 + steps * d.dy, level3Hero.y);
            EXPECT_EQ(d.sequence, level3Hero.currentAnimation) << "the hero turns, blocked or not";
        }
        // A wall one pixel beyond the strip lets one step through and stops the next: the
        // strip is taken from where the hero stands before each step.
        ClearMasks();
        Wall(0, d.dx < 0 ? d.x1 - 1 : d.dx > 0 ? d.x2 + 1 : mx, d.dy < 0 ? d.y1 - 1 : d.dy > 0 ? d.y2 + 1 : my);
        Place(240, 300);
        FrameWith({d.key});
        FrameWith({d.key});
        EXPECT_EQ(240 + d.dx, level3Hero.x) << "key " << d.key;
        EXPECT_EQ(300 + d.dy, level3Hero.y) << "key " << d.key;
    }
}

TEST_F(Level3Test, LeavingTheTopLeadsToRoomZeroAndTheBottomToRoomOne) {
    Wall(0, 250, 450);  // only room 0: in the upward strip from y 416
    Wall(1, 250, 70);   // only room 1: in the downward strip from y 5
    EnterRoom(1);
    Place(240, 4);
    FrameWith({DIK_UP});
    EXPECT_EQ(0, level3Hero.y) << "y 0 is still on screen";
    EXPECT_EQ(1, roomIndex);
    Place(240, 2);
    FrameWith({DIK_UP});
    EXPECT_EQ(0, roomIndex);
    EXPECT_EQ(416, level3Hero.y);
    EXPECT_EQ(240, level3Hero.x);
    FrameWith({DIK_UP});
    EXPECT_EQ(416, level3Hero.y) << "room 0's mask is the one probed now";

    Place(240, 413);
    FrameWith({DIK_DOWN});
    EXPECT_EQ(417, level3Hero.y) << "417 is still on screen";
    EXPECT_EQ(0, roomIndex);
    Place(240, 416);
    FrameWith({DIK_DOWN});
    EXPECT_EQ(1, roomIndex);
    EXPECT_EQ(5, level3Hero.y);
    FrameWith({DIK_DOWN});
    EXPECT_EQ(5, level3Hero.y) << "room 1's mask is the one probed now";

    // Off the top and blocked: the room changes all the same.
    Wall(1, 250, 33);
    Place(240, -1);
    FrameWith({DIK_UP});
    EXPECT_EQ(0, roomIndex);
    EXPECT_EQ(416, level3Hero.y);
}

TEST_F(Level3Test, FootstepsLoopAlsoWhileTheHeroStands) {
    if (stepsSound < 0) GTEST_SKIP() << "l3_steps.wav is missing";
    Frame();
    EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, SoundStatus(stepsSound));
    StopAllSounds();
    Frame();
    EXPECT_EQ(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING, SoundStatus(stepsSound)) << "started again";
    EXPECT_EQ(240, level3Hero.x);
}

TEST_F(Level3Test, FailedKeyboardReadStillDrawsTheRoomAndHeroButNothingMoves) {
    ASSERT_TRUE(PaintCurrentFrame(level3Hero, 0xF800));  // red
    SetKeyboardReadsFail(true);
    Hold(DIK_LEFT);
    Frame();
    const auto red = [](std::uint32_t rgb) { return (rgb >> 16 & 0xFF) > 200 && (rgb >> 8 & 0xFF) < 16; };
    const auto green = [](std::uint32_t rgb) { return (rgb >> 16 & 0xFF) < 16 && (rgb >> 8 & 0xFF) > 200; };
    EXPECT_TRUE(green(Pixel(10, 10))) << std::hex << Pixel(10, 10);
    EXPECT_TRUE(green(Pixel(239, 330)));
    EXPECT_TRUE(red(Pixel(240, 300))) << std::hex << Pixel(240, 300);
    EXPECT_TRUE(red(Pixel(264, 363)));
    EXPECT_EQ(240, level3Hero.x);
    EXPECT_EQ(1, level3Hero.animTicks) << "the picture still steps";
    EXPECT_EQ(0, RunLevel3());
    SetKeyboardReadsFail(false);
    Frame();
    EXPECT_EQ(236, level3Hero.x);
}

}  // namespace
