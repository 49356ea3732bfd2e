// The title screen behind the game's menu.
#pragma once

#include "kit/canvas.h"

// 640 x 480. The game writes the four entries itself at x 450, y 175..325 over the calm
// panel on the right, and the level line in the dark top-left corner.
Canvas MakeMenuScreen();

// The title lettering used on the title and about pages, centred on cx with its cell top at y.
void DrawGameTitle(Canvas& c, int cx, int y, int scale);

// An evening sky with stars, shared by the title and the pages.
void EveningSky(Canvas& c, int height, unsigned seed);
