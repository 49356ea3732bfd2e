// Props of the title scene: the girder scaffold with ladders, the room-plan board, a street lamp, a cone.
#pragma once

#include "kit/canvas.h"

// A building site of girder floors joined by ladders, between x0 and x1, floors from top_y
// down to ground_y.
void GirderScaffold(Canvas& c, int x0, int x1, int top_y, int ground_y);

// A town map board on two legs, showing two rooms one above the other, seen from above.
// The board's frame covers (x, y, w, h); the legs reach down to ground_y.
void RoomPlanBoard(Canvas& c, int x, int y, int w, int h, int ground_y);

// A street lamp standing on ground_y with its head near top_y; glow tints the sky around it.
void StreetLamp(Canvas& c, int x, int top_y, int ground_y, bool glow);

// A traffic cone standing on base_y.
void Cone(Canvas& c, int cx, int base_y);

// Darkens and cools a region for evening light; warm lit windows keep their glow.
void EveningTint(Canvas& c, int x, int y, int w, int h, float amount);
