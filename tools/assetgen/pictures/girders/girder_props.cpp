// Site clutter for the girder level: each prop stands on a walking line, clear of ladders and gaps.
#include "pictures/girders/girder_props.h"

#include <cmath>

#include "pictures/girders/girder_layout.h"
#include "pictures/girders/girder_part.h"
#include "pictures/scenery/props.h"

namespace {

// Props stand with their lowest row two above the walking line, so their outline meets the
// girder's own outline and they sit on it.
int Base(int level) {
    return kFloorY[level] - 2;
}

const Rgb kRust{176, 92, 52};
const Rgb kRustDark{128, 64, 40};

void CementMixer(Canvas& c, int x, int base) {
    SitePart p(x, base - 26, 40, 27);
    // Frame and wheel.
    p.Thick(x + 6, base - 6, x + 34, base - 6, 1.0f, pal::kSteelDark);
    p.Thick(x + 30, base - 6, x + 38, base - 1, 1.0f, pal::kSteelDark);
    p.Ellipse(x + 9, base - 4, 4.5f, 4.5f, pal::kInkSoft);
    p.Ellipse(x + 9, base - 4, 2.0f, 2.0f, pal::kSteel);
    // The drum, tipped toward the mouth, with bands.
    const Rgb drum{222, 84, 60}, drumLight{246, 132, 96}, drumDark{160, 52, 44};
    p.layer.FillPolygon({{static_cast<float>(x + 9 - p.x), static_cast<float>(base - 10 - p.y)},
                         {static_cast<float>(x + 27 - p.x), static_cast<float>(base - 6 - p.y)},
                         {static_cast<float>(x + 33 - p.x), static_cast<float>(base - 20 - p.y)},
                         {static_cast<float>(x + 28 - p.x), static_cast<float>(base - 26 - p.y)},
                         {static_cast<float>(x + 14 - p.x), static_cast<float>(base - 24 - p.y)}},
                        drum);
    for (int j = base - 26; j < base - 5; ++j)
        for (int i = x + 8; i < x + 34; ++i) {
            if (p.Get(i, j) != drum) continue;
            const int band = (i - x + (j - base) / 2) % 8;
            if (band == 0)
                p.Set(i, j, drumDark);
            else if (j < base - 20 || band == 1)
                p.Set(i, j, drumLight);
        }
    p.Ellipse(x + 31, base - 23, 3.0f, 3.5f, pal::kInkSoft);
    p.StampOn(c);
}

void SandPile(Canvas& c, int x, int base, int w) {
    SitePart p(x, base - w / 4, w, w / 4 + 1);
    const Rgb sand{222, 186, 120}, sandLight{240, 212, 150}, sandDark{190, 150, 96};
    for (int i = 0; i < w; ++i) {
        const float t = (i + 0.5f) / w;
        const int h = static_cast<int>((w / 4.0f) * std::sin(t * 3.14159f) + 0.5f);
        for (int j = 0; j < h; ++j) {
            Rgb col = sand;
            if (j >= h - 2 && t < 0.55f)
                col = sandLight;
            else if (t > 0.6f && ((i + j) % 3 == 0))
                col = sandDark;
            p.Set(x + i, base - j, col);
        }
    }
    // A spade stuck in the top.
    p.Line(x + w / 2 + 2, base - w / 4 - 10, x + w / 2 + 5, base - w / 4 + 2, pal::kWoodDark);
    p.Fill(x + w / 2 + 1, base - w / 4 - 12, 3, 2, pal::kWood);
    p.StampOn(c);
}

void Wheelbarrow(Canvas& c, int x, int base) {
    SitePart p(x, base - 16, 34, 17);
    const Rgb tray{60, 132, 96}, trayLight{92, 170, 120}, trayDark{40, 96, 72};
    p.layer.FillPolygon({{static_cast<float>(x + 4 - p.x), static_cast<float>(base - 14 - p.y)},
                         {static_cast<float>(x + 26 - p.x), static_cast<float>(base - 14 - p.y)},
                         {static_cast<float>(x + 22 - p.x), static_cast<float>(base - 6 - p.y)},
                         {static_cast<float>(x + 9 - p.x), static_cast<float>(base - 6 - p.y)}},
                        tray);
    p.HLine(x + 4, x + 25, base - 14, trayLight);
    p.HLine(x + 9, x + 22, base - 7, trayDark);
    p.Line(x + 22, base - 9, x + 33, base - 11, pal::kWoodDark);
    p.Line(x + 10, base - 6, x + 8, base, pal::kSteelDark);
    p.Ellipse(x + 6, base - 4, 4.0f, 4.0f, pal::kInkSoft);
    p.Ellipse(x + 6, base - 4, 1.5f, 1.5f, pal::kSteel);
    p.StampOn(c);
}

void Sacks(Canvas& c, int x, int base, int count) {
    const Rgb sack{226, 216, 188}, sackDark{190, 178, 150}, print{90, 110, 160};
    for (int k = 0; k < count; ++k) {
        const int row = k < 3 ? 0 : (k < 5 ? 1 : 2);
        const int inRow = row == 0 ? k : (row == 1 ? k - 3 : 0);
        const int sx = x + inRow * 15 + row * 7, sy = base - row * 8;
        SitePart p(sx, sy - 7, 15, 8);
        p.layer.FillRoundRect(1, 1, 15, 8, 2, sack);
        p.HLine(sx + 1, sx + 13, sy, sackDark);
        p.Fill(sx + 5, sy - 4, 5, 2, print);
        p.StampOn(c);
    }
}

void Barrel(Canvas& c, int x, int base, Rgb body) {
    SitePart p(x, base - 17, 13, 18);
    p.Fill(x, base - 17, 13, 18, body);
    p.VLine(x + 1, base - 17, base, Mix(body, pal::kWhite, 0.35f));
    p.VLine(x + 10, base - 17, base, Mix(body, pal::kInk, 0.3f));
    p.VLine(x + 11, base - 17, base, Mix(body, pal::kInk, 0.3f));
    for (int y : {base - 13, base - 4}) p.HLine(x, x + 12, y, Mix(body, pal::kInk, 0.4f));
    p.HLine(x, x + 12, base - 17, Mix(body, pal::kWhite, 0.2f));
    p.StampOn(c);
}

void Toolbox(Canvas& c, int x, int base) {
    SitePart p(x, base - 11, 18, 12);
    const Rgb red{206, 56, 50}, redDark{150, 36, 40};
    p.Fill(x, base - 8, 18, 9, red);
    p.HLine(x, x + 17, base - 8, pal::kCapLight);
    p.HLine(x, x + 17, base - 4, redDark);
    p.Fill(x + 6, base - 11, 6, 1, pal::kSteelDark);
    p.Set(x + 6, base - 10, pal::kSteelDark);
    p.Set(x + 11, base - 10, pal::kSteelDark);
    p.Fill(x + 8, base - 6, 2, 2, pal::kSteel);
    p.StampOn(c);
}

void PaintTins(Canvas& c, int x, int base) {
    const Rgb colours[3] = {{70, 120, 200}, {240, 240, 232}, {250, 200, 60}};
    for (int k = 0; k < 3; ++k) {
        const int tx = x + k * 9, h = k == 1 ? 10 : 8;
        SitePart p(tx, base - h + 1, 8, h);
        p.Fill(tx, base - h + 1, 8, h, pal::kSteel);
        p.Fill(tx, base - h + 4, 8, h - 6, colours[k]);
        p.HLine(tx, tx + 7, base - h + 1, Mix(pal::kSteel, pal::kWhite, 0.4f));
        p.VLine(tx + 6, base - h + 1, base, pal::kSteelDark);
        p.StampOn(c);
    }
    // A drip down the yellow tin.
    c.VLine(x + 20, base - 5, base - 2, Rgb{250, 200, 60});
}

void Bucket(Canvas& c, int x, int base) {
    SitePart p(x, base - 11, 12, 12);
    p.layer.FillPolygon({{1.0f, 2.0f}, {13.0f, 2.0f}, {11.0f, 13.0f}, {3.0f, 13.0f}}, pal::kSteel);
    p.HLine(x, x + 11, base - 10, Mix(pal::kSteel, pal::kWhite, 0.4f));
    p.VLine(x + 8, base - 9, base, pal::kSteelDark);
    p.Line(x, base - 10, x + 5, base - 15, pal::kInkSoft);
    p.Line(x + 5, base - 15, x + 11, base - 10, pal::kInkSoft);
    p.StampOn(c);
}

void CableDrum(Canvas& c, int x, int base) {
    SitePart p(x, base - 17, 18, 18);
    const Rgb wood = pal::kWood;
    p.Ellipse(x + 9, base - 8, 8.5f, 8.5f, wood);
    p.Ellipse(x + 9, base - 8, 6.0f, 6.0f, {40, 44, 60});
    p.Ellipse(x + 9, base - 8, 2.5f, 2.5f, pal::kWoodLight);
    for (int k = 0; k < 3; ++k) p.Set(x + 5 + k * 4, base - 12 + k, {70, 76, 96});
    p.StampOn(c);
}

void Planks(Canvas& c, int x, int base, int w) {
    for (int k = 0; k < 3; ++k) {
        const int px = x + (k == 1 ? 4 : (k == 2 ? 2 : 0)), py = base - 3 - k * 4, pw = w - (k == 2 ? 8 : 0);
        SitePart p(px, py, pw, 4);
        p.Fill(px, py, pw, 4, pal::kWoodLight);
        p.HLine(px, px + pw - 1, py, Mix(pal::kWoodLight, pal::kWhite, 0.3f));
        p.HLine(px, px + pw - 1, py + 3, pal::kWood);
        for (int i = px + 5; i < px + pw - 4; i += 9) p.HLine(i, i + 2, py + 2, pal::kWood);
        p.Fill(px + pw - 3, py + 1, 2, 2, pal::kWoodDark);
        p.StampOn(c);
    }
}

void Radio(Canvas& c, int x, int base) {
    SitePart p(x, base - 14, 16, 15);
    const Rgb body{236, 184, 60};
    p.Fill(x, base - 9, 16, 10, body);
    p.HLine(x, x + 15, base - 9, pal::kLaneWhite);
    p.Ellipse(x + 4.5f, base - 4, 3.0f, 3.0f, pal::kInkSoft);
    p.Ellipse(x + 11.5f, base - 4, 3.0f, 3.0f, pal::kInkSoft);
    p.Set(x + 4, base - 5, pal::kSteel);
    p.Set(x + 11, base - 5, pal::kSteel);
    p.Line(x + 2, base - 10, x + 2, base - 14, pal::kSteelDark);
    p.HLine(x + 4, x + 11, base - 12, pal::kInkSoft);
    p.StampOn(c);
    // Notes drifting up from it.
    const Rgb note{60, 64, 110};
    for (int k = 0; k < 2; ++k) {
        const int nx = x + 18 + k * 7, ny = base - 18 - k * 6;
        c.FillRect(nx, ny + 3, 2, 2, note);
        c.VLine(nx + 1, ny - 1, ny + 3, note);
        c.Set(nx + 2, ny - 1, note);
    }
}

void Lunch(Canvas& c, int x, int base) {
    SitePart box(x, base - 7, 14, 8);
    box.Fill(x, base - 7, 14, 8, {80, 150, 200});
    box.HLine(x, x + 13, base - 7, {130, 190, 226});
    box.HLine(x, x + 13, base - 4, {50, 110, 160});
    box.StampOn(c);
    SitePart flask(x + 17, base - 14, 6, 15);
    flask.Fill(x + 17, base - 12, 6, 13, {200, 60, 56});
    flask.Fill(x + 17, base - 14, 6, 2, pal::kSteel);
    flask.VLine(x + 18, base - 11, base, pal::kCapLight);
    flask.StampOn(c);
}

void BrickPallet(Canvas& c, int x, int base) {
    SitePart p(x, base - 16, 36, 17);
    p.Fill(x, base - 3, 36, 4, pal::kWood);
    p.HLine(x, x + 35, base - 3, pal::kWoodLight);
    for (int k = 0; k < 4; ++k) p.Fill(x + 2 + k * 10, base - 1, 3, 2, pal::kWoodDark);
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 4; ++k) {
            const int bx = x + 1 + k * 9 - (row % 2) * 2, by = base - 7 - row * 4;
            p.Fill(bx, by, 8, 4, pal::kBrick);
            p.HLine(bx, bx + 7, by, pal::kBrickLight);
            p.VLine(bx + 7, by, by + 3, pal::kBrickDark);
        }
    p.StampOn(c);
}

