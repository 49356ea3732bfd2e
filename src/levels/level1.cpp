// Level 1: the street ride.
#include "levels/level1.h"

#include <algorithm>
#include <cmath>

#include "audio/music.h"
#include "audio/sound.h"
#include "common/game_services.h"
#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "input/keyboard.h"
#include "levels/random.h"

Sprite level1Tiles[2] = {};
Sprite level1Houses[20] = {};
Sprite level1Hero = {};
int level1Sequences[4][4] = {};
int boardLoopSound = -1;
int jumpSound = -1;
int level1Music = -1;
int heroJumping = 0;
int jumpArmed = 0;
int jumpFrames = 0;

namespace {

constexpr int kSceneryAttributes = SingleFrame | Visible;  // 0x11
constexpr int kHeroAttributes = MultiAnim | Visible;       // 0x14
constexpr int kSystemMemory = 0x800;
constexpr int kColourKey = 0xF81F;  // magenta in 5.6.5: never drawn

constexpr float kAcceleration = 1.0f;
constexpr float kHorizontalLimit = 8.0f;
constexpr float kVerticalLimit = 4.0f;
constexpr double kDamping = 0.952381;
constexpr double kRestSpeed = 0.1;
constexpr float kStreetTop = 260.0f;
constexpr float kStreetBottom = 480.0f;
constexpr float kJumpLift = 20.0f;
constexpr int kJumpHangFrames = 15;  // frames after the take-off before the landing frame
constexpr float kScrollLine = 320.0f;
constexpr float kTileWidth = 640.0f;
constexpr float kTileWrap = 1280.0f;

constexpr int kRideRight = 2;
constexpr int kRideLeft = 3;

// One axis of the steering: accelerate toward the held key up to the limit, or let the
// speed die away when neither key is held. The first key wins when both are held.
float Steer(float velocity, bool lessHeld, bool moreHeld, float limit) {
    if (lessHeld) {
        if (velocity > -limit) velocity -= kAcceleration;
    } else if (moreHeld) {
        if (velocity < limit) velocity += kAcceleration;
    } else {
        velocity = static_cast<float>(velocity * kDamping);
        if (std::fabs(velocity) < kRestSpeed) velocity = 0.0f;
    }
    return velocity;
}

}  // namespace

int LoadLevel1() {
    SeedRandom(static_cast<std::uint32_t>(services::CalendarNow().seconds));
    LoadLevel1Tiles();
    LoadLevel1Houses();
    LoadLevel1Hero();
    // 224: frequency, pan and volume control.
    boardLoopSound = LoadWav("lev1_boardloop.wav", 224);
    jumpSound = LoadWav("lev1_jump.wav", 224);
    level1Music = LoadMidi("lev1_bgmusic.mid");
    return level1Music;
}

int LoadLevel1Tiles() {
    LoadBitmapFile(&sharedBitmapFile, "lev1_backgroundtile.bmp");
    for (int i = 0; i < 2; ++i) {
        Sprite* tile = &level1Tiles[i];
        if (!CreateSprite(tile, 640 * i, 0, 640, 480, 1, kSceneryAttributes, kSystemMemory, kColourKey, 16)) {
            UnloadBitmapFile(&sharedBitmapFile);
            return 0;
        }
        // Both tiles show the same picture.
        LoadSpriteFrame(tile, &sharedBitmapFile, 0, 0, 0, 1);
    }
    UnloadBitmapFile(&sharedBitmapFile);
    return 1;
}

int LoadLevel1Houses() {
    LoadBitmapFile(&sharedBitmapFile, "lev1_houses.bmp");
    for (int i = 0; i < 20; ++i) {
        const float u1 = static_cast<float>(RandomUnit());
        const double u2 = RandomUnit();
        // House i starts between 180i and 180i + 40 (u1, rounded to single precision,
        // may reach 1), and its top lies between 120 and 160.
        const int x = static_cast<int>(40.0f * u1 + 180.0f * static_cast<float>(i));
        const int y = static_cast<int>(160.0 - 40.0 * u2);
        Sprite* house = &level1Houses[i];
        if (!CreateSprite(house, x, y, 164, 136, 1, kSceneryAttributes, kSystemMemory, kColourKey, 16)) {
            UnloadBitmapFile(&sharedBitmapFile);
            return 0;
        }
        const double u3 = RandomUnit();
        LoadSpriteFrame(house, &sharedBitmapFile, 0, static_cast<int>(7.0 * u3), 0, 0);
    }
    UnloadBitmapFile(&sharedBitmapFile);
    return 1;
}

int LoadLevel1Hero() {
    if (!CreateSprite(&level1Hero, 0, 0, 34, 68, 16, kHeroAttributes, kSystemMemory, kColourKey, 16)) return 0;
    LoadBitmapFile(&sharedBitmapFile, "lev1_vandu.bmp");
    for (int a = 0; a < 4; ++a) {
        for (int j = 0; j < 4; ++j) LoadSpriteFrame(&level1Hero, &sharedBitmapFile, 4 * a + j, j, a, 0);
        // The riding cycle of row a: stand, push, glide, push.
        level1Sequences[a][0] = 4 * a;
        level1Sequences[a][1] = 4 * a + 1;
        level1Sequences[a][2] = 4 * a + 2;
        level1Sequences[a][3] = 4 * a + 1;
        LoadSpriteAnimation(&level1Hero, a, 4, level1Sequences[a]);
    }
    SetSpritePosition(&level1Hero, 35, 350);
    SetSpriteAnimSpeed(&level1Hero, 4);
    UnloadBitmapFile(&sharedBitmapFile);
    return 1;
}

