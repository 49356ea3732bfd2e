// Props of the title scene: the girder scaffold with ladders, the room-plan board, a street lamp, a cone.
#include "pictures/scenery/props.h"

#include <algorithm>
#include <cmath>

namespace {

Canvas LayerLike(const Canvas& c) {
    return Canvas(c.Width(), c.Height());
}

void Girder(Canvas& c, int x0, int x1, int y) {
    // An I-beam seen from the side: lit top flange, web with bolt holes, dark bottom flange.
    c.FillRect(x0, y, x1 - x0 + 1, 2, pal::kGirderLight);
    c.FillRect(x0, y + 2, x1 - x0 + 1, 4, pal::kGirder);
    c.FillRect(x0, y + 6, x1 - x0 + 1, 2, pal::kGirderDark);
    for (int x = x0 + 4; x < x1 - 2; x += 8) c.Set(x, y + 3, pal::kGirderDark);
}

void Ladder(Canvas& c, int x, int y0, int y1) {
    const Rgb rail{200, 168, 110}, railDark{150, 118, 74};
    c.FillRect(x, y0, 2, y1 - y0, rail);
    c.FillRect(x + 10, y0, 2, y1 - y0, rail);
    c.VLine(x + 1, y0, y1 - 1, railDark);
    c.VLine(x + 11, y0, y1 - 1, railDark);
    for (int y = y0 + 3; y < y1; y += 5) {
        c.HLine(x + 2, x + 9, y, rail);
        c.HLine(x + 2, x + 9, y + 1, railDark);
    }
}

void Coin(Canvas& c, int cx, int cy) {
    Canvas coin = LayerLike(c);
    coin.FillEllipse(cx + 0.5f, cy + 0.5f, 3.5f, 4.5f, {250, 206, 70});
    coin.VLine(cx, cy - 2, cy + 2, {206, 150, 40});
    coin.Set(cx - 2, cy - 2, pal::kWhite);
    StampOutlined(c, coin, pal::kInk);
}

}  // namespace

void GirderScaffold(Canvas& c, int x0, int x1, int topY, int groundY) {
    Canvas s = LayerLike(c);
    // Columns, then floors: not every floor spans the whole frame, so it reads as a climb.
    const int cols[3] = {x0 + 4, (x0 + x1) / 2, x1 - 8};
    for (int k = 0; k < 3; ++k) {
        s.FillRect(cols[k], topY, 5, groundY - topY, pal::kSteel);
        s.VLine(cols[k], topY, groundY - 1, Mix(pal::kSteel, pal::kWhite, 0.4f));
        s.VLine(cols[k] + 4, topY, groundY - 1, pal::kSteelDark);
    }
    // Cross braces between the columns.
    const int floors = 4;
    const int step = (groundY - topY) / floors;
    for (int f = 0; f < floors; ++f) {
        int ya = topY + f * step, yb = ya + step;
        s.Line(cols[0] + 5, ya + 8, cols[1], yb, pal::kSteelDark);
        s.Line(cols[1] + 5, yb, cols[2], ya + 8, pal::kSteelDark);
    }
    StampOutlined(c, s, pal::kInk);
    Canvas g = LayerLike(c);
    for (int f = 0; f < floors; ++f) {
        int y = topY + f * step;
        int left = x0, right = x1;
        if (f == 1) right = (x0 + x1) / 2 + 14;
        if (f == 2) left = (x0 + x1) / 2 - 20;
        Girder(g, left, right, y);
    }
    Girder(g, x0 - 6, x1 + 6, groundY - 8);
    StampOutlined(c, g, pal::kInk);
    Canvas l = LayerLike(c);
    Ladder(l, x0 + 16, topY + 8, topY + step);
    Ladder(l, x1 - 34, topY + step + 8, topY + 2 * step);
    Ladder(l, x0 + 22, topY + 2 * step + 8, topY + 3 * step);
    Ladder(l, x1 - 30, topY + 3 * step + 8, groundY - 8);
    StampOutlined(c, l, pal::kInk);
    // Coins waiting on the floors.
    Coin(c, x0 + 48, topY - 8);
    Coin(c, x0 + 60, topY - 8);
    Coin(c, x0 + 30, topY + step - 8);
    Coin(c, x1 - 14, topY + 2 * step - 8);
    // A flag on the top floor.
    Canvas flag = LayerLike(c);
    flag.VLine(x1 - 2, topY - 26, topY - 1, pal::kSteel);
    flag.FillPolygon({{static_cast<float>(x1 - 1), static_cast<float>(topY - 26)},
                      {static_cast<float>(x1 + 13), static_cast<float>(topY - 21)},
                      {static_cast<float>(x1 - 1), static_cast<float>(topY - 16)}},
                     pal::kCap);
    StampOutlined(c, flag, pal::kInk);
}

