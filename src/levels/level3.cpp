// Level 3: the walk through two rooms.
#include "levels/level3.h"

#include <cstdio>
#include <cstring>

#include "audio/music.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "input/keyboard.h"
#include "levels/colour_probe.h"
#include "levels/walker.h"

Sprite level3Hero = {};
BitmapImage roomImages[2] = {};
BitmapImage roomMasks[2] = {};
LPDIRECTDRAWSURFACE7 roomMaskSurface = nullptr;
DDSURFACEDESC2 maskSurfaceDesc = {};
int roomIndex = 0;
int level3Music = -1;
int stepsSound = -1;

namespace {

constexpr float kStep = 4.0f;

// Locks the mask surface; the pixels, or null when there is no mask to read.
const std::uint16_t* LockMask() {
    if (!roomMaskSurface) return nullptr;
    std::memset(&maskSurfaceDesc, 0, sizeof(maskSurfaceDesc));
    maskSurfaceDesc.dwSize = sizeof(maskSurfaceDesc);
    if (FAILED(roomMaskSurface->Lock(nullptr, &maskSurfaceDesc, DDLOCK_WAIT, nullptr))) return nullptr;
    return static_cast<const std::uint16_t*>(maskSurfaceDesc.lpSurface);
}

// Turns the hero to a direction's walking sequence, unless it already shows it.
void Face(int sequence) {
    if (level3Hero.currentAnimation != sequence) SetSpriteAnimation(&level3Hero, sequence);
}

void LoadPictures(BitmapImage* images, const char* pattern) {
    for (int i = 0; i < 2; ++i) {
        char fileName[32];
        std::snprintf(fileName, sizeof(fileName), pattern, i);
        LoadBitmapFile(&sharedBitmapFile, fileName);
        CreateBitmapImage(&images[i], 0, 0, 640, 480, 16);
        LoadImageFromBitmap(&images[i], &sharedBitmapFile, 0, 0, 1);
        UnloadBitmapFile(&sharedBitmapFile);
    }
}

}  // namespace

void LoadLevel3() {
    roomMaskSurface = CreateSurface(640, 480, 0, 0);
    LoadPictures(roomImages, "l3room%d.bmp");
    LoadPictures(roomMasks, "l3maskroom%d.bmp");
    LoadLevel3Hero();
    DrawRoomMask();
    level3Music = LoadMidi("l3bg.mid");
    stepsSound = LoadWav("l3_steps.wav", 224);
}

int LoadLevel3Hero() {
    if (!LoadWalkingHero(&level3Hero, "l3vandu%d.BMP")) return 0;
    SetSpritePosition(&level3Hero, 240, 300);
    SetSpriteAnimation(&level3Hero, kWalkLeft);
    SetSpriteAnimSpeed(&level3Hero, 3);
    return 1;
}

void DrawRoomMask() {
    WORD* pixels = const_cast<WORD*>(LockMask());
    if (!pixels) return;
    DrawBitmapImage(&roomMasks[roomIndex], pixels, maskSurfaceDesc.lPitch, 0);
    roomMaskSurface->Unlock(nullptr);
}

bool MaskBlocked(int x1, int y1, int x2, int y2) {
    // A room whose mask cannot be read has no walls.
    const std::uint16_t* pixels = LockMask();
    if (!pixels) return false;
    const bool blocked = FindColourInRect(x1, y1, x2, y2, 0, 0, pixels, maskSurfaceDesc.lPitch) != 0;
    roomMaskSurface->Unlock(nullptr);
    return blocked;
}

int RunLevel3() {
    if (MusicStatus(level3Music) != kMusicPlaying) PlayMusic(level3Music);
    if (LockBackSurface()) {
        DrawBitmapImage(&roomImages[roomIndex], backBuffer, backPitch, 0);
        UnlockBackSurface();
    }
    DrawSprite(&level3Hero, backSurface);
    // The hero's picture steps on every frame, standing or walking.
    AnimateSprite(&level3Hero);
    if (SoundStatus(stepsSound) != (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING))
        PlaySoundEffect(stepsSound, DSBPLAY_LOOPING);
    // The hero moves after it is drawn: the new place shows next frame.
    return MoveLevel3Hero();
}

int MoveLevel3Hero() {
    if (!ReadKeyboard()) return 0;
    Sprite& hero = level3Hero;
    const float x = hero.x, y = hero.y;
    const float w = static_cast<float>(kWalkerWidth), h = static_cast<float>(kWalkerHeight);
    const float half = static_cast<float>(kWalkerHeight / 2);
    // Only the first held key of Left, Right, Up, Down counts; the strip just beyond the
    // lower body in that direction must be free of wall for the whole 4-pixel step.
    if (KeyHeld(DIK_LEFT)) {
        Face(kWalkLeft);
        if (!MaskBlocked(static_cast<int>(x - kStep), static_cast<int>(y + half + 3), static_cast<int>(x),
                         static_cast<int>(y + h)))
            hero.x -= kStep;
    } else if (KeyHeld(DIK_RIGHT)) {
        Face(kWalkRight);
        if (!MaskBlocked(static_cast<int>(x + w), static_cast<int>(y + half + 3), static_cast<int>(x + w + kStep),
                         static_cast<int>(y + h)))
            hero.x += kStep;
    } else if (KeyHeld(DIK_UP)) {
        Face(kWalkUp);
        if (!MaskBlocked(static_cast<int>(x), static_cast<int>(y + half), static_cast<int>(x + w),
                         static_cast<int>(y + half + kStep)))
            hero.y -= kStep;
        // Off the top: into the upper room, at its bottom.
        if (hero.y < 0.0f) {
            roomIndex = 0;
            hero.y = 480.0f - h;
            DrawRoomMask();
        }
    } else if (KeyHeld(DIK_DOWN)) {
        Face(kWalkDown);
        if (!MaskBlocked(static_cast<int>(x), static_cast<int>(y + h), static_cast<int>(x + w),
                         static_cast<int>(y + h + kStep)))
            hero.y += kStep;
        // Off the bottom: into the lower room, at its top.
        if (hero.y > 481.0f - h) {
            roomIndex = 1;
            hero.y = 5.0f;
            DrawRoomMask();
        }
    }
    return 1;
}
