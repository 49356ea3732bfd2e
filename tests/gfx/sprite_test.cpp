// Tests of sprites: animation stepping, wrap and bounce, frames cut from pictures, keyed drawing, clones, collisions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "gfx/sprite.h"

namespace {

constexpr std::uint16_t kKey = 0xF81F;

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr));
        ASSERT_EQ(S_OK, directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL));
        screen = CreateSurface(640, 480, DDSCAPS_SYSTEMMEMORY, 0);
        ASSERT_NE(nullptr, screen);
        const RECT whole = {0, 0, 640, 480};
        LPDIRECTDRAWCLIPPER clipper = AttachClipper(screen, 1, &whole);
        ASSERT_NE(nullptr, clipper);
        clipper->Release();  // the surface keeps its own reference
        std::memset(&sprite, 0, sizeof(sprite));
        std::memset(&picture, 0, sizeof(picture));
    }
    void TearDown() override {
        DestroySprite(&sprite);
        std::free(picture.pixels);
        if (screen) screen->Release();
        directDraw->Release();
        directDraw = nullptr;
        SetSurfacePitchPadding(0);
    }
    // A 16-bit picture whose pixel (x, y) holds y * 256 + x + 1.
    void MakePicture(int width, int height) {
        picture.infoHeader.biWidth = width;
        picture.infoHeader.biHeight = height;
        picture.infoHeader.biBitCount = 16;
        auto* pixels = static_cast<std::uint16_t*>(std::malloc(sizeof(std::uint16_t) * width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels[y * width + x] = std::uint16_t(y * 256 + x + 1);
        picture.pixels = reinterpret_cast<std::uint8_t*>(pixels);
    }
    // Every pixel of a surface, rows packed, read through a lock with its pitch.
    static std::vector<std::uint16_t> Read(LPDIRECTDRAWSURFACE7 surface, int* width = nullptr) {
        DDSURFACEDESC2 d{};
        d.dwSize = sizeof(d);
        EXPECT_EQ(S_OK, surface->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
        std::vector<std::uint16_t> out(d.dwWidth * d.dwHeight);
        for (DWORD y = 0; y < d.dwHeight; ++y)
            std::memcpy(&out[y * d.dwWidth], static_cast<char*>(d.lpSurface) + y * d.lPitch, d.dwWidth * 2);
        surface->Unlock(nullptr);
        if (width) *width = int(d.dwWidth);
        return out;
    }
    static std::uint16_t ScreenAt(const std::vector<std::uint16_t>& pixels, int x, int y) {
        return pixels[y * 640 + x];
    }

    LPDIRECTDRAWSURFACE7 screen = nullptr;
    Sprite sprite;
    BitmapFile picture;
};

std::vector<int> Steps(Sprite* s, int calls) {
    std::vector<int> shown;
    for (int i = 0; i < calls; ++i) {
        AnimateSprite(s);
        shown.push_back(s->currentFrame);
    }
    return shown;
}

TEST_F(SpriteTest, SequencesRepeatOrHoldOnTheirLastFrame) {
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 8, 8, 3, MultiAnim | Visible, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    const int order[] = {2, 1, 0};
    ASSERT_EQ(1, LoadSpriteAnimation(&sprite, 0, 3, order));
    SetSpriteAnimSpeed(&sprite, 1);
    SetSpriteAnimation(&sprite, 0);
    EXPECT_EQ((std::vector<int>{1, 0, 2, 1, 0, 2}), Steps(&sprite, 6));
    EXPECT_EQ(0, sprite.animState);

    sprite.attributes |= AnimOneShot;
    SetSpriteAnimation(&sprite, 0);
    EXPECT_EQ((std::vector<int>{1, 0}), Steps(&sprite, 2));
    EXPECT_EQ(0, sprite.animState);
    EXPECT_EQ((std::vector<int>{0}), Steps(&sprite, 1));
    EXPECT_EQ(1, sprite.animState);
    EXPECT_EQ((std::vector<int>{0, 0}), Steps(&sprite, 2));
}

TEST_F(SpriteTest, MultiFrameStepsEverySpeedCalls) {
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 8, 8, 3, MultiFrame, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    SetSpriteAnimSpeed(&sprite, 2);
    EXPECT_EQ((std::vector<int>{0, 1, 1, 2, 2, 0}), Steps(&sprite, 6));
    // SingleFrame wins over the other modes.
    sprite.attributes |= SingleFrame;
    sprite.currentFrame = 2;
    EXPECT_EQ((std::vector<int>{0}), Steps(&sprite, 1));
}

TEST_F(SpriteTest, AnimationStaysInsideItsSequence) {
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 8, 8, 8, MultiAnim, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    SetSpriteAnimSpeed(&sprite, 1);
    // No sequence loaded at 5, and 16 is no sequence at all: nothing moves.
    sprite.currentFrame = 4;
    SetSpriteAnimation(&sprite, 5);
    EXPECT_EQ((std::vector<int>{4}), Steps(&sprite, 1));
    SetSpriteAnimation(&sprite, 16);
    EXPECT_EQ((std::vector<int>{4}), Steps(&sprite, 1));
    EXPECT_EQ(0, LoadSpriteAnimation(&sprite, 16, 1, nullptr));
    EXPECT_EQ(0, LoadSpriteAnimation(&sprite, -1, 0, nullptr));
    // An empty sequence leaves the frame alone.
    ASSERT_EQ(1, LoadSpriteAnimation(&sprite, 1, 0, nullptr));
    SetSpriteAnimation(&sprite, 1);
    EXPECT_EQ((std::vector<int>{4, 4}), Steps(&sprite, 2));
    // A long sequence replaced by a short one while running deep inside it.
    const int longOne[] = {1, 2, 3, 4, 5, 6, 7, 0};
    const int shortOne[] = {6, 7};
    ASSERT_EQ(1, LoadSpriteAnimation(&sprite, 0, 8, longOne));
    SetSpriteAnimation(&sprite, 0);
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6}), Steps(&sprite, 5));
    ASSERT_EQ(1, LoadSpriteAnimation(&sprite, 0, 2, shortOne));
    EXPECT_EQ((std::vector<int>{6, 7, 6}), Steps(&sprite, 3));
}