void RoomPlanBoard(Canvas& c, int x, int y, int w, int h, int groundY) {
    Canvas b = LayerLike(c);
    // Legs, then the framed board.
    for (int lx : {x + 8, x + w - 12}) {
        b.FillRect(lx, y + h, 4, groundY - y - h, pal::kSteelDark);
        b.VLine(lx, y + h, groundY - 1, pal::kSteel);
    }
    b.FillRect(x, y, w, h, {58, 96, 84});
    b.HLine(x, x + w - 1, y, {90, 132, 116});
    StampOutlined(c, b, pal::kInk);
    // The plan: paper inside the frame, two rooms one above the other with a door between.
    const int px = x + 5, py = y + 5, pw = w - 10, ph = h - 10;
    const Rgb paper{236, 230, 208}, wall{62, 60, 80};
    const Rgb floorA{206, 170, 120}, floorB{190, 154, 106};  // boards, top room
    const Rgb tileA{170, 200, 206}, tileB{150, 184, 194};    // tiles, bottom room
    c.FillRect(px, py, pw, ph, paper);
    const int rx = px + 4, rw = pw - 8;
    const int topY = py + 4, split = py + ph / 2, botY = py + ph - 4;
    for (int j = topY; j < split; ++j)
        for (int i = rx; i < rx + rw; ++i) c.Set(i, j, ((j - topY) / 3) % 2 ? floorA : floorB);
    for (int j = split; j < botY; ++j)
        for (int i = rx; i < rx + rw; ++i) c.Set(i, j, (((i - rx) / 5) + ((j - split) / 5)) % 2 ? tileA : tileB);
    c.FrameRect(rx - 1, topY - 1, rw + 2, botY - topY + 2, wall);
    c.FrameRect(rx - 2, topY - 2, rw + 4, botY - topY + 4, wall);
    c.FillRect(rx, split - 1, rw, 2, wall);
    c.FillRect(rx + rw / 2 - 4, split - 1, 8, 2, floorA);  // the doorway between the rooms
    // Furniture seen from above: a bed and a rug up top, a table with chairs and a plant below.
    c.FillRect(rx + 2, topY + 2, 10, 14, pal::kWhite);
    c.FillRect(rx + 2, topY + 6, 10, 10, {90, 130, 190});
    c.FrameRect(rx + 2, topY + 2, 10, 14, wall);
    c.FillEllipse(rx + rw - 12, topY + 10, 8, 5, {200, 90, 80});
    c.FillEllipse(rx + rw - 12, topY + 10, 5, 3, {230, 160, 90});
    c.FillRect(rx + rw / 2 + 2, split + 8, 14, 9, pal::kWood);
    c.FrameRect(rx + rw / 2 + 2, split + 8, 14, 9, wall);
    for (int k : {0, 1}) {
        c.FillRect(rx + rw / 2 + 4 + k * 6, split + 4, 4, 3, pal::kWoodDark);
        c.FillRect(rx + rw / 2 + 4 + k * 6, split + 18, 4, 3, pal::kWoodDark);
    }
    c.FillCircle(rx + 5, botY - 5, 4, pal::kLeaf);
    c.FillCircle(rx + 5, botY - 5, 2, pal::kLeafLight);
    // The visitor, seen from above: a cap and shoulders, and a "you are here" ring.
    const int hx = rx + rw / 2 - 8, hy = split + 12;
    c.FillEllipse(hx + 0.5f, hy + 0.5f, 4, 3, pal::kShirt);
    c.FillCircle(hx + 0.5f, hy + 0.5f, 2.2f, pal::kCap);
    c.Set(hx + 2, hy, pal::kCapDark);
}

