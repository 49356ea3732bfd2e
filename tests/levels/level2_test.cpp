// Level 2 tests in process, on collision pages drawn by the test.
// The hero's falls, walks, scrolls, jumps, climbs and walls, checked frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/screens.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "levels/level2.h"
#include "platform/dinput.h"
#include "support/game_fixture.h"

namespace {

constexpr std::uint16_t kSolid = 0xFFFF;
constexpr std::uint16_t kClimb = 0x001F;
constexpr int kFloorRow = 205;     // a floor line 3 pixels thick: rows 205..207
constexpr float kStandingY = 141;  // feet (y + 64) on the floor's top row

class Level2Test : public gametest::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (HasFatalFailure()) return;
        currentLevel = 2;
        for (BitmapImage& page : scanImages) {
            ASSERT_NE(page.buffer, nullptr);
            ASSERT_EQ(640, page.width);
            ASSERT_EQ(480, page.height);
            page.attributes |= imageLoaded;
            std::fill_n(reinterpret_cast<std::uint16_t*>(page.buffer), 640 * 480, 0);
        }
    }

    // Inclusive rectangle of one colour on a collision page.
    static void Paint(int page, int x1, int y1, int x2, int y2, std::uint16_t colour) {
        auto* pixels = reinterpret_cast<std::uint16_t*>(scanImages[page].buffer);
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) pixels[y * 640 + x] = colour;
    }
    static void Floor(int page = 0) { Paint(page, 0, kFloorRow, 639, kFloorRow + 2, kSolid); }
    static void Place(float x, float y, float backgroundX = 0) {
        level2Hero.x = x;
        level2Hero.y = y;
        level2Background.x = backgroundX;
    }
    // The hero on the floor line at x, as a frame without keys leaves it.
    void Stand(float x) {
        Place(x, kStandingY);
        Frame();
        ASSERT_TRUE(onGround);
        ASSERT_EQ(kStandingY, level2Hero.y);
    }
    // RunLevel2 on a cleared back buffer, for its result.
    static int RunDirect() {
        FillSurface(backSurface, 0, nullptr);
        return RunLevel2();
    }
};

TEST_F(Level2Test, FallsSixPixelsAFrameFromTheStartUntilTheFeetMeetWhite) {
    Floor();
    EXPECT_EQ(20, level2Hero.x);
    EXPECT_EQ(75, level2Hero.y);
    EXPECT_EQ(0, level2Background.x);
    EXPECT_EQ(3, level2Hero.currentAnimation);
    EXPECT_FALSE(onGround);
    for (int k = 1; k <= 11; ++k) {
        Frame();
        ASSERT_EQ(75 + 6 * k, level2Hero.y) << "frame " << k;
        ASSERT_FALSE(onGround);
        ASSERT_EQ(0, scanPage);
        ASSERT_EQ(20, scanX);
    }
    Frame();  // the feet's row is now the floor's top row
    EXPECT_EQ(kStandingY, level2Hero.y);
    EXPECT_TRUE(onGround);
    Frame();
    EXPECT_EQ(kStandingY, level2Hero.y);
}

TEST_F(Level2Test, OnlyADirectionKeyMovesOrAnimatesTheHero) {
    Floor();
    for (int k = 0; k < 3; ++k) FrameWith({DIK_UP});  // in the air
    EXPECT_EQ(20, level2Hero.x);
    Stand(20);
    const Sprite before = level2Hero;
    for (int k = 0; k < 14; ++k) FrameWith({DIK_M});  // a key the level does not use
    EXPECT_EQ(before.x, level2Hero.x);
    EXPECT_EQ(before.currentFrame, level2Hero.currentFrame);
    EXPECT_EQ(before.animTicks, level2Hero.animTicks);
    EXPECT_EQ(3, level2Hero.currentAnimation);
    // Both arrows together are no direction either.
    for (int k = 0; k < 7; ++k) FrameWith({DIK_LEFT, DIK_RIGHT});
    EXPECT_EQ(before.x, level2Hero.x);
    EXPECT_EQ(before.animTicks, level2Hero.animTicks);
    // Right alone: sequence 2 from its start, one step per 6 frames.
    for (int k = 0; k < 6; ++k) FrameWith({DIK_RIGHT});
    EXPECT_EQ(2, level2Hero.currentAnimation);
    EXPECT_EQ(10, level2Hero.currentFrame);
}

