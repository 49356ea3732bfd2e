// The girder level's floors, ladders and walls, kept once in world coordinates for both the scan pages and the scenery.
#pragma once

#include <vector>

#include "kit/canvas.h"

// The playable stretch of the level is world x 0..1279 (two scan pages of 640); the picture
// behind it is 2560 wide. y is the same on the screen and in the world.
constexpr int kGirderWorldW = 2560;
constexpr int kGirderWorldH = 480;
constexpr int kScanPageW = 640;
constexpr int kScanPageH = 480;
constexpr int kScanPages = 2;

// Walking lines, from the ground up. Each is a solid band kFloorThick rows deep whose top row
// is the line the feet stand on. The hero's height only ever changes in steps of 3 and its feet
// start on a row of the form 3k + 1, so every line is 3k + 1 and four rows deep: a fall of six
// rows a frame always meets it, whichever of the two phases the feet are in. The start's fall
// lands exactly on the top row of the second girder. Lines stand at least 116 apart, so a
// jump (48 up) never reaches the one above.
constexpr int kFloorLevels = 4;
constexpr int kFloorY[kFloorLevels] = {460, 343, 223, 106};
constexpr int kFloorThick = 4;

// The extra height a ladder reaches above the floor it leads to, so the climber's feet clear
// the floor before the ladder runs out.
constexpr int kLadderTopReach = 20;
// Width of a ladder's climbable band; the drawn rails stand just outside it.
constexpr int kLadderW = 14;

struct WorldRect {
    int x, y, w, h;
};

struct FloorSpan {
    int level;   // index into kFloorY
    int x0, x1;  // world x, x1 exclusive
};

struct LadderSpot {
    int level;  // stands on floor `level` and leads to floor `level + 1`
    int x;      // left column of the climbable band
};

struct GirderLayout {
    std::vector<FloorSpan> floors;
    std::vector<LadderSpot> ladders;
    std::vector<WorldRect> walls;  // solid from top to bottom of the rectangle
};

const GirderLayout& TheGirderLayout();

// The solid band of a floor span and the climbable band of a ladder, in world coordinates.
WorldRect FloorRect(const FloorSpan& f);
WorldRect LadderRect(const LadderSpot& l);

// A collision page: white where solid, pure blue where climbable, black elsewhere.
// Page 0 holds world x 0..639, page 1 world x 640..1279.
Canvas MakeScanPage(int page);
