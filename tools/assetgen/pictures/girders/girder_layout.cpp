// The girder level's layout and the collision pages painted from it.
#include "pictures/girders/girder_layout.h"

namespace {

const Rgb kSolid{255, 255, 255};  // 0xFFFF once packed
const Rgb kClimb{0, 0, 255};      // 0x001F once packed
const Rgb kEmpty{0, 0, 0};        // see-through and neither

GirderLayout BuildLayout() {
    GirderLayout g;
    // Floors. The start (world 20, 75) is kept clear above the second girder, so the hero drops
    // straight onto it. Gaps are 50 or so wide: a running jump clears them, walking in drops
    // to the floor below. The seam between the pages (around x 640) has nothing but whole floors.
    g.floors = {
        {0, 0, 1280},  {1, 0, 420},    {1, 470, 1060}, {1, 1110, 1280}, {2, 0, 300},
        {2, 352, 900}, {2, 950, 1280}, {3, 180, 560},  {3, 760, 1100},
    };
    // Ladders, each from a floor to the one above, never under a gap.
    g.ladders = {
        {0, 90}, {0, 720}, {0, 1000}, {0, 1150}, {1, 190}, {1, 540}, {1, 1205}, {2, 260}, {2, 800},
    };
    g.walls = {
        {0, 0, 6, kGirderWorldH},      // the steel post at the far left
        {1250, 0, 30, kGirderWorldH},  // the brick side of the next building: the end of the site
        // A brick wall across the ground floor, from the first girder down.
        {840, kFloorY[1] + kFloorThick, 16, kFloorY[0] - kFloorY[1] - kFloorThick},
    };
    return g;
}

void PaintRect(Canvas& page, int pageX0, const WorldRect& r, Rgb c) {
    page.FillRect(r.x - pageX0, r.y, r.w, r.h, c);
}

}  // namespace

const GirderLayout& TheGirderLayout() {
    static const GirderLayout kLayout = BuildLayout();
    return kLayout;
}

WorldRect FloorRect(const FloorSpan& f) {
    return {f.x0, kFloorY[f.level], f.x1 - f.x0, kFloorThick};
}

WorldRect LadderRect(const LadderSpot& l) {
    const int top = kFloorY[l.level + 1] - kLadderTopReach;
    return {l.x, top, kLadderW, kFloorY[l.level] - top};
}

Canvas MakeScanPage(int page) {
    Canvas c(kScanPageW, kScanPageH, kEmpty);
    const GirderLayout& g = TheGirderLayout();
    const int x0 = page * kScanPageW;
    // Ladders first: a floor crossing a ladder stays solid, so the climber goes up through the
    // line (climbing ignores solid ground) and can stand on it at the top.
    for (const LadderSpot& l : g.ladders) PaintRect(c, x0, LadderRect(l), kClimb);
    for (const FloorSpan& f : g.floors) PaintRect(c, x0, FloorRect(f), kSolid);
    for (const WorldRect& w : g.walls) PaintRect(c, x0, w, kSolid);
    return c;
}
