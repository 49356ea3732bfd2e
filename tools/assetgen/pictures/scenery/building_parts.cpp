// Building parts shared by the houses and the title scene: textured walls, roofs, windows, doors, plants.
#include "pictures/scenery/building_parts.h"

#include <algorithm>
#include <cstdint>

#include "kit/rng.h"

namespace {

Canvas LayerLike(const Canvas& c) {
    return Canvas(c.Width(), c.Height());
}

}  // namespace

void Bricks(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, Rgb mortar) {
    for (int j = y; j < y + h; ++j) {
        int row = (j - y) / 4, inRow = (j - y) % 4;
        for (int i = x; i < x + w; ++i) {
            if (c.Get(i, j) != base) continue;
            int shifted = i - x + (row % 2) * 5;
            int brick = shifted / 10, inBrick = shifted % 10;
            Rgb col = base;
            std::uint32_t t = Hash(brick, row) % 10;
            if (t < 2)
                col = light;
            else if (t < 4)
                col = Mix(base, dark, 0.5f);
            if (inRow == 3 || inBrick == 9)
                col = mortar;
            else if (inRow == 0)
                col = Mix(col, light, 0.5f);  // lit top of each brick
            c.Set(i, j, col);
        }
    }
}

void Siding(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, int board) {
    for (int j = y; j < y + h; ++j) {
        int inBoard = (j - y) % board;
        Rgb col = inBoard == board - 1 ? dark : (inBoard == 0 ? light : base);
        for (int i = x; i < x + w; ++i)
            if (c.Get(i, j) == base) c.Set(i, j, col);
    }
}

void Shingles(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, int row, int tile) {
    for (int j = y; j < y + h; ++j) {
        int r = (j - y) / row, inRow = (j - y) % row;
        for (int i = x; i < x + w; ++i) {
            if (c.Get(i, j) != base) continue;
            int inTile = (i - x + (r % 2) * (tile / 2)) % tile;
            Rgb col = base;
            if (inRow == row - 1)
                col = dark;
            else if (inTile == 0)
                col = dark;
            else if (inRow == 0)
                col = light;
            else if (Hash(i / tile + r * 7, r) % 7 == 0)
                col = Mix(base, dark, 0.4f);
            c.Set(i, j, col);
        }
    }
}

void ShadeBand(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb shade) {
    c.Recolour(x, y, w, h, base, shade);
}