TEST_F(SpriteTest, WrapReappearsOnTheFarSideAndBounceTurnsOnlyTheVelocity) {
    ASSERT_EQ(1, CreateSprite(&sprite, 639, 479, 25, 30, 0, Wrap | Bounce, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    SetSpriteVelocity(&sprite, 1, 1);
    MoveSprite(&sprite);
    EXPECT_FLOAT_EQ(-25.0f, sprite.x);
    EXPECT_FLOAT_EQ(-30.0f, sprite.y);
    SetSpriteVelocity(&sprite, -1, -1);
    MoveSprite(&sprite);
    EXPECT_FLOAT_EQ(639.0f, sprite.x);
    EXPECT_FLOAT_EQ(479.0f, sprite.y);
    EXPECT_FLOAT_EQ(-1.0f, sprite.velocityX);  // wrap beats bounce

    sprite.attributes = Bounce;
    SetSpritePosition(&sprite, 612, 2);
    SetSpriteVelocity(&sprite, 5, -3);
    MoveSprite(&sprite);
    EXPECT_FLOAT_EQ(617.0f, sprite.x);  // past 639 - 25, and left there
    EXPECT_FLOAT_EQ(-1.0f, sprite.y);
    EXPECT_FLOAT_EQ(-5.0f, sprite.velocityX);
    EXPECT_FLOAT_EQ(3.0f, sprite.velocityY);
    MoveSprite(&sprite);
    EXPECT_FLOAT_EQ(612.0f, sprite.x);
    EXPECT_FLOAT_EQ(-5.0f, sprite.velocityX);
}

TEST_F(SpriteTest, FramesAreCutFromCellsOrPixelOrigins) {
    SetSurfacePitchPadding(6);  // a frame surface wider than its pixels shows pitch mistakes
    MakePicture(130, 140);
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 25, 64, 2, Visible | MultiAnim, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    EXPECT_EQ(0, sprite.attributes & Loaded);
    ASSERT_EQ(1, LoadSpriteFrame(&sprite, &picture, 0, 2, 1, 0));
    EXPECT_NE(0, sprite.attributes & Loaded);
    ASSERT_EQ(1, LoadSpriteFrame(&sprite, &picture, 1, 7, 3, 1));
    const auto cell = Read(sprite.frames[0]);
    const auto absolute = Read(sprite.frames[1]);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 25; ++x) {
            // Cell (2, 1) starts at (2 * 26 + 1, 1 * 65 + 1) = (53, 66).
            ASSERT_EQ(std::uint16_t((66 + y) * 256 + 53 + x + 1), cell[y * 25 + x]) << x << "," << y;
            ASSERT_EQ(std::uint16_t((3 + y) * 256 + 7 + x + 1), absolute[y * 25 + x]) << x << "," << y;
        }
}

TEST_F(SpriteTest, FramesOutsideThePictureOrWithoutASurfaceCopyNothing) {
    MakePicture(100, 70);
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 25, 64, 2, Visible, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, &picture, 0, 3, 0, 0));   // columns 79..103 of 100
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, &picture, 0, 0, 1, 0));   // rows 66..129 of 70
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, &picture, 0, -1, 0, 1));  // left of the picture
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, &picture, 2, 0, 0, 0));   // only two frames made
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, &picture, -1, 0, 0, 0));
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, nullptr, 0, 0, 0, 0));
    picture.infoHeader.biBitCount = 8;
    EXPECT_EQ(0, LoadSpriteFrame(&sprite, &picture, 0, 0, 0, 0));  // not a 16-bit picture
    for (std::uint16_t p : Read(sprite.frames[0])) ASSERT_EQ(0, p);
    EXPECT_EQ(0, sprite.attributes & Loaded);
    // The 8-bit loader takes the 8-bit picture by its own bounds: 100 bytes a row.
    EXPECT_EQ(0, LoadSpriteFrame8(&sprite, &picture, 0, 76, 0, 1));
    EXPECT_EQ(1, LoadSpriteFrame8(&sprite, &picture, 0, 75, 6, 1));
    const auto bytes = Read(sprite.frames[0]);
    const auto* source = picture.pixels + 6 * 100 + 75;
    EXPECT_EQ(0, std::memcmp(bytes.data(), source, 25));
}

