// The building site: steel frame and part-built walls behind, girders, ladders and walls from the layout in front.
#include "pictures/girders/girder_site.h"

#include <algorithm>
#include <cstdint>

#include "kit/rng.h"
#include "pictures/girders/girder_layout.h"
#include "pictures/girders/girder_part.h"
#include "pictures/girders/girder_props.h"
#include "pictures/scenery/building_parts.h"

namespace {

constexpr int kGround = kFloorY[0];
constexpr int kGirderDepth = 12;  // rows of the drawn I-beam below its walking line

// Steel of the frame behind, cooler and darker than the girders in front.
const Rgb kFrame{112, 120, 146};
const Rgb kFrameLight{150, 158, 182};
const Rgb kFrameDark{80, 86, 112};
// Back walls in the shade of the floors above.
const Rgb kBackBrick{134, 78, 70};
const Rgb kBackBrickLight{152, 94, 82};
const Rgb kBackBrickDark{106, 60, 58};
const Rgb kBackMortar{98, 76, 82};
const Rgb kBlock{146, 144, 146};
const Rgb kBlockDark{116, 114, 122};
// Ladders of bare aluminium.
const Rgb kRail{200, 206, 218};
const Rgb kRailLight{240, 242, 248};
const Rgb kRailDark{136, 144, 166};
const Rgb kHazard{250, 204, 60};

bool IsFloorAt(int level, int wx) {
    for (const FloorSpan& f : TheGirderLayout().floors)
        if (f.level == level && wx >= f.x0 && wx < f.x1) return true;
    return false;
}

// ---- The frame behind ----

void BackColumn(Canvas& c, int x, int top) {
    SitePart p(x, top, 10, kGround - top);
    p.Fill(x, top, 10, kGround - top, kFrame);
    p.VLine(x, top, kGround - 1, kFrameLight);
    p.VLine(x + 1, top, kGround - 1, kFrameLight);
    p.VLine(x + 8, top, kGround - 1, kFrameDark);
    p.VLine(x + 9, top, kGround - 1, kFrameDark);
    // Splice plates and their bolts every storey.
    for (int level = 1; level < kFloorLevels; ++level) {
        const int py = kFloorY[level] + 24;
        if (py < top) continue;
        p.Fill(x - 1, py, 12, 8, kFrameLight);
        p.HLine(x - 1, x + 10, py + 7, kFrameDark);
        for (int k = 0; k < 2; ++k) {
            p.Set(x + 2 + k * 5, py + 2, kFrameDark);
            p.Set(x + 2 + k * 5, py + 5, kFrameDark);
        }
    }
    // Bare stub at the top with starter bars sticking out.
    p.Fill(x - 1, top, 12, 3, kFrameLight);
    p.StampOn(c, Mix(kFrameDark, pal::kInk, 0.5f));
}

// Cross bracing in a bay between two columns and two heights.
void Bracing(Canvas& c, int x0, int x1, int y0, int y1) {
    const Rgb rod = Mix(kFrame, kFrameDark, 0.5f);
    c.Line(x0, y0, x1, y1, rod);
    c.Line(x0, y0 + 1, x1, y1 + 1, kFrameDark);
    c.Line(x0, y1, x1, y0, rod);
    c.Line(x0, y1 + 1, x1, y0 + 1, kFrameDark);
    const int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    c.FillRect(mx - 2, my - 2, 5, 5, kFrameLight);
    c.Set(mx, my, kFrameDark);
}

// A part-built wall in a bay: courses laid up to a ragged top, with a window opening.
void BackWall(Canvas& c, int x0, int x1, int yTop, int yBottom, bool brick, bool window, int seed) {
    const Rgb base = brick ? kBackBrick : kBlock;
    SitePart p(x0, yTop, x1 - x0, yBottom - yTop);
    const int course = brick ? 4 : 8;
    for (int y = yTop; y < yBottom; ++y) {
        for (int x = x0; x < x1; ++x) {
            // The top courses step down toward one end, as a wall being laid does.
            const int row = (yBottom - 1 - y) / course;
            const int unit = brick ? 10 : 16;
            const int rowsHere = (yBottom - yTop) / course - ((x - x0) / unit) * (seed % 2 ? 1 : 0) / 3;
            if (row >= rowsHere) continue;
            p.Set(x, y, base);
        }
    }
    if (brick) {
        Bricks(p.layer, 0, 0, p.layer.Width(), p.layer.Height(), base, kBackBrickLight, kBackBrickDark, kBackMortar);
    } else {
        for (int y = yTop; y < yBottom; ++y)
            for (int x = x0; x < x1; ++x) {
                if (p.Get(x, y) != base) continue;
                const int row = (yBottom - 1 - y) / 8, inRow = (yBottom - 1 - y) % 8;
                const int inUnit = (x - x0 + (row % 2) * 8) % 16;
                if (inRow == 7 || inUnit == 15)
                    p.Set(x, y, kBlockDark);
                else if (inRow == 6)
                    p.Set(x, y, Mix(kBlock, pal::kWhite, 0.2f));
                else if (Hash((x - x0 + (row % 2) * 8) / 16, row + seed) % 5 == 0)
                    p.Set(x, y, Mix(kBlock, kBlockDark, 0.35f));
            }
    }
    if (window) {
        // An opening with a concrete lintel: the sky and town show through it.
        const int ww = std::min(40, (x1 - x0) / 3), wx = (x0 + x1) / 2 - ww / 2;
        const int wy = yBottom - 70, wh = 40;
        p.Fill(wx, wy, ww, wh, kKey);
        p.Fill(wx - 3, wy - 5, ww + 6, 5, pal::kStone);
        p.HLine(wx - 3, wx + ww + 2, wy - 5, pal::kStoneLight);
        p.Fill(wx - 2, wy + wh, ww + 4, 3, pal::kStone);
    }
    p.StampOn(c, Mix(kBackBrickDark, pal::kInk, 0.5f));
}

// ---- The things the hero uses ----

void Girder(Canvas& c, const FloorSpan& f) {
    const int top = kFloorY[f.level], x0 = f.x0, x1 = std::min(f.x1, kGirderWorldW);
    const int w = x1 - x0;
    SitePart p(x0, top, w, kGirderDepth);
    const Rgb hi{255, 206, 128};
    p.HLine(x0, x1 - 1, top, hi);
    p.Fill(x0, top + 1, w, 2, pal::kGirderLight);
    p.HLine(x0, x1 - 1, top + 3, pal::kGirderDark);
    p.Fill(x0, top + 4, w, 5, pal::kGirder);
    p.Fill(x0, top + 9, w, 2, pal::kGirderDark);
    p.HLine(x0, x1 - 1, top + 11, Mix(pal::kGirderDark, pal::kInk, 0.35f));
    // Stiffeners across the web, and two rows of rivets.
    for (int x = x0 + 20; x < x1 - 8; x += 40) {
        p.VLine(x, top + 4, top + 8, pal::kGirderLight);
        p.VLine(x + 1, top + 4, top + 8, pal::kGirderDark);
    }
    for (int x = x0 + 5; x < x1 - 3; x += 8) {
        p.Set(x, top + 5, hi);
        p.Set(x + 1, top + 5, pal::kGirderDark);
        p.Set(x, top + 7, hi);
        p.Set(x + 1, top + 7, pal::kGirderDark);
    }
    // End plates; hazard stripes where the floor stops over a drop.
    for (int end = 0; end < 2; ++end) {
        const int ex = end == 0 ? x0 : x1 - 1;
        const int dir = end == 0 ? 1 : -1;
        p.VLine(ex, top + 1, top + 11, pal::kGirderDark);
        const bool open =
            end == 0 ? (x0 > 0 && !IsFloorAt(f.level, x0 - 1)) : (x1 < kGirderWorldW && !IsFloorAt(f.level, x1));
        if (!open || (end == 1 && x1 >= 1250)) continue;
        for (int i = 1; i <= 14; ++i)
            for (int y = top + 4; y <= top + 8; ++y) {
                const int x = ex + dir * i;
                p.Set(x, y, ((i + y) / 3) % 2 ? kHazard : pal::kInk);
            }
    }
    p.StampOn(c);
}

void Ladder(Canvas& c, const LadderSpot& l) {
    const WorldRect r = LadderRect(l);
    const int left = r.x - 3, right = r.x + r.w;  // rails: 3 px each, outside the band
    const int top = r.y, bottom = r.y + r.h;
    SitePart p(left, top - 2, r.w + 6, bottom - top + 2);
    for (int rail : {left, right}) {
        p.Fill(rail, top, 3, bottom - top, kRail);
        p.VLine(rail, top, bottom - 1, kRailLight);
        p.VLine(rail + 2, top, bottom - 1, kRailDark);
        // Rounded caps on the rails where the hands take hold at the top.
        p.HLine(rail, rail + 2, top - 1, kRail);
        p.Set(rail + 1, top - 2, kRailLight);
    }
    for (int y = bottom - 6; y > top + 2; y -= 8) {
        p.HLine(r.x, r.x + r.w - 1, y, kRailLight);
        p.HLine(r.x, r.x + r.w - 1, y + 1, kRailDark);
    }
    // Feet on the floor below.
    p.Fill(left - 1, bottom - 3, 5, 3, pal::kInkSoft);
    p.Fill(right - 1, bottom - 3, 5, 3, pal::kInkSoft);
    p.StampOn(c);
}

void SteelPost(Canvas& c, const WorldRect& r) {
    SitePart p(r.x, r.y, r.w, r.h);
    p.Fill(r.x, r.y, r.w, r.h, pal::kSteel);
    p.VLine(r.x, r.y, r.y + r.h - 1, Mix(pal::kSteel, pal::kWhite, 0.4f));
    p.VLine(r.x + r.w - 1, r.y, r.y + r.h - 1, pal::kSteelDark);
    for (int y = r.y + 20; y < r.y + r.h; y += 40) {
        p.Set(r.x + 2, y, pal::kSteelDark);
        p.Set(r.x + 2, y + 4, pal::kSteelDark);
    }
    p.StampOn(c);
}

// A brick pier between a floor and the ground, with a concrete cap and a warning sign.
void BrickPier(Canvas& c, const WorldRect& r) {
    SitePart p(r.x, r.y, r.w, r.h);
    p.Fill(r.x, r.y, r.w, r.h, pal::kBrick);
    Bricks(p.layer, 1, 1, r.w, r.h, pal::kBrick, pal::kBrickLight, pal::kBrickDark,
           Mix(pal::kBrickDark, pal::kInk, 0.3f));
    p.VLine(r.x + r.w - 1, r.y, r.y + r.h - 1, pal::kBrickDark);
    p.Fill(r.x, r.y + r.h - 6, r.w, 6, pal::kStone);
    p.HLine(r.x, r.x + r.w - 1, r.y + r.h - 6, pal::kStoneLight);
    p.StampOn(c);
    // A yellow warning triangle on the face.
    const int cx = r.x + r.w / 2, ty = r.y + 40;
    SitePart s(cx - 7, ty, 15, 13);
    s.layer.FillPolygon({{1.0f, 14.0f}, {8.5f, 1.0f}, {16.0f, 14.0f}}, kHazard);
    s.VLine(cx, ty + 4, ty + 8, pal::kInk);
    s.Set(cx, ty + 10, pal::kInk);
    s.StampOn(c);
}

}  // namespace