void Window(Canvas& house, int x, int y, int w, int h, const WindowStyle& s) {
    // Shutters first, as their own parts on either side.
    if (s.shutters) {
        int sw = std::max(4, w / 3);
        for (int side = 0; side < 2; ++side) {
            Canvas sh = LayerLike(house);
            int sx = side == 0 ? x - sw - 1 : x + w + 1;
            sh.FillRect(sx, y, sw, h, s.shutter);
            for (int j = y + 2; j < y + h - 1; j += 3)
                sh.HLine(sx + 1, sx + sw - 2, j, Mix(s.shutter, pal::kInk, 0.35f));
            sh.VLine(sx, y, y + h - 1, Mix(s.shutter, pal::kWhite, 0.25f));
            StampOutlined(house, sh, pal::kInk);
        }
    }
    Canvas win = LayerLike(house);
    const Rgb frameShade = Mix(s.frame, pal::kInk, 0.3f);
    if (s.arch) {
        win.FillEllipse(x + w / 2.0f, y + w / 2.0f, w / 2.0f, w / 2.0f, s.frame);
        win.FillRect(x, y + w / 2, w, h - w / 2, s.frame);
    } else {
        win.FillRect(x, y, w, h, s.frame);
    }
    // Glass inside a 2-pixel frame.
    const int gx = x + 2, gy = y + 2, gw = w - 4, gh = h - 4;
    Rgb top = s.lit ? pal::kLitWindowDeep : pal::kGlassDark;
    Rgb bottom = s.lit ? pal::kLitWindow : pal::kGlass;
    for (int j = gy; j < gy + gh; ++j) {
        float t = gh > 1 ? static_cast<float>(j - gy) / (gh - 1) : 0.0f;
        for (int i = gx; i < gx + gw; ++i) {
            if (s.arch) {
                float dx = i + 0.5f - (x + w / 2.0f), dy = j + 0.5f - (y + w / 2.0f);
                if (j < y + w / 2 && dx * dx + dy * dy > (w / 2.0f - 2) * (w / 2.0f - 2)) continue;
            }
            // Two flat bands with one checkered row between them: calmer than a full dither.
            Rgb g = t < 0.3f ? top : bottom;
            if (t >= 0.3f && j - gy == static_cast<int>(0.3f * (gh - 1) + 0.999f)) g = ((i + j) & 1) ? top : bottom;
            win.Set(i, j, g);
        }
    }
    // Recess shadow along the top and left of the glass.
    Rgb recess = s.lit ? Mix(pal::kLitWindowDeep, pal::kInk, 0.3f) : Mix(pal::kGlassDark, pal::kInk, 0.35f);
    for (int i = gx; i < gx + gw; ++i)
        if (win.Get(i, gy) != s.frame) win.Set(i, s.arch ? gy : gy, recess);
    for (int j = gy; j < gy + gh; ++j)
        if (win.Get(gx, j) != s.frame) win.Set(gx, j, recess);
    if (s.arch)
        for (int j = gy; j < y + w / 2; ++j)
            for (int i = gx; i < gx + gw; ++i)
                if (win.Get(i, j) != s.frame && win.Get(i, j - 1) == s.frame) win.Set(i, j, recess);
    if (s.curtains) {
        Rgb cs = Mix(s.curtain, pal::kInk, 0.3f);
        int cw = std::max(2, gw / 4);
        for (int j = gy; j < gy + gh; ++j) {
            int reach = cw - (j - gy) * cw / (gh * 2);  // drapes narrow toward the tie
            for (int i = 0; i < std::max(1, reach); ++i) {
                win.Set(gx + i, j, i == reach - 1 ? cs : s.curtain);
                win.Set(gx + gw - 1 - i, j, i == reach - 1 ? cs : s.curtain);
            }
        }
    } else if (!s.lit) {
        // Sky reflected as two short diagonal glints.
        for (int k = 0; k < std::min(gw, gh) / 2; ++k) {
            win.Set(gx + 2 + k, gy + gh - 3 - k, pal::kGlassLight);
            if (k < std::min(gw, gh) / 3) win.Set(gx + 5 + k, gy + gh - 3 - k, pal::kGlassLight);
        }
    }
    if (s.cross) {
        win.VLine(x + w / 2, gy, gy + gh - 1, s.frame);
        if (w >= 14) win.VLine(x + w / 2 - 1 + (w % 2), gy, gy + gh - 1, s.frame);
        win.HLine(gx, gx + gw - 1, y + h / 2, s.frame);
    }
    // The frame's lower and right inner edge is a touch darker.
    for (int i = x; i < x + w; ++i)
        if (win.Get(i, y + h - 1) == s.frame) win.Set(i, y + h - 1, frameShade);
    StampOutlined(house, win, pal::kInk);

    // Sill, a little wider than the window.
    Canvas sill = LayerLike(house);
    sill.FillRect(x - 2, y + h, w + 4, 2, s.frame);
    sill.HLine(x - 2, x + w + 1, y + h + 1, frameShade);
    StampOutlined(house, sill, pal::kInk);
    if (s.flowerBox) {
        Canvas box = LayerLike(house);
        box.FillRect(x, y + h + 3, w, 4, pal::kWood);
        box.HLine(x, x + w - 1, y + h + 3, pal::kWoodLight);
        for (int i = x + 1; i < x + w - 1; i += 3) {
            static const Rgb kFlowers[3] = {{232, 72, 60}, {250, 212, 72}, {246, 246, 236}};
            box.Set(i, y + h + 1, pal::kLeafLight);
            box.Set(i + 1, y + h + 1, pal::kLeaf);
            box.Set(i, y + h, kFlowers[(i / 3) % 3]);
            box.Set(i + 1, y + h + 2, pal::kLeaf);
        }
        StampOutlined(house, box, pal::kInk);
    }
}