TEST_F(Level2Test, WalksThreeOnTheGroundSixInTheAirAndScrollsFromWorldX320) {
    Floor();
    Place(100, 20);  // in the air
    FrameWith({DIK_RIGHT});
    EXPECT_EQ(106, level2Hero.x);
    FrameWith({DIK_LEFT});
    EXPECT_EQ(100, level2Hero.x);
    // On the ground, 3 a frame: on screen below world x 320, the background from there on.
    Stand(314);
    struct Step {
        int key;
        float heroX, backgroundX;
    };
    // Back at world x 317 the background snaps to 0 at once.
    const Step steps[] = {
        {DIK_RIGHT, 317, 0}, {DIK_RIGHT, 320, 0}, {DIK_RIGHT, 320, -3}, {DIK_RIGHT, 320, -6}, {DIK_LEFT, 320, -3},
        {DIK_LEFT, 320, 0},  {DIK_LEFT, 320, 3},  {DIK_LEFT, 317, 0},   {DIK_LEFT, 314, 0},
    };
    for (const Step& step : steps) {
        FrameWith({step.key});
        ASSERT_EQ(step.heroX, level2Hero.x);
        ASSERT_EQ(step.backgroundX, level2Background.x);
        ASSERT_EQ(static_cast<int>(step.heroX - step.backgroundX), scanX);
    }
    // Scrolled far, then below 320 again: the first move resets the background.
    Place(200, kStandingY, -100);
    FrameWith({DIK_LEFT});
    EXPECT_EQ(0, level2Background.x);
    EXPECT_EQ(197, level2Hero.x);
}

TEST_F(Level2Test, WorldXAbove640SelectsTheSecondPage) {
    Floor(1);  // only the second page has a floor
    Place(320.5f, kStandingY, -320);
    Frame();
    EXPECT_EQ(1, scanPage);
    EXPECT_EQ(0, scanX);
    EXPECT_TRUE(onGround) << "probed on the second page";
    EXPECT_EQ(kStandingY, level2Hero.y);
    Place(320, kStandingY, -400);
    Frame();
    EXPECT_EQ(1, scanPage);
    EXPECT_EQ(80, scanX);
    EXPECT_TRUE(onGround);
    Place(320, kStandingY, -320);  // exactly 640
    Frame();
    EXPECT_EQ(0, scanPage);
    EXPECT_EQ(640, scanX);
    EXPECT_FALSE(onGround) << "probed on the first page, which has no floor";
    EXPECT_EQ(kStandingY + 6, level2Hero.y);
}

TEST_F(Level2Test, AJumpFromAThinFloorRisesEightSteps) {
    Floor();
    Stand(20);
    FrameWith({DIK_SPACE});
    EXPECT_EQ(42, jumpTimer);
    EXPECT_EQ(kStandingY, level2Hero.y) << "the jump starts next frame";
    // The first step leaves the feet on white: the timer waits for the second.
    const int timers[] = {42, 36, 30, 24, 18, 12, 6, 0};
    for (int k = 0; k < 8; ++k) {
        Frame();
        ASSERT_EQ(kStandingY - 6 * (k + 1), level2Hero.y) << "step " << k + 1;
        ASSERT_EQ(timers[k], jumpTimer) << "step " << k + 1;
    }
    EXPECT_FALSE(onGround);
    Frame();
    EXPECT_EQ(kStandingY - 42, level2Hero.y) << "48 up, then falling";
}

TEST_F(Level2Test, WhiteAtTheHeadEndsARiseOnceTheFeetAreOffWhiteAndPlaysTheFallSoundOnce) {
    Floor();
    Paint(0, 0, 125, 639, 136, kSolid);  // a ceiling the first rise step reaches
    Paint(0, 0, 141, 639, 143, kSolid);  // and white touching the standing hero's head
    Stand(20);
    for (int k = 0; k < 5; ++k) Frame();
    const bool sound = fallSound >= 0;  // an empty slot's status is -1
    const int silent = sound ? 0 : -1;
    EXPECT_EQ(silent, SoundStatus(fallSound)) << "no bump while standing";
    Paint(0, 0, 141, 639, 143, 0);
    FrameWith({DIK_SPACE});
    Frame();  // the first step leaves the feet on white: onGround, so no bump yet
    EXPECT_EQ(135, level2Hero.y);
    EXPECT_EQ(42, jumpTimer);
    EXPECT_EQ(silent, SoundStatus(fallSound));
    Frame();  // off the floor: the same white ends the rise at once
    EXPECT_EQ(129, level2Hero.y);
    EXPECT_EQ(0, jumpTimer);
    EXPECT_EQ(sound ? int{DSBSTATUS_PLAYING} : -1, SoundStatus(fallSound)) << "played once, not looped";
    Frame();
    EXPECT_EQ(135, level2Hero.y) << "falling from the bump";
    if (!sound) GTEST_SKIP() << "l2fall.wav is missing: the sound was not checked";
}

