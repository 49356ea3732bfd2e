// The girder level's scrolling picture: sky, far town and cranes behind the building site.
#pragma once

#include "kit/canvas.h"

// 2560 x 480, fully opaque. Columns 0..1279 hold the site whose floors, ladders and walls
// follow the layout of girder_layout.h exactly; the rest is scenery out of reach.
Canvas MakeGirderWorld();