void Door(Canvas& house, int x, int y, int w, int h, const DoorStyle& s) {
    Canvas step = LayerLike(house);
    step.FillRect(x - 3, y + h, w + 6, 3, pal::kStone);
    step.HLine(x - 3, x + w + 2, y + h, pal::kStoneLight);
    StampOutlined(house, step, pal::kInk);

    Canvas d = LayerLike(house);
    d.FillRect(x - 2, y - 2, w + 4, h + 2, s.frame);
    d.FillRect(x, y, w, h, s.colour);
    const Rgb dark = Mix(s.colour, pal::kInk, 0.35f);
    const Rgb light = Mix(s.colour, pal::kWhite, 0.25f);
    // Recess shadow, then the panels.
    d.HLine(x, x + w - 1, y, dark);
    d.VLine(x, y, y + h - 1, dark);
    int topPanel = y + 3;
    if (s.glassTop) {
        d.FillRect(x + 3, y + 3, w - 6, h / 4, pal::kGlassDark);
        d.HLine(x + 3, x + w - 4, y + 3 + h / 4 - 1, pal::kGlass);
        d.Set(x + w - 5, y + 4, pal::kGlassLight);
        topPanel = y + 3 + h / 4 + 2;
    }
    int panelH = (y + h - 3 - topPanel) / 2 - 1;
    for (int k = 0; k < 2; ++k) {
        int py = topPanel + k * (panelH + 2);
        d.FrameRect(x + 3, py, w - 6, panelH, dark);
        d.HLine(x + 4, x + w - 4, py + panelH, light);
    }
    // Brass knob.
    d.Set(x + w - 4, y + h / 2 + 1, {240, 200, 90});
    d.Set(x + w - 4, y + h / 2 + 2, {170, 120, 50});
    StampOutlined(house, d, pal::kInk);
    if (s.canopy) {
        Canvas c = LayerLike(house);
        c.FillPolygon({{static_cast<float>(x - 6), static_cast<float>(y - 4)},
                       {static_cast<float>(x + w + 6), static_cast<float>(y - 4)},
                       {static_cast<float>(x + w + 3), static_cast<float>(y - 10)},
                       {static_cast<float>(x - 3), static_cast<float>(y - 10)}},
                      s.canopyColour);
        c.HLine(x - 6, x + w + 5, y - 4, Mix(s.canopyColour, pal::kInk, 0.35f));
        c.HLine(x - 3, x + w + 2, y - 10, Mix(s.canopyColour, pal::kWhite, 0.3f));
        StampOutlined(house, c, pal::kInk);
    }
}

void Shrub(Canvas& c, int cx, int baseY, int r, Rgb leaf, Rgb light, Rgb dark) {
    Canvas b = LayerLike(c);
    float cy = baseY - r * 0.8f;
    b.FillEllipse(cx, cy, r * 1.2f, r * 0.85f, leaf);
    b.FillCircle(cx - r * 0.55f, cy - r * 0.2f, r * 0.7f, leaf);
    b.FillCircle(cx + r * 0.5f, cy - r * 0.35f, r * 0.65f, leaf);
    // Shade the lower right, light the upper left with a few clustered leaves.
    for (int j = static_cast<int>(cy - r * 1.2f); j <= baseY; ++j)
        for (int i = cx - r * 2; i <= cx + r * 2; ++i) {
            if (b.Get(i, j) != leaf) continue;
            float dx = i - cx, dy = j - cy;
            if (dx * 0.6f + dy > r * 0.45f)
                b.Set(i, j, dark);
            else if (dx * 0.7f + dy < -r * 0.55f && ((i + j) % 3 != 0))
                b.Set(i, j, light);
        }
    b.FillRect(cx - r * 2, baseY, r * 4 + 1, 1, kKey);
    StampOutlined(c, b, pal::kInk);
}