void DrawNeighbourBlock(Canvas& c, int x, int w) {
    // Drawn on its own small picture (the window and door makers work on whole layers).
    const int pad = 8;
    Canvas b(w + 2 * pad, kGround + pad);
    const int bx = pad;
    const Rgb brick{170, 96, 74}, brickLight{196, 122, 92}, brickDark{130, 70, 60};
    Canvas wall(b.Width(), b.Height());
    wall.FillRect(bx, 0, w, kGround, brick);
    Bricks(wall, bx, 0, w, kGround, brick, brickLight, brickDark, {150, 122, 112});
    // Storey bands and the shade down the side that faces the site.
    for (int y = 30; y < kGround; y += 96) {
        wall.FillRect(bx, y, w, 5, pal::kStone);
        wall.HLine(bx, bx + w - 1, y, pal::kStoneLight);
    }
    for (int i = 0; i < 4; ++i) wall.VLine(bx + i, 0, kGround - 1, Mix(brickDark, pal::kInk, 0.15f * (4 - i)));
    // A drainpipe down the corner.
    wall.FillRect(bx + 6, 0, 4, kGround, {96, 104, 122});
    wall.VLine(bx + 6, 0, kGround - 1, {130, 140, 160});
    for (int y = 50; y < kGround; y += 96) wall.FillRect(bx + 5, y, 6, 3, {70, 76, 96});
    StampOutlined(b, wall, pal::kInk);
    // Windows, a few lit against the evening to come.
    for (int storey = 0; storey < 5; ++storey) {
        const int wy = 44 + storey * 96;
        if (wy + 48 > kGround - 10) break;
        for (int col = 0; col < 3; ++col) {
            WindowStyle s;
            s.frame = pal::kCream;
            s.lit = Hash(storey, col) % 3 == 0;
            s.curtains = !s.lit && Hash(col, storey) % 2 == 0;
            Window(b, bx + 30 + col * 54, wy, 30, 44, s);
        }
    }
    // The shop door at street level.
    DoorStyle d;
    d.colour = {70, 96, 140};
    d.canopy = true;
    Door(b, bx + w - 60, kGround - 46, 24, 43, d);
    c.BlitAll(b, x - bx, 0, true);
}

