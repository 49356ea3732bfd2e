// Level 2: the platform world.
#include "levels/level2.h"

#include "audio/music.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "input/keyboard.h"
#include "levels/colour_probe.h"
#include "levels/walker.h"

Sprite level2Hero = {};
Sprite level2Background = {};
BitmapImage scanImages[2] = {};
int fallSound = -1;
int level2Music = -1;
int walkSpeed = 0;
int jumpTimer = 0;
bool onGround = false;
bool blockedLeft = false;
bool blockedRight = false;
int scanPage = 0;
int scanX = 0;
bool pageHidden = false;

namespace {

constexpr int kBackgroundAttributes = Visible | MultiAnim;
constexpr int kSystemMemory = 0x800;
constexpr int kColourKey = 0xF81F;
constexpr std::uint16_t kSolidColour = 0xFFFF;  // white: floors, ceilings, walls
constexpr std::uint16_t kClimbColour = 0x001F;  // blue: ladders
constexpr int kHeroWidth = kWalkerWidth;
constexpr int kHeroHeight = kWalkerHeight;
constexpr int kJumpRise = 42;
constexpr float kScrollLine = 320.0f;

// True when no pixel of the background's picture is see-through (decided once, at load), so
// that wherever it is drawn it hides what lies under it.
bool backgroundOpaque = false;

bool Probe(int x1, int y1, int x2, int y2, std::uint16_t colour) {
    RECT area;
    if (pageHidden && ColourProbeArea(x1, y1, x2, y2, &area))
        DrawBitmapImagePart(&scanImages[scanPage], backBuffer, backPitch, 1, area);
    return FindColourInRect(x1, y1, x2, y2, colour, colour, backBuffer, backPitch) != 0;
}

// Falling, rising and climbing by what the collision page holds around the hero; then the
// walls beside it, which the next frame's move obeys.
void ProbeSurroundings() {
    Sprite& hero = level2Hero;
    const int cx = scanX + kHeroWidth / 2;
    const int h = kHeroHeight;

    if (!Probe(cx, static_cast<int>(hero.y + h), cx, static_cast<int>(hero.y + h), kSolidColour)) {
        onGround = false;
        if (jumpTimer > 0) {
            hero.y -= static_cast<float>(walkSpeed);
            jumpTimer -= walkSpeed;
        } else {
            hero.y += static_cast<float>(walkSpeed);
        }
    } else if (jumpTimer > 0) {
        // Still on a thin floor at the start of a jump: the rise has begun but the timer
        // only counts once the feet are off white.
        hero.y -= static_cast<float>(walkSpeed);
    } else {
        onGround = true;
    }

    if (KeyHeld(DIK_UP) && !KeyHeld(DIK_DOWN) &&
        Probe(cx, static_cast<int>(hero.y + h - 20), cx, static_cast<int>(hero.y + h), kClimbColour)) {
        hero.y = hero.y - static_cast<float>(2 * walkSpeed) + 3.0f;
    }

    if (Probe(cx, static_cast<int>(hero.y), cx, static_cast<int>(hero.y + 10), kSolidColour) && jumpTimer > 0 &&
        !onGround) {
        jumpTimer = 0;
        if (SoundStatus(fallSound) != DSBSTATUS_PLAYING) PlaySoundEffect(fallSound, 0);
    }

    const int top = static_cast<int>(hero.y);
    const int bottom = static_cast<int>(hero.y + h / 2 + 10);
    blockedLeft = Probe(scanX, top, scanX, bottom, kSolidColour);
    blockedRight = Probe(scanX + kHeroWidth, top, scanX + kHeroWidth, bottom, kSolidColour);
}

}  // namespace

