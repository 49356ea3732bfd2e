// The girder level's picture: a late-afternoon sky, the town far off, cranes, and the site in front.
#include "pictures/girders/girder_world.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kit/rng.h"
#include "pictures/girders/girder_layout.h"
#include "pictures/girders/girder_part.h"
#include "pictures/girders/girder_site.h"
#include "pictures/scenery/landscape.h"
#include "pictures/scenery/props.h"

namespace {

constexpr int kW = kGirderWorldW;
constexpr int kHorizon = 432;  // where the far fields meet the sky
constexpr int kGround = kFloorY[0];

// Late afternoon: deep blue overhead warming to a peach haze on the horizon.
const Rgb kSky0{52, 84, 160};
const Rgb kSky1{72, 112, 186};
const Rgb kSky2{104, 146, 206};
const Rgb kSky3{146, 178, 220};
const Rgb kSky4{200, 196, 210};
const Rgb kSky5{240, 190, 150};
const Rgb kSky6{248, 170, 116};
const Rgb kHaze{236, 176, 136};

// The far town, paler the farther it stands.
const Rgb kFarHill{176, 168, 188};
const Rgb kFarTown{150, 150, 184};
const Rgb kFarTownRim{178, 174, 200};
const Rgb kMidTown{116, 122, 162};
const Rgb kMidTownRim{146, 146, 180};
const Rgb kTownWindow{250, 222, 160};
const Rgb kFarTrees{92, 116, 124};

const Rgb kCraneYellow{244, 186, 54};
const Rgb kCraneShade{196, 132, 40};
const Rgb kCraneLight{255, 222, 120};

void Sky(Canvas& c) {
    c.VGradient(0, 0, kW, kHorizon, {kSky0, kSky1, kSky2, kSky3, kSky4, kSky5, kSky6});
    c.FillRect(0, kHorizon, kW, kGround - kHorizon, kHaze);
}

// A low sun with a halo of dithered rings.
void Sun(Canvas& c, int cx, int cy, int r) {
    const Rgb glow{252, 226, 176};
    for (int ring = 4; ring >= 1; --ring) {
        const float rr = r + ring * 14.0f;
        const float t = 0.55f - ring * 0.11f;
        for (int j = static_cast<int>(cy - rr); j <= cy + rr; ++j)
            for (int i = static_cast<int>(cx - rr); i <= cx + rr; ++i) {
                const float dx = i + 0.5f - cx, dy = j + 0.5f - cy;
                if (dx * dx + dy * dy > rr * rr || j >= kHorizon) continue;
                if (BayerThreshold(i, j) < t) c.Set(i, j, Mix(c.Get(i, j), glow, 0.45f));
            }
    }
    const Rgb face{255, 240, 196}, rim{255, 214, 140};
    c.FillCircle(cx, cy, r, rim);
    c.FillCircle(cx - 1, cy - 1, r - 2, face);
}

// A long low cloud: overlapping flat lumps, lit warm on top and shaded lavender beneath.
void FlatCloud(Canvas& c, int x, int y, int w, Rng& rng) {
    const Rgb top{252, 236, 222}, mid{240, 206, 200}, under{212, 174, 192};
    struct Lump {
        float cx, rx, ry;
    };
    std::vector<Lump> lumps;
    for (int k = 0; k < 5; ++k) {
        const float t = (k + 0.5f) / 5;
        lumps.push_back({x + w * t + rng.Range(-6, 6), w * (0.16f + 0.06f * rng.Unit()),
                         3.5f + 3.0f * std::sin(t * 3.14159f) + rng.Unit()});
    }
    auto inside = [&](int i, int j, float lift) {
        for (const Lump& l : lumps) {
            const float dx = (i + 0.5f - l.cx) / l.rx, dy = (j + 0.5f - (y - l.ry * 0.4f - lift)) / l.ry;
            if (dx * dx + dy * dy <= 1.0f && j <= y) return true;
        }
        return false;
    };
    for (int j = y - 14; j <= y; ++j)
        for (int i = x - w / 4; i <= x + w + w / 4; ++i) {
            if (!inside(i, j, 0)) continue;
            Rgb col = inside(i, j, 2.5f) ? (inside(i, j, 4.0f) ? top : mid) : under;
            if (j == y) col = under;
            c.Set(i, j, col);
        }
}

void Clouds(Canvas& c) {
    Rng rng(5150);
    const Rgb light{252, 244, 236}, shade{236, 208, 204}, deep{214, 176, 186};
    Cloud(c, 130, 96, 110, light, shade, deep);
    Cloud(c, 700, 70, 150, light, shade, deep);
    Cloud(c, 1160, 120, 90, light, shade, deep);
    Cloud(c, 1700, 84, 140, light, shade, deep);
    Cloud(c, 2250, 110, 120, light, shade, deep);
    Cloud(c, 40, 178, 46, light, shade, deep);
    Cloud(c, 430, 150, 56, light, shade, deep);
    Cloud(c, 930, 196, 50, light, shade, deep);
    Cloud(c, 1900, 170, 60, light, shade, deep);
    // Long low banks sit on the haze behind the town.
    const int flats[][3] = {{60, 380, 220},   {520, 368, 200},  {1180, 376, 260},
                            {1560, 372, 200}, {2000, 380, 240}, {2360, 366, 160}};
    for (const auto& f : flats) FlatCloud(c, f[0], f[1], f[2], rng);
    const Rgb bird{70, 74, 112};
    Bird(c, 330, 150, bird, true);
    Bird(c, 342, 156, bird, false);
    Bird(c, 322, 160, bird, false);
    Bird(c, 1410, 138, bird, true);
    Bird(c, 1421, 132, bird, false);
}

// A tower crane: a lattice mast standing on baseY, a jib at jibY reaching from x0 to x1,
// the cab on top of the mast, counterweights on the short arm. With far set it is one flat
// hazy tone; near it is painted yellow and outlined.
void TowerCrane(Canvas& c, int mastX, int mastW, int baseY, int jibY, int x0, int x1, int hookX, int hookY, bool far,
                Rgb tone) {
    // Drawn on a layer just the size of the crane.
    const int peakRise = far ? 14 : 30;
    SitePart k(std::min(x0, mastX) - 4, jibY - peakRise - 2, std::max(x1, mastX + mastW + 14) - std::min(x0, mastX) + 8,
               baseY - jibY + peakRise + 4);
    const Rgb body = far ? tone : kCraneYellow;
    const Rgb shade = far ? tone : kCraneShade;
    const Rgb light = far ? tone : kCraneLight;
    // Mast: two legs and zig-zag bracing.
    k.Fill(mastX, jibY, 2, baseY - jibY, body);
    k.Fill(mastX + mastW - 2, jibY, 2, baseY - jibY, shade);
    if (!far) k.VLine(mastX, jibY, baseY - 1, light);
    for (int y = jibY + 4; y + mastW <= baseY; y += mastW) {
        k.Line(mastX + 1, y, mastX + mastW - 2, y + mastW - 1, shade);
        k.HLine(mastX + 1, mastX + mastW - 2, y, body);
    }
    // Jib and counter-jib: a top chord, a bottom chord and triangles between.
    const int depth = far ? 4 : 8;
    k.HLine(x0, x1, jibY, body);
    k.HLine(x0, x1, jibY + depth, shade);
    if (!far) {
        k.HLine(x0, x1, jibY + 1, body);
        k.HLine(x0, x1, jibY + depth - 1, shade);
    }
    for (int x = x0; x + depth <= x1; x += depth * 2) {
        k.Line(x, jibY + depth, x + depth, jibY, body);
        k.Line(x + depth, jibY, x + depth * 2, jibY + depth, body);
    }
    // The peak over the mast with its tie lines to both ends.
    const int peakY = jibY - peakRise;
    const int mid = mastX + mastW / 2;
    k.Line(mastX + 1, jibY, mid, peakY, body);
    k.Line(mastX + mastW - 2, jibY, mid, peakY, shade);
    k.Line(mid, peakY, x0 + (mid - x0) / 8, jibY, shade);
    k.Line(mid, peakY, x1 - (x1 - mid) / 4, jibY, shade);
    // Cab below the jib, counterweights on the short arm.
    const int cabW = far ? 6 : 12;
    k.Fill(mastX + mastW, jibY + depth + 1, cabW, far ? 5 : 10, body);
    if (!far) {
        k.Fill(mastX + mastW + 2, jibY + depth + 3, cabW - 5, 4, {120, 176, 210});
        k.Set(mastX + mastW + 3, jibY + depth + 3, {220, 240, 250});
    }
    const bool weightsLeft = (mid - x0) < (x1 - mid);
    const int wx = weightsLeft ? x0 + 2 : x1 - (far ? 12 : 26);
    const Rgb concrete = far ? tone : Rgb{176, 170, 160};
    k.Fill(wx, jibY + depth + 1, far ? 10 : 24, far ? 6 : 14, concrete);
    if (!far)
        for (int i = 0; i < 3; ++i) k.VLine(wx + 8 * i + 7, jibY + depth + 1, jibY + depth + 14, {140, 134, 128});
    // Trolley, cable and hook.
    k.Fill(hookX - 3, jibY + depth + 1, 7, far ? 2 : 3, shade);
    const Rgb cable = far ? tone : Rgb{60, 60, 76};
    k.VLine(hookX - 1, jibY + depth + 2, hookY, cable);
    k.VLine(hookX + 1, jibY + depth + 2, hookY, cable);
    k.Fill(hookX - 3, hookY, 7, far ? 3 : 6, far ? tone : Rgb{216, 70, 50});
    if (!far) {
        k.HLine(hookX - 3, hookX + 3, hookY, {244, 120, 90});
        k.Line(hookX, hookY + 6, hookX, hookY + 10, cable);
        k.Line(hookX, hookY + 10, hookX + 3, hookY + 10, cable);
        k.Line(hookX + 3, hookY + 10, hookX + 3, hookY + 8, cable);
        k.StampOn(c);
    } else {
        c.BlitAll(k.layer, k.x, k.y, true);
    }
}

void FarTown(Canvas& c) {
    Rng rng(2718);
    Hills(c, kHorizon - 20, kHorizon, 40, 1280, 300, kFarHill, Mix(kFarHill, kSky5, 0.5f));
    Skyline(c, 0, kW, kHorizon + 2, 24, 80, kFarTown, Mix(kFarTown, kTownWindow, 0.5f), kFarTownRim, rng);
    // A few tall towers stand out of the far town.
    const int towers[][3] = {{210, 26, 118}, {760, 20, 132}, {1130, 30, 104}, {1620, 24, 140}, {2080, 28, 120}};
    for (const auto& t : towers) {
        c.FillRect(t[0], kHorizon - t[2], t[1], t[2], kFarTown);
        c.HLine(t[0], t[0] + t[1] - 1, kHorizon - t[2], kFarTownRim);
        c.VLine(t[0] + t[1] / 2, kHorizon - t[2] - 10, kHorizon - t[2] - 1, kFarTown);
        for (int y = kHorizon - t[2] + 5; y < kHorizon - 6; y += 6)
            for (int x = t[0] + 3; x < t[0] + t[1] - 3; x += 4)
                if (rng.Chance(30)) c.Set(x, y, Mix(kFarTown, kTownWindow, 0.6f));
    }
    TowerCrane(c, 1890, 4, kHorizon - 10, 236, 1780, 2010, 1830, 300, true, Mix(kFarTown, kSky4, 0.25f));
    TowerCrane(c, 2330, 4, kHorizon - 10, 262, 2250, 2460, 2420, 320, true, Mix(kFarTown, kSky4, 0.3f));
    Skyline(c, 0, kW, kHorizon + 6, 14, 46, kMidTown, kTownWindow, kMidTownRim, rng);
    TreeLine(c, 0, kW, kHorizon + 8, 9, kFarTrees, Mix(kFarTrees, kSky5, 0.35f), Mix(kFarTrees, pal::kInk, 0.3f), rng);
    // The far fields down to the foot of the site.
    const Rgb field{150, 150, 112}, fieldDark{126, 128, 98};
    for (int y = kHorizon + 9; y < kGround; ++y)
        for (int x = 0; x < kW; ++x) c.Set(x, y, ((x / 3 + y * 5) % 23 == 0) ? fieldDark : field);
}

// Past the end of the site: a boarded fence, the crane's foot, a site cabin and the street.
void BeyondTheSite(Canvas& c) {
    const int x0 = 1440;
    // Hoarding panels along the ground, with a few posters.
    SitePart h(x0, kGround - 40, kW - x0, 40);
    const Rgb board{64, 110, 92}, boardLight{90, 140, 116}, boardDark{44, 80, 70};
    h.Fill(x0, kGround - 40, kW - x0, 40, board);
    for (int x = x0; x < kW; x += 24) {
        h.VLine(x, kGround - 40, kGround - 1, boardDark);
        h.VLine(x + 1, kGround - 40, kGround - 1, boardLight);
    }
    h.HLine(x0, kW - 1, kGround - 40, boardLight);
    h.StampOn(c);
    const Rgb posters[] = {{232, 200, 96}, {206, 92, 76}, {236, 232, 214}};
    for (int k = 0; k < 9; ++k) {
        const int px = x0 + 60 + k * 118;
        c.FillRect(px, kGround - 34, 20, 26, posters[k % 3]);
        c.FillRect(px + 3, kGround - 30, 14, 4, Mix(posters[k % 3], pal::kInk, 0.4f));
        c.FillRect(px + 3, kGround - 22, 10, 2, Mix(posters[k % 3], pal::kInk, 0.3f));
        c.FrameRect(px - 1, kGround - 35, 22, 28, pal::kInk);
    }
    // The near crane: its foot behind the fence, its jib swinging back over the site.
    TowerCrane(c, 1496, 18, kGround - 2, 44, 900, 1640, 1180, 150, false, {});
    // A site cabin on blocks, and stacked pipes.
    SitePart cab(1636, kGround - 74, 118, 74);
    const Rgb cabWall{226, 222, 206}, cabDark{186, 182, 168};
    cab.Fill(1640, kGround - 70, 110, 62, cabWall);
    for (int x = 1644; x < 1750; x += 6) cab.VLine(x, kGround - 70, kGround - 9, cabDark);
    cab.Fill(1636, kGround - 74, 118, 4, {70, 76, 96});
    cab.Fill(1644, kGround - 8, 10, 8, pal::kStoneDark);
    cab.Fill(1736, kGround - 8, 10, 8, pal::kStoneDark);
    cab.StampOn(c);
    const Rgb lit = pal::kLitWindow;
    for (int k = 0; k < 2; ++k) {
        c.FillRect(1656 + k * 50, kGround - 60, 26, 18, lit);
        c.FillRect(1656 + k * 50, kGround - 60, 26, 6, pal::kLitWindowDeep);
        c.FrameRect(1655 + k * 50, kGround - 61, 28, 20, pal::kInk);
        c.VLine(1669 + k * 50, kGround - 60, kGround - 43, pal::kInk);
    }
    for (int k = 0; k < 6; ++k) {
        const int row = k < 3 ? 0 : 1;
        const float px = 1800 + (k % 3) * 13 + row * 6.5f, py = kGround - 6 - row * 11;
        c.FillCircle(px, py, 6.5f, pal::kInk);
        c.FillCircle(px, py, 5.5f, {120, 130, 150});
        c.FillCircle(px, py, 3.0f, {54, 58, 76});
    }
    // Trees and lamps are drawn on small patches of their own and laid in place.
    for (int x = 1920; x < kW; x += 150) {
        Canvas patch(56, 60);
        Tree(patch, 28, 56, 14, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
        c.BlitAll(patch, x - 28, kGround - 40 - 56);
    }
    for (int x = 2000; x < kW; x += 300) {
        Canvas patch(32, 124);
        StreetLamp(patch, 22, 6, 116, false);
        c.BlitAll(patch, x - 22, kGround - 116);
    }
}

// The ground: packed earth and a concrete slab across the whole picture.
void Ground(Canvas& c) {
    const Rgb slab{176, 168, 156}, slabLight{206, 198, 184}, slabDark{136, 128, 120};
    const Rgb earth{124, 92, 68}, earthDark{96, 70, 54}, earthLight{150, 116, 84};
    c.FillRect(0, kGround, kW, kGirderWorldH - kGround, earth);
    c.FillRect(0, kGround, kW, 7, slab);
    c.HLine(0, kW - 1, kGround, slabLight);
    c.HLine(0, kW - 1, kGround + 6, slabDark);
    c.HLine(0, kW - 1, kGround + 7, pal::kInk);
    for (int x = 40; x < kW; x += 80) c.VLine(x, kGround + 1, kGround + 5, slabDark);
    for (int y = kGround + 8; y < kGirderWorldH; ++y)
        for (int x = 0; x < kW; ++x) {
            unsigned h = static_cast<unsigned>(x * 374761393u + y * 668265263u);
            h = (h ^ (h >> 13)) * 1274126177u;
            h ^= h >> 16;
            if (h % 29 == 0)
                c.Set(x, y, earthDark);
            else if (h % 29 == 1)
                c.Set(x, y, earthLight);
        }
    c.HLine(0, kW - 1, kGround + 8, earthDark);
}

}  // namespace

Canvas MakeGirderWorld() {
    Canvas c(kW, kGirderWorldH, kSky0);
    Sky(c);
    Sun(c, 980, 318, 26);
    Clouds(c);
    FarTown(c);
    BeyondTheSite(c);
    Ground(c);
    DrawSiteBackdrop(c);
    DrawSiteFront(c);
    return c;
}