void DrawSiteBackdrop(Canvas& c) {
    // Back walls first, in some bays of the two lower storeys.
    const int bays[] = {6, 160, 320, 480, 640, 800, 960, 1120, 1250};
    struct Infill {
        int bay, level;
        bool brick, window;
    };
    const Infill walls[] = {{0, 0, true, true},   {1, 0, false, false}, {2, 0, true, true},  {4, 0, true, true},
                            {5, 0, false, false}, {6, 0, true, true},   {7, 0, false, true}, {0, 1, false, false},
                            {1, 1, true, true},   {5, 1, false, false}, {7, 1, true, true}};
    int seed = 0;
    for (const Infill& w : walls) {
        const int x0 = bays[w.bay] + 10, x1 = bays[w.bay + 1];
        const int yBottom = kFloorY[w.level], yTop = kFloorY[w.level + 1] + kGirderDepth + 2;
        BackWall(c, x0, x1, w.level == 1 ? yTop + 30 : yTop, yBottom, w.brick, w.window, seed++);
    }
    // Cross bracing in the open bays of the upper storeys.
    Bracing(c, 330, 480, kFloorY[3] + 14, kFloorY[2] - 2);
    Bracing(c, 650, 800, kFloorY[2] + 14, kFloorY[1] - 2);
    Bracing(c, 970, 1120, kFloorY[3] + 14, kFloorY[2] - 2);
    Bracing(c, 170, 320, kFloorY[3] + 14, kFloorY[2] - 2);
    // Columns: the middle of the site is built one storey higher than its ends.
    for (int k = 1; k < 8; ++k) {
        const int top = (k >= 2 && k <= 6) ? kFloorY[3] - 34 : kFloorY[2] - 30;
        BackColumn(c, bays[k] - 5, top);
    }
}

void DrawSiteFront(Canvas& c) {
    const GirderLayout& g = TheGirderLayout();
    // Piers stand under the girders; the ladders pass behind them.
    for (const WorldRect& w : g.walls)
        if (w.x > 0 && w.x + w.w < kScanPages * kScanPageW) BrickPier(c, w);
    for (const LadderSpot& l : g.ladders) Ladder(c, l);
    for (const FloorSpan& f : g.floors)
        if (f.level > 0) Girder(c, f);
    DrawSiteClutter(c);
    for (const WorldRect& w : g.walls) {
        if (w.x == 0) SteelPost(c, w);
        if (w.x + w.w == kScanPages * kScanPageW) DrawNeighbourBlock(c, w.x, 190);
    }
}