void HardHat(Canvas& c, int x, int base) {
    SitePart p(x, base - 7, 16, 8);
    const Rgb hat{250, 210, 50}, hatLight{255, 240, 150}, hatDark{210, 160, 30};
    p.Ellipse(x + 8, base - 2, 6.5f, 6.0f, hat);
    p.Fill(x, base - 1, 16, 2, hatDark);
    p.Fill(x + 1, base, 14, 1, kKey);
    p.HLine(x + 4, x + 7, base - 6, hatLight);
    p.VLine(x + 8, base - 7, base - 2, hatDark);
    p.StampOn(c);
}

void Rebar(Canvas& c, int x, int base, int w) {
    SitePart p(x, base - 5, w, 6);
    for (int k = 0; k < 3; ++k) {
        p.HLine(x + k * 3, x + w - 1 - k * 2, base - k * 2, k % 2 ? kRustDark : kRust);
        for (int i = x + k * 3 + 2; i < x + w - k * 2; i += 3) p.Set(i, base - k * 2, kRustDark);
    }
    p.Fill(x + w / 3, base - 5, 2, 6, pal::kSteelDark);
    p.Fill(x + 2 * w / 3, base - 5, 2, 6, pal::kSteelDark);
    p.StampOn(c);
}

// The topping-out tree: a little fir with ribbons, tied to the highest girder when the frame
// is complete.
void ToppingTree(Canvas& c, int x, int base) {
    SitePart p(x - 9, base - 34, 19, 35);
    p.Fill(x - 1, base - 8, 3, 9, pal::kWoodDark);
    for (int tier = 0; tier < 3; ++tier) {
        const float top = base - 34.0f + tier * 8, bottom = top + 14;
        const float half = 4.0f + tier * 2.5f;
        p.layer.FillPolygon(
            {{x - p.x + 0.5f, top - p.y}, {x - p.x + 0.5f + half, bottom - p.y}, {x - p.x + 0.5f - half, bottom - p.y}},
            tier == 1 ? pal::kLeaf : pal::kLeafDark);
        p.HLine(static_cast<int>(x - half + 2), static_cast<int>(x - 1), static_cast<int>(bottom) - 1, pal::kLeafLight);
    }
    p.StampOn(c);
    const Rgb ribbons[3] = {{232, 72, 60}, {250, 212, 72}, {80, 140, 220}};
    for (int k = 0; k < 3; ++k) {
        c.Line(x + 1, base - 26 + k * 7, x + 6 + k * 2, base - 18 + k * 6, ribbons[k]);
        c.Line(x, base - 26 + k * 7, x - 5 - k, base - 19 + k * 6, ribbons[(k + 1) % 3]);
    }
}