TEST_F(SpriteTest, DrawingSkipsKeyPixelsAndClipsToTheScreen) {
    MakePicture(25, 10);
    auto* pixels = reinterpret_cast<std::uint16_t*>(picture.pixels);
    for (int y = 0; y < 10; ++y) pixels[y * 25 + y] = kKey;  // a keyed diagonal
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 25, 10, 1, Visible | SingleFrame, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    ASSERT_EQ(1, LoadSpriteFrame(&sprite, &picture, 0, 0, 0, 1));
    ASSERT_EQ(1, FillSurface(screen, 0x1234, nullptr));

    sprite.x = 10.9f;
    sprite.y = 20.2f;
    ASSERT_EQ(1, DrawSprite(&sprite, screen));
    auto shown = Read(screen);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(x == y ? 0x1234 : pixels[y * 25 + x], ScreenAt(shown, 10 + x, 20 + y)) << x << "," << y;
    EXPECT_EQ(0x1234, ScreenAt(shown, 35, 20));
    EXPECT_EQ(0x1234, ScreenAt(shown, 10, 30));

    // Hanging over the bottom-right corner: the part on the screen is drawn.
    ASSERT_EQ(1, FillSurface(screen, 0x1234, nullptr));
    SetSpritePosition(&sprite, 630, 475);
    ASSERT_EQ(1, DrawSprite(&sprite, screen));
    shown = Read(screen);
    EXPECT_EQ(pixels[0 * 25 + 1], ScreenAt(shown, 631, 475));
    EXPECT_EQ(pixels[4 * 25 + 9], ScreenAt(shown, 639, 479));
    EXPECT_EQ(0x1234, ScreenAt(shown, 629, 475));

    // Hidden: nothing drawn, and that counts as done.
    ASSERT_EQ(1, FillSurface(screen, 0x1234, nullptr));
    HideSprite(&sprite);
    SetSpritePosition(&sprite, 0, 0);
    EXPECT_EQ(1, DrawSprite(&sprite, screen));
    for (std::uint16_t p : Read(screen)) ASSERT_EQ(0x1234, p);
    ShowSprite(&sprite);
    EXPECT_EQ(0, DrawSprite(&sprite, nullptr));
    sprite.currentFrame = 1;  // never made
    EXPECT_EQ(0, DrawSprite(&sprite, screen));
    sprite.currentFrame = 64;
    EXPECT_EQ(0, DrawSprite(&sprite, screen));
    sprite.currentFrame = -1;
    EXPECT_EQ(0, DrawSprite(&sprite, screen));
    for (std::uint16_t p : Read(screen)) ASSERT_EQ(0x1234, p);

    // Stretched to twice the size from the truncated position.
    sprite.currentFrame = 0;
    ASSERT_EQ(1, DrawSpriteScaled(&sprite, 50, 20, screen));
    shown = Read(screen);
    EXPECT_EQ(pixels[1 * 25 + 3], ScreenAt(shown, 7, 3));
    EXPECT_EQ(0x1234, ScreenAt(shown, 2, 2));  // the keyed diagonal, doubled
}

