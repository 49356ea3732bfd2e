// The street level's background tile: sky, town, garden strip, pavement and road.
#include "pictures/street/street_tile.h"

#include "kit/rng.h"
#include "pictures/scenery/landscape.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

void DrawSky(Canvas& c, Rng& rng) {
    c.VGradient(0, 0, kW, 210,
                {pal::kSkyTop, Mix(pal::kSkyTop, pal::kSkyMid, 0.5f), pal::kSkyMid,
                 Mix(pal::kSkyMid, pal::kSkyLow, 0.5f), pal::kSkyLow});
    Cloud(c, 30, 70, 120, pal::kCloud, pal::kCloudShade, pal::kCloudDeep);
    Cloud(c, 250, 42, 80, pal::kCloud, pal::kCloudShade, pal::kCloudDeep);
    Cloud(c, 420, 96, 150, pal::kCloud, pal::kCloudShade, pal::kCloudDeep);
    Cloud(c, 590, 30, 70, pal::kCloud, pal::kCloudShade, pal::kCloudDeep);  // runs over the right edge
    const Rgb bird{60, 70, 100};
    Bird(c, 196, 64, bird, true);
    Bird(c, 206, 70, bird, false);
    Bird(c, 188, 74, bird, false);
    (void)rng;
}

void DrawTown(Canvas& c, Rng& rng) {
    // Far hills in hazy blue, then the town's skyline, then nearer green hills and trees.
    Hills(c, 196, 240, 46, kW, 0, pal::kHillFar, Mix(pal::kHillFar, pal::kWhite, 0.3f));
    const Rgb town{150, 176, 204}, townWindow{206, 222, 236}, townRim{176, 198, 222};
    Skyline(c, 0, kW, 214, 26, 72, town, townWindow, townRim, rng);
    Hills(c, 222, 240, 22, kW / 2, 90, pal::kHillMid, Mix(pal::kHillMid, pal::kWhite, 0.25f));
    TreeLine(c, 0, kW, 238, 12, pal::kLeaf, pal::kLeafLight, pal::kLeafDark, rng);
}

void DrawGarden(Canvas& c) {
    // A clipped hedge, then the lawn in two tones with mown stripes.
    for (int x = 0; x < kW; ++x) {
        int bump = (x % 16);
        int top = 236 - (bump < 8 ? bump / 3 : (15 - bump) / 3);
        c.VLine(x, top, kStreetLawnTop - 1, pal::kLeafDark);
        c.Set(x, top, pal::kLeaf);
        if (bump == 4 || bump == 11) c.Set(x, top + 2, pal::kLeaf);
    }
    const Rgb lawn{116, 176, 82}, lawnDark{106, 166, 76};
    for (int y = kStreetLawnTop; y < kStreetPavementTop; ++y)
        for (int x = 0; x < kW; ++x) c.Set(x, y, ((x + (y - kStreetLawnTop) * 2) / 40) % 2 ? lawn : lawnDark);
    c.HLine(0, kW - 1, kStreetLawnTop, Mix(pal::kLeafDark, lawnDark, 0.5f));
    // Tufts of grass here and there.
    for (int x = 7; x < kW; x += 29) {
        int y = kStreetLawnTop + 8 + (x * 7) % 40;
        c.Set(x, y, pal::kLeafPale);
        c.Set(x - 1, y + 1, pal::kLeaf);
        c.Set(x + 1, y + 1, pal::kLeaf);
    }
    // A stone edging between lawn and pavement.
    c.FillRect(0, kStreetPavementTop - 3, kW, 3, pal::kStone);
    c.HLine(0, kW - 1, kStreetPavementTop - 3, pal::kStoneLight);
    for (int x = 0; x < kW; x += 20) c.VLine(x, kStreetPavementTop - 3, kStreetPavementTop - 1, pal::kStoneDark);
}

