// The shortcuts that keep frames cheap must not change a pixel or a probe: a part of a
// bitmap image is drawn exactly as the whole image draws there, an opaque frame spanning an
// area is what DrawSprite really overwrites there, and Level 2's hero moves the same whether the
// background hides the collision page (drawn then only where the probes read it) or not.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "app/screens.h"
#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "gfx/sprite.h"
#include "levels/level2.h"
#include "platform/dinput.h"
#include "support/game_fixture.h"

namespace {

// A loaded 16-bit image of random colours, a third of them black.
BitmapImage RandomImage(int x, int y, int width, int height, std::mt19937& random) {
    BitmapImage image{};
    EXPECT_EQ(1, CreateBitmapImage(&image, x, y, width, height, 16));
    auto* pixels = reinterpret_cast<std::uint16_t*>(image.buffer);
    for (int i = 0; i < width * height; ++i)
        pixels[i] = random() % 3 == 0 ? 0 : static_cast<std::uint16_t>(1 + random() % 0xFFFF);
    image.attributes |= imageLoaded;
    return image;
}

TEST(DrawBitmapImagePart, DrawsWhatTheWholeImageDrawsInsideThePartAndNothingElse) {
    std::mt19937 random(99);
    constexpr int kRow = 90;  // pixels per destination row; more than the picture is wide
    constexpr int kWidth = 80, kHeight = 50;
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(random() % 60), h = 1 + static_cast<int>(random() % 40);
        BitmapImage image = RandomImage(static_cast<int>(random() % (kWidth - w + 1)),
                                        static_cast<int>(random() % (kHeight - h + 1)), w, h, random);
        std::vector<WORD> under(kRow * kHeight);
        for (WORD& p : under) p = static_cast<WORD>(random());
        const int transparent = round % 2;
        std::vector<WORD> whole = under;
        ASSERT_EQ(1, DrawBitmapImage(&image, whole.data(), kRow * 2, transparent));

        const LONG left = static_cast<LONG>(random() % 100) - 10, top = static_cast<LONG>(random() % 70) - 10;
        const RECT part{left, top, left + static_cast<LONG>(random() % 50), top + static_cast<LONG>(random() % 40)};
        std::vector<WORD> drawn = under;
        ASSERT_EQ(1, DrawBitmapImagePart(&image, drawn.data(), kRow * 2, transparent, part));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kRow; ++x) {
                const bool inside = x >= part.left && x < part.right && y >= part.top && y < part.bottom;
                const std::size_t i = static_cast<std::size_t>(y) * kRow + x;
                ASSERT_EQ(inside ? whole[i] : under[i], drawn[i]) << "round " << round << " at " << x << "," << y;
            }
        DestroyBitmapImage(&image);
    }
}

TEST(DrawBitmapImagePart, RefusesWhatTheWholeImageRefuses) {
    std::mt19937 random(5);
    std::vector<WORD> dest(40 * 10, 0x1111);
    BitmapImage image = RandomImage(35, 0, 10, 4, random);  // wider than what is left of the row
    const RECT part{0, 0, 40, 10};
    EXPECT_EQ(0, DrawBitmapImage(&image, dest.data(), 80, 0));
    EXPECT_EQ(0, DrawBitmapImagePart(&image, dest.data(), 80, 0, part));
    image.x = 0;
    image.attributes &= ~imageLoaded;
    EXPECT_EQ(0, DrawBitmapImagePart(&image, dest.data(), 80, 0, part));
    EXPECT_EQ(0, DrawBitmapImagePart(&image, nullptr, 80, 0, part));
    EXPECT_EQ(std::vector<WORD>(40 * 10, 0x1111), dest);
    DestroyBitmapImage(&image);
}

class FrameCostGame : public gametest::GameFixture {
protected:
    // The back surface's pixels, read through a lock.
    static std::vector<std::uint16_t> BackPixels() {
        std::vector<std::uint16_t> out;
        if (!LockBackSurface()) return out;
        for (int y = 0; y < screenHeight; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint8_t*>(backBuffer) + static_cast<std::ptrdiff_t>(y) * backPitch;
            out.insert(out.end(), reinterpret_cast<const std::uint16_t*>(row),
                       reinterpret_cast<const std::uint16_t*>(row) + screenWidth);
        }
        UnlockBackSurface();
        return out;
    }
};