TEST_F(SpriteTest, SurfacesMadeAndSharedAsAsked) {
    EXPECT_EQ(1, CreateSprite(&sprite, 3, 4, 25, 64, 0, Visible, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    for (auto* frame : sprite.frames) EXPECT_EQ(nullptr, frame);
    EXPECT_EQ(1, sprite.state);
    EXPECT_FLOAT_EQ(3.0f, sprite.x);

    sprite.widthPad = 7;
    ASSERT_EQ(1, CreateSprite(&sprite, 0, 0, 25, 4, 70, Visible, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    EXPECT_EQ(64, sprite.frameCount);
    for (auto* frame : sprite.frames) ASSERT_NE(nullptr, frame);
    int width = 0;
    Read(sprite.frames[63], &width);
    EXPECT_EQ(32, width);
    DDCOLORKEY key{};
    EXPECT_EQ(S_OK, sprite.frames[0]->GetColorKey(DDCKEY_SRCBLT, &key));
    EXPECT_EQ(kKey, key.dwColorSpaceLowValue);
    const int order[] = {1, 2};
    ASSERT_EQ(1, LoadSpriteAnimation(&sprite, 3, 2, order));

    Sprite copy;
    EXPECT_EQ(0, CloneSprite(&sprite, &sprite));
    EXPECT_EQ(0, CloneSprite(nullptr, &copy));
    ASSERT_EQ(1, CloneSprite(&sprite, &copy));
    EXPECT_NE(0, copy.attributes & Clone);
    EXPECT_EQ(sprite.frames[5], copy.frames[5]);
    EXPECT_EQ(1, DestroySprite(&copy));
    EXPECT_EQ(nullptr, copy.frames[5]);
    EXPECT_EQ(nullptr, copy.sequences[3]);
    // The source still draws, and its sequence is still there.
    SetSpritePosition(&sprite, 100, 100);
    EXPECT_EQ(1, DrawSprite(&sprite, screen));
    EXPECT_EQ(2, sprite.sequences[3][1]);

    // Without a device no surface can be made.
    Sprite orphan{};
    LPDIRECTDRAW7 device = directDraw;
    directDraw = nullptr;
    EXPECT_EQ(0, CreateSprite(&orphan, 0, 0, 8, 8, 2, Visible, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    EXPECT_EQ(1, CreateSprite(&orphan, 0, 0, 8, 8, 0, Visible, DDSCAPS_SYSTEMMEMORY, kKey, 16));
    directDraw = device;
}

TEST_F(SpriteTest, NullSpritesFail) {
    EXPECT_EQ(0, DestroySprite(nullptr));
    EXPECT_EQ(0, DrawSprite(nullptr, screen));
    EXPECT_EQ(0, AnimateSprite(nullptr));
    EXPECT_EQ(0, MoveSprite(nullptr));
    EXPECT_EQ(0, SetSpritePosition(nullptr, 1, 1));
    EXPECT_EQ(0, LoadSpriteAnimation(nullptr, 0, 0, nullptr));
    EXPECT_EQ(0, SpritesCollide(nullptr, &sprite));
}

TEST(SpriteCollide, ReducedBoxesDecide) {
    // A 32 x 32 box has half-extents 16 - 4 = 12, so centres must be closer than 24.
    Sprite a{};
    Sprite b{};
    a.width = b.width = 32;
    a.height = b.height = 32;
    b.x = 23.9f;  // centre trunc(35.9) = 35, 23 from a's
    EXPECT_EQ(1, SpritesCollide(&a, &b));
    b.x = 24.0f;  // the full boxes still overlap by 8 pixels
    EXPECT_EQ(0, SpritesCollide(&a, &b));
    b.x = 0.0f;
    b.y = -24.0f;
    EXPECT_EQ(0, SpritesCollide(&a, &b));
    b.y = -23.0f;
    EXPECT_EQ(1, SpritesCollide(&b, &a));

    EXPECT_EQ(1, RectsCollide(0, 0, 32, 32, 23, 0, 32, 32));
    EXPECT_EQ(0, RectsCollide(0, 0, 32, 32, 24, 0, 32, 32));
    // Unequal sizes: 8 x 8 has half-extent 4 - 1 = 3; centres 15 apart against 12 + 3.
    EXPECT_EQ(0, RectsCollide(0, 0, 32, 32, 24, 10, 8, 8));
    EXPECT_EQ(1, RectsCollide(0, 0, 32, 32, 23, 10, 8, 8));
}

}  // namespace