void DrawPavement(Canvas& c) {
    const int top = kStreetPavementTop, bottom = kStreetKerbTop;
    c.FillRect(0, top, kW, bottom - top, pal::kStoneLight);
    // Three rows of slabs, staggered, growing a little taller toward the viewer.
    const int rows[4] = {top, top + 11, top + 23, bottom};
    for (int r = 0; r < 3; ++r) {
        int y0 = rows[r], y1 = rows[r + 1];
        if (r > 0) c.HLine(0, kW - 1, y0, pal::kStone);
        for (int x = (r % 2) * 20; x < kW; x += 40) c.VLine(x, y0, y1 - 1, pal::kStone);
    }
    // A few cracked or darker slabs, so the pavement is not a pattern.
    c.FillRect(101, top + 12, 39, 11, Mix(pal::kStoneLight, pal::kStone, 0.45f));
    c.FillRect(401, top + 1, 39, 10, Mix(pal::kStoneLight, pal::kStone, 0.45f));
    c.Line(250, top + 24, 256, top + 30, pal::kStone);
    c.Line(256, top + 30, 262, top + 31, pal::kStone);
    c.Line(560, top + 2, 566, top + 7, pal::kStone);
    // Kerb: lit top, shaded face.
    c.FillRect(0, bottom, kW, 3, pal::kStoneLight);
    c.HLine(0, kW - 1, bottom, pal::kWhite);
    c.FillRect(0, bottom + 3, kW, kStreetRoadTop - bottom - 3, pal::kStone);
    c.HLine(0, kW - 1, kStreetRoadTop - 1, pal::kStoneDark);
    for (int x = 0; x < kW; x += 64) c.VLine(x, bottom, kStreetRoadTop - 1, pal::kStoneDark);
}

void DrawRoad(Canvas& c) {
    const int top = kStreetRoadTop;
    c.FillRect(0, top, kW, kH - top, pal::kAsphalt);
    // Gutter shadow, then a faint worn band where the wheels run.
    c.HLine(0, kW - 1, top, pal::kAsphaltDark);
    c.HLine(0, kW - 1, top + 1, pal::kAsphaltDark);
    // Sparse grit in a fixed pattern so the road is not a flat slab.
    for (int y = top + 3; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            unsigned h = static_cast<unsigned>(x * 374761393u + y * 668265263u);
            h = (h ^ (h >> 13)) * 1274126177u;
            h ^= h >> 16;
            if (h % 97 == 0)
                c.Set(x, y, pal::kAsphaltLight);
            else if (h % 97 == 1)
                c.Set(x, y, pal::kAsphaltDark);
        }
    // Edge line near the kerb, dashed centre line, and an edge line low in the picture.
    c.FillRect(0, top + 8, kW, 2, pal::kLaneYellow);
    c.HLine(0, kW - 1, top + 10, Mix(pal::kLaneYellow, pal::kAsphalt, 0.6f));
    for (int x = 20; x < kW; x += 80) {
        c.FillRect(x, 410, 40, 4, pal::kLaneWhite);
        c.HLine(x, x + 39, 414, Mix(pal::kLaneWhite, pal::kAsphalt, 0.6f));
    }
    // A manhole cover and a drain grate.
    const int mx = 300, my = 446;
    c.FillEllipse(mx, my, 17, 6, pal::kAsphaltDark);
    c.FillEllipse(mx, my, 15, 5, pal::kSteelDark);
    for (int k = -12; k <= 12; k += 4) c.VLine(mx + k, my - 3, my + 2, Mix(pal::kSteelDark, pal::kInk, 0.3f));
    c.HLine(mx - 10, mx + 10, my - 4, pal::kSteel);
    const int gx = 520;
    c.FillRect(gx, top + 1, 26, 6, pal::kInkSoft);
    for (int k = 2; k < 26; k += 3) c.VLine(gx + k, top + 2, top + 5, pal::kSteelDark);
}

}  // namespace

Canvas MakeStreetTile() {
    Canvas c(kW, kH, pal::kSkyTop);
    c.SetWrapX(true);
    Rng rng(1701);
    DrawSky(c, rng);
    DrawTown(c, rng);
    DrawGarden(c);
    DrawPavement(c);
    DrawRoad(c);
    c.SetWrapX(false);
    return c;
}
