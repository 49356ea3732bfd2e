// Level 2: the platform world. The hero walks, falls, jumps and climbs through a world
// wider than the screen; floors, walls and ladders are found by colour in two hidden
// collision pages drawn into the back buffer before the visible picture.
#pragma once

#include "gfx/bitmap.h"
#include "gfx/sprite.h"

extern Sprite level2Hero;
extern Sprite level2Background;
extern BitmapImage scanImages[2];
extern int fallSound;
extern int level2Music;
extern int walkSpeed;
extern int jumpTimer;
extern bool onGround;
extern bool blockedLeft;
extern bool blockedRight;
extern int scanPage;
extern int scanX;
// True while this frame's background will hide the whole screen: the collision page is then
// drawn only where a probe reads it, just before the probe reads it.
extern bool pageHidden;

// Called once by InitGame: the level's sprites, collision pages, sound and music.
bool LoadLevel2();
// Called by RunFrame once per frame while Play shows level 2. 0 when the keyboard could
// not be read or X is held, else non-zero.
int RunLevel2();
// The horizontal move and the scroll, part of RunLevel2.
void MoveLevel2Hero();
// +1 Right held alone, -1 Left held alone, 0 neither or both.
int HorizontalAxis();
