// Level 3: a top-down walk through two rooms stacked one above the other; walls are the
// black pixels of a hidden mask of the current room.
#pragma once

#include "gfx/bitmap.h"
#include "gfx/sprite.h"
#include "platform/ddraw.h"

extern Sprite level3Hero;
extern BitmapImage roomImages[2];
extern BitmapImage roomMasks[2];
extern LPDIRECTDRAWSURFACE7 roomMaskSurface;
extern DDSURFACEDESC2 maskSurfaceDesc;
extern int roomIndex;
extern int level3Music;
extern int stepsSound;

// Called once by InitGame: rooms, masks, hero, music and the footsteps.
void LoadLevel3();
int LoadLevel3Hero();
// Called by RunFrame once per frame while Play shows level 3; the result of MoveLevel3Hero.
int RunLevel3();
// Keyboard and movement: 0 when the keyboard could not be read, else 1.
int MoveLevel3Hero();
// True when the current room's mask has a wall pixel in the inclusive rectangle.
bool MaskBlocked(int x1, int y1, int x2, int y2);
// Puts the current room's mask into the mask surface.
void DrawRoomMask();