void Pot(Canvas& c, int x, int baseY) {
    Canvas p = LayerLike(c);
    p.FillPolygon({{static_cast<float>(x), static_cast<float>(baseY - 7)},
                   {static_cast<float>(x + 8), static_cast<float>(baseY - 7)},
                   {static_cast<float>(x + 7), static_cast<float>(baseY)},
                   {static_cast<float>(x + 1), static_cast<float>(baseY)}},
                  pal::kTerracotta);
    p.HLine(x, x + 7, baseY - 7, pal::kTerracottaLight);
    p.VLine(x + 6, baseY - 6, baseY - 1, pal::kTerracottaDark);
    StampOutlined(c, p, pal::kInk);
    Shrub(c, x + 4, baseY - 8, 4, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
}

void GableRoof(Canvas& house, int left, int right, int eaveY, int peakX, int peakY, Rgb base, Rgb light, Rgb dark,
               Rgb trim) {
    Canvas r = LayerLike(house);
    r.FillPolygon({{static_cast<float>(left), static_cast<float>(eaveY)},
                   {static_cast<float>(peakX) + 0.5f, static_cast<float>(peakY)},
                   {static_cast<float>(right) + 1.0f, static_cast<float>(eaveY)}},
                  base);
    Shingles(r, left, peakY, right - left + 1, eaveY - peakY, base, light, dark);
    // Barge boards along both slopes and a fascia along the eave.
    r.ThickLine(left + 0.5f, eaveY - 0.5f, peakX + 0.5f, peakY + 0.5f, 1.0f, trim);
    r.ThickLine(right + 0.5f, eaveY - 0.5f, peakX + 0.5f, peakY + 0.5f, 1.0f, trim);
    r.FillRect(left, eaveY, right - left + 1, 2, Mix(trim, pal::kInk, 0.2f));
    StampOutlined(house, r, pal::kInk);
}

void HipRoof(Canvas& house, int left, int right, int eaveY, int ridgeLeft, int ridgeRight, int ridgeY, Rgb base,
             Rgb light, Rgb dark, Rgb trim) {
    Canvas r = LayerLike(house);
    r.FillPolygon({{static_cast<float>(left), static_cast<float>(eaveY)},
                   {static_cast<float>(ridgeLeft), static_cast<float>(ridgeY)},
                   {static_cast<float>(ridgeRight) + 1.0f, static_cast<float>(ridgeY)},
                   {static_cast<float>(right) + 1.0f, static_cast<float>(eaveY)}},
                  base);
    Shingles(r, left, ridgeY, right - left + 1, eaveY - ridgeY, base, light, dark);
    // The sloping hip ends catch less light on the right.
    for (int j = ridgeY; j < eaveY; ++j) {
        float t = static_cast<float>(j - ridgeY) / (eaveY - ridgeY);
        int hipX = static_cast<int>(ridgeRight + (right - ridgeRight) * t);
        for (int i = hipX - static_cast<int>((right - ridgeRight) * t * 0.9f); i <= right; ++i)
            if (i > hipX - 1 && r.Get(i, j) != kKey) r.Set(i, j, Mix(r.Get(i, j), pal::kInk, 0.18f));
    }
    r.HLine(ridgeLeft, ridgeRight, ridgeY, Mix(base, pal::kWhite, 0.2f));
    r.FillRect(left, eaveY, right - left + 1, 2, Mix(trim, pal::kInk, 0.2f));
    StampOutlined(house, r, pal::kInk);
}

void Chimney(Canvas& house, int x, int top, int w, int bottom) {
    Canvas c = LayerLike(house);
    c.FillRect(x, top + 3, w, bottom - top - 3, pal::kBrick);
    Bricks(c, x, top + 3, w, bottom - top - 3, pal::kBrick, pal::kBrickLight, pal::kBrickDark,
           Mix(pal::kBrickDark, pal::kInk, 0.3f));
    c.FillRect(x - 2, top, w + 4, 3, pal::kStone);
    c.HLine(x - 2, x + w + 1, top, pal::kStoneLight);
    c.VLine(x + w - 1, top + 3, bottom - 1, pal::kBrickDark);
    StampOutlined(house, c, pal::kInk);
}