void RunLevel1() {
    // Without a keyboard reading the level neither moves nor draws this frame.
    if (!ReadKeyboard()) return;
    // The piece starts again from its beginning whenever it has ended.
    if (MusicStatus(level1Music) != kMusicPlaying) PlayMusic(level1Music);
    DrawLevel1Tiles();
    DrawLevel1Houses();
    UpdateLevel1Hero();
    DrawLevel1Hero();
    ScrollLevel1();
}

void DrawLevel1Tiles() {
    for (Sprite& tile : level1Tiles) {
        // A tile wholly off the left edge moves to just right of the other one and sits
        // this frame out.
        if (tile.x + kTileWidth < 0.0f) {
            tile.x += kTileWrap;
            continue;
        }
        DrawSprite(&tile, backSurface);
    }
}

void DrawLevel1Houses() {
    // Houses never wrap: once they have all scrolled past, the street goes on without them.
    for (Sprite& house : level1Houses) DrawSprite(&house, backSurface);
}

void UpdateLevel1Hero() {
    Sprite& hero = level1Hero;
    // In the air the arrow keys do nothing and the hero drifts on with its take-off speed.
    if (!heroJumping) {
        hero.velocityX = Steer(hero.velocityX, KeyHeld(DIK_LEFT), KeyHeld(DIK_RIGHT), kHorizontalLimit);
        hero.velocityY = Steer(hero.velocityY, KeyHeld(DIK_UP), KeyHeld(DIK_DOWN), kVerticalLimit);
        // A hero at rest faces right.
        if (hero.velocityX >= 0.0f && hero.currentAnimation != kRideRight) SetSpriteAnimation(&hero, kRideRight);
        if (hero.velocityX < 0.0f && hero.currentAnimation != kRideLeft) SetSpriteAnimation(&hero, kRideLeft);
    }
    MoveSprite(&hero);

    // The street's edges. In the air the vertical speed is stopped above the street's
    // top, but the height itself is left alone.
    if (hero.y < kStreetTop) {
        hero.velocityY = 0.0f;
        if (!heroJumping) hero.y = kStreetTop;
    } else if (hero.y + static_cast<float>(hero.height) > kStreetBottom) {
        hero.y = kStreetBottom - static_cast<float>(hero.height);
        hero.velocityY = 0.0f;
    }
    if (hero.x < 0.0f) {
        hero.x = 0.0f;
        hero.velocityX = 0.0f;
    }

    // Space must be released once between jumps on the street; the air re-arms it, so
    // the jump can repeat on the frame after landing while Space stays down.
    if (KeyHeld(DIK_SPACE) && !heroJumping) {
        if (jumpArmed) {
            hero.y -= kJumpLift;
            heroJumping = 1;
        }
        jumpArmed = 0;
    } else {
        jumpArmed = 1;
    }

    // The take-off frame counts: the hero hangs for it and the 15 after, and lands in
    // the 17th.
    if (heroJumping) {
        const int before = jumpFrames;
        jumpFrames += 1;
        if (before > kJumpHangFrames) {
            jumpFrames = 0;
            hero.y += kJumpLift;
            heroJumping = 0;
        }
    }
}

void DrawLevel1Hero() {
    Sprite& hero = level1Hero;
    if (heroJumping) {
        hero.currentFrame = hero.currentAnimation * 4 + 3;
        // The shadow: a black bar along the line where the feet were before take-off.
        FillRectangle(static_cast<int>(hero.x + 3.0f), static_cast<int>(hero.y + hero.height + 19.0f),
                      static_cast<int>(hero.x + hero.width - 6.0f), static_cast<int>(hero.y + hero.height + 21.0f), 0,
                      backSurface);
        StopSoundEffect(boardLoopSound);
        // The jump sound starts at take-off, and again if it ends before the landing.
        if (SoundStatus(jumpSound) != DSBSTATUS_PLAYING) PlaySoundEffect(jumpSound, 0);
        DrawSprite(&hero, backSurface);
    } else if (hero.velocityX == 0.0f && hero.velocityY == 0.0f) {
        hero.currentFrame = hero.currentAnimation * 4;
        StopSoundEffect(boardLoopSound);
        DrawSprite(&hero, backSurface);
    } else {
        AnimateSprite(&hero);
        if (SoundStatus(boardLoopSound) != (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING))
            PlaySoundEffect(boardLoopSound, DSBPLAY_LOOPING);
        // Louder with speed; above 2.5 pixels a frame the volume passes 100, which the
        // platform refuses, so the loop keeps the last volume it took.
        const float speed = std::max(std::fabs(hero.velocityX), std::fabs(hero.velocityY));
        SetSoundVolume(boardLoopSound, static_cast<int>(speed * 20.0f + 50.0f));
        DrawSprite(&hero, backSurface);
    }
}

void ScrollLevel1() {
    if (level1Hero.x <= kScrollLine) return;
    // Whole pixels only: the scenery never shows at a fraction of a pixel.
    const float d = static_cast<float>(static_cast<int>(level1Hero.x - kScrollLine));
    level1Hero.x -= d;
    for (Sprite& tile : level1Tiles) tile.x -= d;
    for (Sprite& house : level1Houses) house.x -= d;
}
