// Building parts shared by the houses and the title scene: textured walls, roofs, windows, doors, plants.
#include "pictures/scenery/building_parts.h"

#include <algorithm>
#include <cstdint>

#include "kit/rng.h"

namespace {

Canvas LayerLike(const Canvas& c) { return Canvas(c.width(), c.height()); }

}  // namespace

void Bricks(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, Rgb mortar) {
    for (int j = y; j < y + h; ++j) {
        int row = (j - y) / 4, in_row = (j - y) % 4;
        for (int i = x; i < x + w; ++i) {
            if (c.Get(i, j) != base) continue;
            int shifted = i - x + (row % 2) * 5;
            int brick = shifted / 10, in_brick = shifted % 10;
            Rgb col = base;
            std::uint32_t t = Hash(brick, row) % 10;
            if (t < 2) col = light;
            else if (t < 4) col = Mix(base, dark, 0.5f);
            if (in_row == 3 || in_brick == 9) col = mortar;
            else if (in_row == 0) col = Mix(col, light, 0.5f);  // lit top of each brick
            c.Set(i, j, col);
        }
    }
}

void Siding(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, int board) {
    for (int j = y; j < y + h; ++j) {
        int in_board = (j - y) % board;
        Rgb col = in_board == board - 1 ? dark : (in_board == 0 ? light : base);
        for (int i = x; i < x + w; ++i)
            if (c.Get(i, j) == base) c.Set(i, j, col);
    }
}

void Shingles(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, int row, int tile) {
    for (int j = y; j < y + h; ++j) {
        int r = (j - y) / row, in_row = (j - y) % row;
        for (int i = x; i < x + w; ++i) {
            if (c.Get(i, j) != base) continue;
            int in_tile = (i - x + (r % 2) * (tile / 2)) % tile;
            Rgb col = base;
            if (in_row == row - 1) col = dark;
            else if (in_tile == 0) col = dark;
            else if (in_row == 0) col = light;
            else if (Hash(i / tile + r * 7, r) % 7 == 0) col = Mix(base, dark, 0.4f);
            c.Set(i, j, col);
        }
    }
}

void ShadeBand(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb shade) { c.Recolour(x, y, w, h, base, shade); }

void Window(Canvas& house, int x, int y, int w, int h, const WindowStyle& s) {
    // Shutters first, as their own parts on either side.
    if (s.shutters) {
        int sw = std::max(4, w / 3);
        for (int side = 0; side < 2; ++side) {
            Canvas sh = LayerLike(house);
            int sx = side == 0 ? x - sw - 1 : x + w + 1;
            sh.FillRect(sx, y, sw, h, s.shutter);
            for (int j = y + 2; j < y + h - 1; j += 3) sh.HLine(sx + 1, sx + sw - 2, j, Mix(s.shutter, pal::kInk, 0.35f));
            sh.VLine(sx, y, y + h - 1, Mix(s.shutter, pal::kWhite, 0.25f));
            StampOutlined(house, sh, pal::kInk);
        }
    }
    Canvas win = LayerLike(house);
    const Rgb frame_shade = Mix(s.frame, pal::kInk, 0.3f);
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
        if (win.Get(i, y + h - 1) == s.frame) win.Set(i, y + h - 1, frame_shade);
    StampOutlined(house, win, pal::kInk);

    // Sill, a little wider than the window.
    Canvas sill = LayerLike(house);
    sill.FillRect(x - 2, y + h, w + 4, 2, s.frame);
    sill.HLine(x - 2, x + w + 1, y + h + 1, frame_shade);
    StampOutlined(house, sill, pal::kInk);
    if (s.flower_box) {
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
    int top_panel = y + 3;
    if (s.glass_top) {
        d.FillRect(x + 3, y + 3, w - 6, h / 4, pal::kGlassDark);
        d.HLine(x + 3, x + w - 4, y + 3 + h / 4 - 1, pal::kGlass);
        d.Set(x + w - 5, y + 4, pal::kGlassLight);
        top_panel = y + 3 + h / 4 + 2;
    }
    int panel_h = (y + h - 3 - top_panel) / 2 - 1;
    for (int k = 0; k < 2; ++k) {
        int py = top_panel + k * (panel_h + 2);
        d.FrameRect(x + 3, py, w - 6, panel_h, dark);
        d.HLine(x + 4, x + w - 4, py + panel_h, light);
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
                      s.canopy_colour);
        c.HLine(x - 6, x + w + 5, y - 4, Mix(s.canopy_colour, pal::kInk, 0.35f));
        c.HLine(x - 3, x + w + 2, y - 10, Mix(s.canopy_colour, pal::kWhite, 0.3f));
        StampOutlined(house, c, pal::kInk);
    }
}