void Flag(Canvas& c, int x, int base) {
    SitePart p(x, base - 36, 18, 37);
    p.VLine(x, base - 36, base, pal::kSteel);
    p.VLine(x + 1, base - 36, base, pal::kSteelDark);
    p.layer.FillPolygon({{x - p.x + 2.0f, base - 36.0f - p.y},
                         {x - p.x + 18.0f, base - 31.0f - p.y},
                         {x - p.x + 2.0f, base - 25.0f - p.y}},
                        pal::kCap);
    p.HLine(x + 2, x + 9, base - 34, pal::kCapLight);
    p.StampOn(c);
}

// Work lights strung along under a girder: a sagging flex with warm bulbs.
void StringLights(Canvas& c, int x0, int x1, int y, int sag) {
    const Rgb flex{50, 46, 60}, bulb{255, 226, 130}, bulbHot{255, 250, 220}, glow{255, 210, 120};
    const int n = x1 - x0;
    auto ay = [&](int i) {
        const float t = static_cast<float>(i) / n;
        return y + static_cast<int>(std::lround(sag * 4.0f * t * (1.0f - t)));
    };
    for (int i = 0; i <= n; ++i) c.Set(x0 + i, ay(i), flex);
    for (int i = 12; i < n - 6; i += 22) {
        const int bx = x0 + i, by = ay(i) + 1;
        for (int j = -5; j <= 8; ++j)
            for (int k = -5; k <= 5; ++k)
                if (k * k + (j - 3) * (j - 3) <= 20 && BayerThreshold(bx + k, by + j) < 0.3f)
                    c.Set(bx + k, by + j, Mix(c.Get(bx + k, by + j), glow, 0.45f));
        c.Set(bx, by, flex);
        c.FillRect(bx - 1, by + 1, 3, 3, bulb);
        c.Set(bx, by + 4, bulb);
        c.Set(bx - 1, by + 1, bulbHot);
    }
}

}  // namespace

