// The hero on foot: his sequences and his loader.
#include "levels/walker.h"

#include <cstdio>

#include "gfx/bitmap.h"

const int heroSequences[4][8] = {
    {2, 1, 0, 1, 2, 3, 4, 3},
    {7, 6, 5, 6, 7, 8, 9, 8},
    {11, 10, 11, 12, 11, 10, 11, 12},
    {16, 15, 16, 17, 16, 15, 16, 17},
};

namespace {

constexpr int kAttributes = Visible | MultiAnim;
constexpr int kSystemMemory = 0x800;
constexpr int kColourKey = 0xF81F;
constexpr int kFrames = 20;
constexpr int kFramesPerSheet = 5;

}  // namespace

bool LoadWalkingHero(Sprite* hero, const char* sheetPattern) {
    if (!CreateSprite(hero, 0, 0, kWalkerWidth, kWalkerHeight, kFrames, kAttributes, kSystemMemory, kColourKey, 16))
        return false;
    for (int r = 0; r < 4; ++r) {
        char fileName[32];
        std::snprintf(fileName, sizeof(fileName), sheetPattern, r);
        LoadBitmapFile(&sharedBitmapFile, fileName);
        for (int i = 0; i < kFramesPerSheet; ++i)
            LoadSpriteFrame(hero, &sharedBitmapFile, kFramesPerSheet * r + i, i, 0, 0);
        LoadSpriteAnimation(hero, r, 8, heroSequences[r]);
        UnloadBitmapFile(&sharedBitmapFile);
    }
    return true;
}