TEST_F(Level2Test, SpaceStartsNoJumpInTheAirOrWhileXIsHeld) {
    Floor();
    for (int k = 0; k < 3; ++k) FrameWith({DIK_SPACE});
    EXPECT_EQ(0, jumpTimer);
    EXPECT_EQ(93, level2Hero.y) << "still falling";
    Stand(20);
    Hold(DIK_SPACE);
    Hold(DIK_X);
    EXPECT_EQ(0, RunDirect());
    EXPECT_EQ(0, jumpTimer);
    EXPECT_EQ(kStandingY, level2Hero.y);
    Hold(DIK_X, false);
    EXPECT_NE(0, RunDirect());
    EXPECT_EQ(42, jumpTimer);
}

TEST_F(Level2Test, UpOnBlueClimbsNineAgainstTheFallButNotWithDown) {
    Paint(0, 0, 210, 100, 400, kClimb);  // a ladder whose top is in reach only after the fall
    struct Case {
        std::vector<int> keys;
        float y;
    };
    const Case cases[] = {{{DIK_UP}, 138}, {{DIK_UP, DIK_DOWN}, 147}, {{DIK_DOWN}, 147}, {{}, 147}};
    for (const Case& c : cases) {
        Place(20, kStandingY);
        FrameWith(c.keys);
        EXPECT_EQ(c.y, level2Hero.y) << c.keys.size() << " keys";
    }
}

TEST_F(Level2Test, WallsStopTheHeroOneFrameAfterTheMoveThatReachedThem) {
    Floor();
    Paint(0, 0, 0, 9, kFloorRow - 1, kSolid);    // left wall
    Paint(0, 60, 0, 80, kFloorRow - 1, kSolid);  // right wall
    Stand(35);
    EXPECT_TRUE(blockedRight) << "column x + 25 is the wall's first";
    Stand(34);  // right edge column 59: clear
    EXPECT_FALSE(blockedRight);
    FrameWith({DIK_RIGHT});
    EXPECT_EQ(37, level2Hero.x) << "the move into the wall still happens";
    EXPECT_TRUE(blockedRight);
    const int ticks = level2Hero.animTicks;
    FrameWith({DIK_RIGHT});
    EXPECT_EQ(37, level2Hero.x);
    EXPECT_EQ(ticks + 1, level2Hero.animTicks) << "a blocked hero still walks on the spot";
    FrameWith({DIK_LEFT});
    EXPECT_EQ(34, level2Hero.x) << "the right wall does not hold back a move left";
    EXPECT_FALSE(blockedRight);
    Stand(13);
    FrameWith({DIK_LEFT});
    EXPECT_EQ(10, level2Hero.x);
    EXPECT_FALSE(blockedLeft);
    FrameWith({DIK_LEFT});
    EXPECT_EQ(7, level2Hero.x);
    EXPECT_TRUE(blockedLeft);
    FrameWith({DIK_LEFT});
    EXPECT_EQ(7, level2Hero.x);
}

TEST_F(Level2Test, FailedKeyboardReadDoesNothingAndDrawsNothing) {
    Floor();
    level2Background.attributes &= ~Visible;  // so that the collision page would show
    ASSERT_TRUE(PaintCurrentFrame(level2Hero, 0xF800));
    SetKeyboardReadsFail(true);
    Hold(DIK_RIGHT);
    Frame();
    for (std::uint32_t rgb : headless_->LastFrame()) ASSERT_EQ(0u, rgb) << "the frame must stay black";
    EXPECT_EQ(0, RunDirect());
    EXPECT_EQ(20, level2Hero.x);
    EXPECT_EQ(75, level2Hero.y);
    EXPECT_EQ(0, level2Hero.animTicks);
    SetKeyboardReadsFail(false);
    Frame();
    EXPECT_EQ(81, level2Hero.y);
    EXPECT_EQ(26, level2Hero.x);
    EXPECT_NE(0u, Pixel(300, kFloorRow)) << "a read frame draws";
    EXPECT_NE(0u, Pixel(30, 100)) << "the hero too";
}

}  // namespace
