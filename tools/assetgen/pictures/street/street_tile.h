// The street level's background tile: sky, town, garden strip, pavement and road.
#pragma once

#include "kit/canvas.h"

// 640 x 480; its left and right edges join, so copies laid side by side read as one street.
Canvas MakeStreetTile();

// Rows of the tile's layout, shared with the title scene.
constexpr int kStreetLawnTop = 246;
constexpr int kStreetPavementTop = 300;
constexpr int kStreetKerbTop = 338;
constexpr int kStreetRoadTop = 346;