void DrawSiteClutter(Canvas& c) {
    // Lights hang from the girders first, so nothing stands behind them.
    StringLights(c, 370, 880, kFloorY[2] + 13, 16);
    StringLights(c, 780, 1090, kFloorY[3] + 13, 14);
    StringLights(c, 20, 400, kFloorY[1] + 13, 12);
    // Ground.
    CementMixer(c, 250, Base(0));
    SandPile(c, 310, Base(0), 56);
    Wheelbarrow(c, 600, Base(0));
    Cone(c, 812, Base(0) + 1);
    Cone(c, 884, Base(0) + 1);
    Sacks(c, 1052, Base(0), 6);
    Barrel(c, 1196, Base(0), {70, 110, 170});
    Barrel(c, 1212, Base(0), {196, 70, 56});
    // First girder.
    Toolbox(c, 30, Base(1));
    PaintTins(c, 296, Base(1));
    CableDrum(c, 880, Base(1));
    Bucket(c, 1124, Base(1));
    // Second girder.
    Planks(c, 90, Base(2), 40);
    Radio(c, 420, Base(2));
    BrickPallet(c, 650, Base(2));
    Lunch(c, 1024, Base(2));
    // The top.
    HardHat(c, 360, Base(3));
    Flag(c, 552, Base(3));
    Rebar(c, 880, Base(3), 60);
    ToppingTree(c, 1082, Base(3));
}
