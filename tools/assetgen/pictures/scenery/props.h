// Props of the title scene: the girder scaffold with ladders, the room-plan board, a street lamp, a cone.
#pragma once

#include "kit/canvas.h"

// A building site of girder floors joined by ladders, between x0 and x1, floors from topY
// down to groundY.
void GirderScaffold(Canvas& c, int x0, int x1, int topY, int groundY);

// A town map board on two legs, showing two rooms one above the other, seen from above.
// The board's frame covers (x, y, w, h); the legs reach down to groundY.
void RoomPlanBoard(Canvas& c, int x, int y, int w, int h, int groundY);

// A street lamp standing on groundY with its head near topY; glow tints the sky around it.
void StreetLamp(Canvas& c, int x, int topY, int groundY, bool glow);

// A traffic cone standing on baseY.
void Cone(Canvas& c, int cx, int baseY);

// Darkens and cools a region for evening light; warm lit windows keep their glow.
void EveningTint(Canvas& c, int x, int y, int w, int h, float amount);
