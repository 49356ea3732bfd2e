// Level 1 in process: the whole game started on the headless host, the street level
// driven frame by frame with the keyboard set directly, the frames looked at.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/winmain.h"
#include "gfx/display.h"
#include "hosts/common/frame_pixels.h"
#include "input/keyboard.h"
#include "levels/level1.h"
#include "platform/dinput.h"
#include "support/game_fixture.h"

namespace {

class Level1Test : public gametest::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (HasFatalFailure()) return;
        currentLevel = 1;
        heroJumping = jumpArmed = jumpFrames = 0;
    }
};

bool IsMagenta(std::uint32_t rgb) {
    const std::uint32_t r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    return r > 240 && g < 8 && b > 240;
}

TEST_F(Level1Test, FailedKeyboardReadDrawsNothingOfTheLevel) {
    SetKeyboardReadsFail(true);
    SetSystemKeyState(DIK_RIGHT, true);
    Frame();
    SetKeyboardReadsFail(false);
    for (std::uint32_t rgb : headless_->LastFrame()) ASSERT_EQ(rgb, 0u) << "the frame must stay black";
    EXPECT_EQ(level1Hero.velocityX, 0.0f) << "no steering without a reading";
    EXPECT_EQ(level1Hero.x, 35.0f);
    // The next frame reads again and rides on.
    Frame();
    EXPECT_EQ(level1Hero.velocityX, 1.0f);
}

TEST_F(Level1Test, StreetAndRiderShowWithoutTheColourKey) {
    Frame();
    const std::vector<std::uint32_t> withRider = headless_->LastFrame();
    int lit = 0;
    for (std::uint32_t rgb : withRider) {
        ASSERT_FALSE(IsMagenta(rgb)) << "the colour key must never reach the screen";
        lit += rgb != 0;
    }
    EXPECT_GT(lit, 640 * 480 / 2) << "the street tile fills the screen";

    // The rider stands still at (35, 350), 34 x 68, showing the first picture of its
    // right-facing row: where that picture is opaque the screen shows its colour, where it
    // is the key the street shows as it is drawn in a frame without the rider.
    ASSERT_EQ(level1Hero.currentFrame, 8);
    ASSERT_EQ(level1Hero.x, 35.0f);
    ASSERT_EQ(level1Hero.y, 350.0f);
    const int width = level1Hero.width, height = level1Hero.height;
    ASSERT_EQ(width, 34);
    ASSERT_EQ(height, 68);
    LPDIRECTDRAWSURFACE7 picture = level1Hero.frames[8];
    ASSERT_NE(picture, nullptr);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(S_OK, picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr));
    std::vector<std::uint16_t> cell(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(&cell[static_cast<std::size_t>(y) * width],
                    static_cast<const std::uint8_t*>(desc.lpSurface) + y * desc.lPitch, width * 2u);
    picture->Unlock(nullptr);
    const std::vector<std::uint32_t> cellRgb =
        host::FrameToRgb(host::Frame{cell.data(), width, height, width * 2, host::PixelLayout::Rgb565, nullptr});

    level1Hero.attributes &= ~Visible;
    Frame();
    const std::vector<std::uint32_t> withoutRider = headless_->LastFrame();
    int opaque = 0, keyed = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(350 + y) * 640 + 35 + x;
            const std::size_t in = static_cast<std::size_t>(y) * width + x;
            if (cell[in] == 0xF81F) {
                ++keyed;
                ASSERT_EQ(withRider[at], withoutRider[at]) << "the street shows at (" << x << "," << y << ")";
            } else {
                ++opaque;
                ASSERT_EQ(withRider[at], cellRgb[in]) << "the rider's pixel (" << x << "," << y << ")";
            }
        }
    EXPECT_GT(opaque, width * height / 6) << "the rider covers a good part of its cell";
    EXPECT_GT(keyed, 0) << "the picture has key pixels around the rider";
}

TEST_F(Level1Test, JumpCastsABlackShadowBarUnderTheFeetsFormerLine) {
    Frame();
    SetSystemKeyState(DIK_SPACE, true);
    Frame();
    ASSERT_EQ(heroJumping, 1);
    const int left = static_cast<int>(level1Hero.x + 3), right = static_cast<int>(level1Hero.x + 34 - 6);
    const int top = static_cast<int>(level1Hero.y + 68 + 19);
    for (int y = top; y < top + 2; ++y)
        for (int x = left; x < right; ++x) ASSERT_EQ(Pixel(x, y), 0u) << "shadow pixel (" << x << "," << y << ")";
    // Just outside the bar the street shows again.
    int streetAround = 0;
    for (int x = left; x < right; ++x) streetAround += Pixel(x, top + 2) != 0;
    EXPECT_GT(streetAround, 0);
    EXPECT_EQ(level1Hero.currentFrame, 11) << "the jumping picture of the right-facing row";
}

TEST_F(Level1Test, RiderIsDrawnWithItsCellFromTheSheet) {
    Frame();
    const std::vector<std::uint32_t> withRider = headless_->LastFrame();
    level1Hero.attributes &= ~Visible;
    Frame();
    const std::vector<std::uint32_t> withoutRider = headless_->LastFrame();
    int changed = 0, outside = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool differs = withRider[y * 640 + x] != withoutRider[y * 640 + x];
            const bool inCell = x >= 35 && x < 35 + 34 && y >= 350 && y < 350 + 68;
            changed += differs && inCell;
            outside += differs && !inCell;
        }
    EXPECT_GT(changed, 34 * 68 / 6) << "the rider covers a good part of its cell";
    EXPECT_LT(changed, 34 * 68) << "the magenta around the rider lets the street through";
    EXPECT_EQ(outside, 0);
}

}  // namespace