TEST_F(FrameCostGame, AnOpaqueFrameSpanningAnAreaIsWhatDrawSpriteOverwrites) {
    Sprite sprite{};
    sprite.widthPad = 2;  // the frame surface is two columns wider than the frame
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 50, 30, 1, Visible | SingleFrame, 0x800, 0xF81F, 16));
    ASSERT_TRUE(PaintCurrentFrame(sprite, 0x07E0));
    EXPECT_TRUE(SpriteFrameOpaque(&sprite, 0));
    EXPECT_FALSE(SpriteFrameOpaque(&sprite, 1)) << "a frame never made";
    sprite.x = 10.75f;  // drawn from column 10
    sprite.y = -5.0f;   // its top five rows are off the screen
    const RECT inside{10, 0, 60, 25};
    EXPECT_TRUE(SpriteSpans(&sprite, inside));
    EXPECT_FALSE(SpriteSpans(&sprite, RECT{9, 0, 60, 25}));
    EXPECT_FALSE(SpriteSpans(&sprite, RECT{10, 0, 60, 26}));
    EXPECT_FALSE(SpriteSpans(&sprite, RECT{10, -1, 60, 25})) << "above the screen";
    EXPECT_FALSE(SpriteSpans(&sprite, RECT{20, 10, 20, 20})) << "an empty area";

    FillSurface(backSurface, 0x0001, nullptr);
    ASSERT_EQ(1, DrawSprite(&sprite, backSurface));
    std::vector<std::uint16_t> shown = BackPixels();
    ASSERT_FALSE(shown.empty());
    for (LONG y = inside.top; y < inside.bottom; ++y)
        for (LONG x = inside.left; x < inside.right; ++x)
            ASSERT_EQ(0x07E0, shown[y * screenWidth + x]) << x << "," << y;

    // One key pixel in the picture: the frame is no longer opaque, and where that pixel
    // lands what was drawn before shows through.
    const std::uint16_t key = 0xF81F;
    auto putKey = [&](int x, int y) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        ASSERT_EQ(S_OK, sprite.frames[0]->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr));
        std::memcpy(static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * 2, &key, 2);
        sprite.frames[0]->Unlock(nullptr);
    };
    putKey(7, 20);  // lands on (17, 15)
    EXPECT_FALSE(SpriteFrameOpaque(&sprite, 0));
    FillSurface(backSurface, 0x0001, nullptr);
    ASSERT_EQ(1, DrawSprite(&sprite, backSurface));
    shown = BackPixels();
    EXPECT_EQ(0x0001, shown[15 * screenWidth + 17]);

    // A key pixel in the surface's spare columns is never drawn.
    ASSERT_TRUE(PaintCurrentFrame(sprite, 0x07E0));
    putKey(50, 3);
    EXPECT_TRUE(SpriteFrameOpaque(&sprite, 0));

    sprite.x = -0.5f;  // drawn from column 0 to 49: the frame is squeezed by a column
    EXPECT_FALSE(SpriteSpans(&sprite, RECT{0, 0, 10, 10})) << "a stretched blit";
    sprite.x = 0.0f;
    EXPECT_TRUE(SpriteSpans(&sprite, RECT{0, 0, 10, 10}));
    sprite.attributes &= ~Visible;
    EXPECT_FALSE(SpriteSpans(&sprite, RECT{0, 0, 10, 10})) << "a hidden sprite draws nothing";
    sprite.attributes |= Visible;
    ASSERT_EQ(S_OK, sprite.frames[0]->SetColorKey(DDCKEY_SRCBLT, nullptr));
    EXPECT_FALSE(SpriteFrameOpaque(&sprite, 0)) << "without a key the keyed draw is refused";
    DestroySprite(&sprite);
}

// Level 2 played with the real collision pages, through floors, ladders, jumps, walls and
// both scroll directions.
struct KeysHeld {
    int frames;
    std::vector<int> keys;
};

const std::vector<KeysHeld> kLevel2Play = {
    {200, {DIK_RIGHT}},
    {88, {DIK_UP}},
    {60, {DIK_RIGHT}},
    {2, {DIK_RIGHT, DIK_SPACE}},
    {36, {DIK_RIGHT}},
    {2, {DIK_RIGHT, DIK_SPACE}},
    {120, {DIK_RIGHT}},
    {76, {DIK_LEFT}},
    {58, {DIK_UP}},
    {38, {DIK_LEFT}},
    {2, {DIK_LEFT, DIK_SPACE}},
    {200, {DIK_LEFT}},
    {2, {DIK_LEFT, DIK_SPACE}},
    {60, {DIK_LEFT}},
};

struct HeroState {
    float x, y, backgroundX;
    int frame, jumpTimer;
    bool onGround, blockedLeft, blockedRight;
    bool operator==(const HeroState& o) const {
        return x == o.x && y == o.y && backgroundX == o.backgroundX && frame == o.frame && jumpTimer == o.jumpTimer &&
               onGround == o.onGround && blockedLeft == o.blockedLeft && blockedRight == o.blockedRight;
    }
};

TEST_F(FrameCostGame, Level2HeroMovesTheSameWhetherTheBackgroundHidesTheCollisionPageOrNot) {
    currentLevel = 2;
    const Sprite heroStart = level2Hero;
    const Sprite backgroundStart = level2Background;
    auto play = [&](bool backgroundShown, int* hiddenFrames) {
        level2Hero = heroStart;
        level2Background = backgroundStart;
        if (!backgroundShown) level2Background.attributes &= ~Visible;
        onGround = blockedLeft = blockedRight = false;
        jumpTimer = 0;
        std::vector<HeroState> states;
        for (const KeysHeld& hold : kLevel2Play)
            for (int k = 0; k < hold.frames; ++k) {
                FrameWith(hold.keys);
                *hiddenFrames += pageHidden ? 1 : 0;
                states.push_back({level2Hero.x, level2Hero.y, level2Background.x, level2Hero.currentFrame, jumpTimer,
                                  onGround, blockedLeft, blockedRight});
            }
        return states;
    };
    int hidden = 0, hiddenWithout = 0;
    const std::vector<HeroState> withBackground = play(true, &hidden);
    const std::vector<HeroState> without = play(false, &hiddenWithout);
    EXPECT_GT(hidden, static_cast<int>(withBackground.size()) / 2) << "most frames take the shortcut";
    EXPECT_EQ(0, hiddenWithout);
    ASSERT_EQ(withBackground.size(), without.size());
    for (std::size_t i = 0; i < without.size(); ++i)
        ASSERT_TRUE(withBackground[i] == without[i]) << "the two plays part at frame " << i + 1;
    // The walk went somewhere: it left the first page and came back.
    EXPECT_NE(withBackground.front().backgroundX, withBackground[500].backgroundX);
}

}  // namespace