bool LoadLevel2() {
    onGround = false;
    jumpTimer = 0;
    walkSpeed = 6;
    blockedLeft = blockedRight = false;
    scanPage = 0;
    scanX = 0;

    if (!LoadWalkingHero(&level2Hero, "vandu%d.BMP")) return false;
    SetSpritePosition(&level2Hero, 20, 75);
    SetSpriteAnimation(&level2Hero, kWalkLeft);
    SetSpriteAnimSpeed(&level2Hero, 6);

    LoadBitmapFile(&sharedBitmapFile, "viewback.bmp");
    if (!CreateSprite(&level2Background, 0, 0, 2560, 480, 1, kBackgroundAttributes, kSystemMemory, kColourKey, 16)) {
        UnloadBitmapFile(&sharedBitmapFile);
        return false;
    }
    LoadSpriteFrame(&level2Background, &sharedBitmapFile, 0, 0, 0, 1);
    UnloadBitmapFile(&sharedBitmapFile);
    backgroundOpaque = SpriteFrameOpaque(&level2Background, 0);
    SetSpritePosition(&level2Background, 0, 0);

    const char* const pages[2] = {"scan00.bmp", "scan01.bmp"};
    for (int p = 0; p < 2; ++p) {
        LoadBitmapFile(&sharedBitmapFile, pages[p]);
        CreateBitmapImage(&scanImages[p], 0, 0, 640, 480, 16);
        LoadImageFromBitmap(&scanImages[p], &sharedBitmapFile, 0, 0, 1);
        UnloadBitmapFile(&sharedBitmapFile);
    }

    fallSound = LoadWav("l2fall.wav", 224);
    level2Music = LoadMidi("l2bg.mid");
    return true;
}

int RunLevel2() {
    if (!ReadKeyboard()) return 0;
    MoveLevel2Hero();

    const float worldX = level2Hero.x - level2Background.x;
    scanPage = worldX > 640.0f ? 1 : 0;
    scanX = static_cast<int>(worldX - 640.0f * static_cast<float>(scanPage));

    // The collision page is painted where the background will cover it, and probed there.
    // When the background will cover every pixel of the screen, no pixel of the page can
    // show, so only the pixels the probes read are painted: they hold just what the whole
    // page would have left there. Without a locked back buffer there is nothing to probe:
    // the hero holds still this frame rather than fall through a floor it cannot see.
    const RECT screen = {0, 0, screenWidth, screenHeight};
    pageHidden = backgroundOpaque && SpriteSpans(&level2Background, screen);
    if (LockBackSurface()) {
        if (!pageHidden) DrawBitmapImage(&scanImages[scanPage], backBuffer, backPitch, 1);
        ProbeSurroundings();
        UnlockBackSurface();
    }

    DrawSprite(&level2Background, backSurface);
    DrawSprite(&level2Hero, backSurface);

    if (KeyHeld(DIK_X)) return 0;
    if (KeyHeld(DIK_SPACE) && onGround) jumpTimer = kJumpRise;
    if (MusicStatus(level2Music) != kMusicPlaying) PlayMusic(level2Music);
    return 1;
}

int HorizontalAxis() {
    return (KeyHeld(DIK_RIGHT) ? 1 : 0) - (KeyHeld(DIK_LEFT) ? 1 : 0);
}

void MoveLevel2Hero() {
    const int axis = HorizontalAxis();
    if (axis == 0) return;  // the hero keeps its place and its picture
    const int sequence = axis < 0 ? kWalkLeft : kWalkRight;
    if (level2Hero.currentAnimation != sequence) SetSpriteAnimation(&level2Hero, sequence);
    AnimateSprite(&level2Hero);
    // Walls are the ones measured last frame, after the move that may have reached them.
    if (axis < 0 ? blockedLeft : blockedRight) return;

    const int step = onGround ? 3 : walkSpeed;
    const float worldX = level2Hero.x - level2Background.x;
    if (worldX < kScrollLine) {
        level2Background.x = 0.0f;
        level2Hero.x += static_cast<float>(axis * step);
    } else {
        level2Background.x -= static_cast<float>(axis * step);
    }
}