void Shrub(Canvas& c, int cx, int base_y, int r, Rgb leaf, Rgb light, Rgb dark) {
    Canvas b = LayerLike(c);
    float cy = base_y - r * 0.8f;
    b.FillEllipse(cx, cy, r * 1.2f, r * 0.85f, leaf);
    b.FillCircle(cx - r * 0.55f, cy - r * 0.2f, r * 0.7f, leaf);
    b.FillCircle(cx + r * 0.5f, cy - r * 0.35f, r * 0.65f, leaf);
    // Shade the lower right, light the upper left with a few clustered leaves.
    for (int j = static_cast<int>(cy - r * 1.2f); j <= base_y; ++j)
        for (int i = cx - r * 2; i <= cx + r * 2; ++i) {
            if (b.Get(i, j) != leaf) continue;
            float dx = i - cx, dy = j - cy;
            if (dx * 0.6f + dy > r * 0.45f) b.Set(i, j, dark);
            else if (dx * 0.7f + dy < -r * 0.55f && ((i + j) % 3 != 0)) b.Set(i, j, light);
        }
    b.FillRect(cx - r * 2, base_y, r * 4 + 1, 1, kKey);
    StampOutlined(c, b, pal::kInk);
}

void Pot(Canvas& c, int x, int base_y) {
    Canvas p = LayerLike(c);
    p.FillPolygon({{static_cast<float>(x), static_cast<float>(base_y - 7)},
                   {static_cast<float>(x + 8), static_cast<float>(base_y - 7)},
                   {static_cast<float>(x + 7), static_cast<float>(base_y)},
                   {static_cast<float>(x + 1), static_cast<float>(base_y)}},
                  pal::kTerracotta);
    p.HLine(x, x + 7, base_y - 7, pal::kTerracottaLight);
    p.VLine(x + 6, base_y - 6, base_y - 1, pal::kTerracottaDark);
    StampOutlined(c, p, pal::kInk);
    Shrub(c, x + 4, base_y - 8, 4, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
}

void GableRoof(Canvas& house, int left, int right, int eave_y, int peak_x, int peak_y, Rgb base, Rgb light, Rgb dark,
               Rgb trim) {
    Canvas r = LayerLike(house);
    r.FillPolygon({{static_cast<float>(left), static_cast<float>(eave_y)},
                   {static_cast<float>(peak_x) + 0.5f, static_cast<float>(peak_y)},
                   {static_cast<float>(right) + 1.0f, static_cast<float>(eave_y)}},
                  base);
    Shingles(r, left, peak_y, right - left + 1, eave_y - peak_y, base, light, dark);
    // Barge boards along both slopes and a fascia along the eave.
    r.ThickLine(left + 0.5f, eave_y - 0.5f, peak_x + 0.5f, peak_y + 0.5f, 1.0f, trim);
    r.ThickLine(right + 0.5f, eave_y - 0.5f, peak_x + 0.5f, peak_y + 0.5f, 1.0f, trim);
    r.FillRect(left, eave_y, right - left + 1, 2, Mix(trim, pal::kInk, 0.2f));
    StampOutlined(house, r, pal::kInk);
}

void HipRoof(Canvas& house, int left, int right, int eave_y, int ridge_left, int ridge_right, int ridge_y, Rgb base,
             Rgb light, Rgb dark, Rgb trim) {
    Canvas r = LayerLike(house);
    r.FillPolygon({{static_cast<float>(left), static_cast<float>(eave_y)},
                   {static_cast<float>(ridge_left), static_cast<float>(ridge_y)},
                   {static_cast<float>(ridge_right) + 1.0f, static_cast<float>(ridge_y)},
                   {static_cast<float>(right) + 1.0f, static_cast<float>(eave_y)}},
                  base);
    Shingles(r, left, ridge_y, right - left + 1, eave_y - ridge_y, base, light, dark);
    // The sloping hip ends catch less light on the right.
    for (int j = ridge_y; j < eave_y; ++j) {
        float t = static_cast<float>(j - ridge_y) / (eave_y - ridge_y);
        int hip_x = static_cast<int>(ridge_right + (right - ridge_right) * t);
        for (int i = hip_x - static_cast<int>((right - ridge_right) * t * 0.9f); i <= right; ++i)
            if (i > hip_x - 1 && r.Get(i, j) != kKey) r.Set(i, j, Mix(r.Get(i, j), pal::kInk, 0.18f));
    }
    r.HLine(ridge_left, ridge_right, ridge_y, Mix(base, pal::kWhite, 0.2f));
    r.FillRect(left, eave_y, right - left + 1, 2, Mix(trim, pal::kInk, 0.2f));
    StampOutlined(house, r, pal::kInk);
}

void Chimney(Canvas& house, int x, int top, int w, int bottom) {
    Canvas c = LayerLike(house);
    c.FillRect(x, top + 3, w, bottom - top - 3, pal::kBrick);
    Bricks(c, x, top + 3, w, bottom - top - 3, pal::kBrick, pal::kBrickLight, pal::kBrickDark, Mix(pal::kBrickDark, pal::kInk, 0.3f));
    c.FillRect(x - 2, top, w + 4, 3, pal::kStone);
    c.HLine(x - 2, x + w + 1, top, pal::kStoneLight);
    c.VLine(x + w - 1, top + 3, bottom - 1, pal::kBrickDark);
    StampOutlined(house, c, pal::kInk);
}