void StreetLamp(Canvas& c, int x, int topY, int groundY, bool glow) {
    if (glow) {
        // A soft pool of light around the head, made of dithered rings.
        const Rgb warm{250, 206, 120};
        for (int r = 26; r >= 8; r -= 6) {
            float t = 0.12f + (26 - r) * 0.03f;
            for (int j = topY + 6 - r; j <= topY + 6 + r; ++j)
                for (int i = x - 8 - r; i <= x - 8 + r; ++i) {
                    float dx = i - (x - 8), dy = j - (topY + 6);
                    if (dx * dx + dy * dy > r * r) continue;
                    if (BayerThreshold(i, j) < t) c.Set(i, j, Mix(c.Get(i, j), warm, 0.5f));
                }
        }
    }
    Canvas l = LayerLike(c);
    const Rgb iron{54, 62, 84}, ironLight{92, 104, 132};
    l.FillRect(x - 1, topY, 4, groundY - topY, iron);
    l.VLine(x - 1, topY, groundY - 1, ironLight);
    l.FillRect(x - 4, groundY - 8, 10, 8, iron);
    l.HLine(x - 4, x + 5, groundY - 8, ironLight);
    // The arm curls over to the left and holds the lantern.
    l.ThickLine(x + 0.5f, topY + 2.0f, x - 6.0f, topY - 2.0f, 1.2f, iron);
    l.ThickLine(x - 6.0f, topY - 2.0f, x - 8.0f, topY + 2.0f, 1.2f, iron);
    l.FillPolygon({{static_cast<float>(x - 14), static_cast<float>(topY + 3)},
                   {static_cast<float>(x - 2), static_cast<float>(topY + 3)},
                   {static_cast<float>(x - 4), static_cast<float>(topY - 1)},
                   {static_cast<float>(x - 12), static_cast<float>(topY - 1)}},
                  iron);
    l.FillRect(x - 12, topY + 4, 8, 7, pal::kLitWindow);
    l.VLine(x - 12, topY + 4, topY + 10, pal::kWhite);
    l.HLine(x - 13, x - 3, topY + 11, iron);
    StampOutlined(c, l, pal::kInk);
}

void Cone(Canvas& c, int cx, int baseY) {
    Canvas k = LayerLike(c);
    const Rgb orange{240, 120, 40}, orangeDark{196, 84, 30};
    k.FillRect(cx - 9, baseY - 3, 19, 3, orangeDark);
    k.FillPolygon(
        {{cx - 6.0f, baseY - 3.0f}, {cx - 1.5f, baseY - 22.0f}, {cx + 2.5f, baseY - 22.0f}, {cx + 7.0f, baseY - 3.0f}},
        orange);
    for (int j = baseY - 14; j < baseY - 9; ++j)
        for (int i = cx - 8; i <= cx + 8; ++i)
            if (k.Get(i, j) == orange) k.Set(i, j, pal::kWhite);
    for (int j = baseY - 22; j < baseY - 3; ++j)
        for (int i = cx + 1; i <= cx + 8; ++i) {
            Rgb p = k.Get(i, j);
            if (p == orange && i >= cx + 2 + (j - (baseY - 22)) / 5) k.Set(i, j, orangeDark);
            if (p == pal::kWhite && i >= cx + 2 + (j - (baseY - 22)) / 5) k.Set(i, j, pal::kCloudShade);
        }
    StampOutlined(c, k, pal::kInk);
}

void EveningTint(Canvas& c, int x, int y, int w, int h, float amount) {
    const Rgb evening{70, 60, 120};
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            Rgb p = c.Get(i, j);
            if (p == kKey) continue;
            bool warmLight = p.r > 230 && p.g > 150 && p.b < 150;
            if (warmLight) continue;
            c.Set(i, j, Mix(p, evening, amount * (0.6f + 0.4f * (1.0f - (p.r + p.g + p.b) / 765.0f))));
        }
}
