// The hero on foot, as Level 2 and Level 3 both show him: the frame size, the four walking
// sequences and the loader that builds him from four sprite sheets.
#pragma once

#include "gfx/sprite.h"

// Sequence numbers by direction.
constexpr int kWalkDown = 0;
constexpr int kWalkUp = 1;
constexpr int kWalkRight = 2;
constexpr int kWalkLeft = 3;

constexpr int kWalkerWidth = 25;
constexpr int kWalkerHeight = 64;

// Down, up, right and left: stand, stride one way, back, stride the other way.
extern const int heroSequences[4][8];

// Called by LoadLevel2 and LoadLevel3Hero: creates `hero` with 20 frames, where frame 5r + i
// is cell i of the sheet that `sheetPattern` names with r (r = 0..3), and sequence r is
// heroSequences[r]. False when the sprite could not be created.
bool LoadWalkingHero(Sprite* hero, const char* sheetPattern);
