// The rooms' drawing kit: layers, shading, wooden and tiled floors and the walls' inner faces.
#include "pictures/rooms/room_kit.h"

#include <algorithm>
#include <cmath>

Canvas RoomLayer() {
    return Canvas(kRoomW, kRoomH, kKey);
}

void StampPart(Canvas& room, const Canvas& layer, Rgb outline) {
    int x0 = kRoomW, y0 = kRoomH, x1 = -1, y1 = -1;
    const std::vector<Rgb>& px = layer.Pixels();
    for (int y = 0; y < kRoomH; ++y) {
        const Rgb* row = &px[static_cast<std::size_t>(y) * kRoomW];
        for (int x = 0; x < kRoomW; ++x) {
            if (row[x] == kKey) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return;
    auto art = [&](int x, int y) { return layer.Inside(x, y) && layer.Get(x, y) != kKey; };
    for (int y = y0 - 1; y <= y1 + 1; ++y) {
        for (int x = x0 - 1; x <= x1 + 1; ++x) {
            if (!room.Inside(x, y)) continue;
            if (art(x, y)) {
                room.Set(x, y, layer.Get(x, y));
            } else if (art(x - 1, y) || art(x + 1, y) || art(x, y - 1) || art(x, y + 1)) {
                room.Set(x, y, outline);
            }
        }
    }
}

void Tint(Canvas& c, Box b, Rgb tint, float t) {
    for (int y = b.y; y < b.Bottom(); ++y)
        for (int x = b.x; x < b.Right(); ++x)
            if (c.Inside(x, y)) c.Set(x, y, Mix(c.Get(x, y), tint, t));
}

void TintEllipse(Canvas& c, Box b, Rgb tint, float t) {
    const float cx = b.x + b.w * 0.5f, cy = b.y + b.h * 0.5f, rx = b.w * 0.5f, ry = b.h * 0.5f;
    for (int y = b.y; y < b.Bottom(); ++y) {
        for (int x = b.x; x < b.Right(); ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f && c.Inside(x, y)) c.Set(x, y, Mix(c.Get(x, y), tint, t));
        }
    }
}

void DropShadow(Canvas& c, Box b, int dx, int dy) {
    const Rgb shade{46, 30, 52};
    Box s{b.x + dx, b.y + dy, b.w, b.h};
    Tint(c, {s.x + 1, s.y + 1, s.w - 2, s.h - 2}, shade, 0.30f);
    // The rim is lighter, drawn as a dithered half step.
    for (int y = s.y; y < s.Bottom(); ++y) {
        for (int x = s.x; x < s.Right(); ++x) {
            bool rim = x == s.x || y == s.y || x == s.Right() - 1 || y == s.Bottom() - 1;
            if (rim && c.Inside(x, y) && ((x + y) & 1)) c.Set(x, y, Mix(c.Get(x, y), shade, 0.28f));
        }
    }
}

void DropShadowRound(Canvas& c, Box b, int dx, int dy) {
    const Rgb shade{46, 30, 52};
    TintEllipse(c, {b.x + dx - 1, b.y + dy + b.h / 4, b.w + 2, b.h - b.h / 4 + 2}, shade, 0.2f);
    TintEllipse(c, {b.x + dx + 1, b.y + dy + b.h / 4 + 2, b.w - 2, b.h - b.h / 4 - 2}, shade, 0.14f);
}

void Block(Canvas& c, Box b, int topDepth, Rgb top, Rgb topLight, Rgb front, Rgb frontDark) {
    c.FillRect(b.x, b.y, b.w, topDepth, top);
    c.HLine(b.x, b.Right() - 1, b.y, topLight);
    c.VLine(b.x, b.y, b.y + topDepth - 1, topLight);
    c.FillRect(b.x, b.y + topDepth, b.w, b.h - topDepth, front);
    // The top's front edge catches the light; the foot of the front face sits in shadow.
    c.HLine(b.x, b.Right() - 1, b.y + topDepth, Mix(top, topLight, 0.5f));
    c.HLine(b.x, b.Right() - 1, b.Bottom() - 1, frontDark);
    c.VLine(b.Right() - 1, b.y + topDepth + 1, b.Bottom() - 1, frontDark);
}

void WoodFloor(Canvas& c, Box b, Rgb base, Rgb light, Rgb dark, int board, std::uint32_t seed) {
    const Rgb gap = Mix(dark, pal::kInk, 0.45f);
    for (int y = b.y; y < b.Bottom(); ++y) {
        const int row = (y - b.y) / board, inRow = (y - b.y) % board;
        // Each row of boards has its own joint pattern: boards 56..135 px long.
        const int offset = static_cast<int>(Hash(row, static_cast<int>(seed)) % 97u);
        for (int x = b.x; x < b.Right(); ++x) {
            const int along = x - b.x + offset;
            // Board index along the row: boards of varied length, found by walking fixed 96 px
            // cells and moving each joint a little.
            const int cell = along / 96;
            const int joint = cell * 96 + static_cast<int>(Hash(cell, row * 31 + static_cast<int>(seed)) % 40u);
            const int plank = along >= joint ? cell : cell - 1;
            const bool atJoint = along == joint;
            const std::uint32_t h = Hash(plank * 17 + 3, row * 7 + static_cast<int>(seed));
            Rgb col = base;
            switch (h % 5) {
                case 0:
                    col = Mix(base, light, 0.35f);
                    break;
                case 1:
                    col = Mix(base, dark, 0.25f);
                    break;
                case 2:
                    col = Mix(base, light, 0.15f);
                    break;
                default:
                    break;
            }
            // Grain: long faint streaks along the board.
            const std::uint32_t g = Hash(x / 11 + plank * 5, y * 3 + static_cast<int>(seed));
            if (inRow > 0 && inRow < board - 1 && g % 9 == 0) col = Mix(col, dark, 0.35f);
            if (inRow == 0) col = Mix(col, light, 0.5f);
            if (inRow == board - 1) col = gap;
            if (atJoint) col = gap;
            if (along == joint + 1 && inRow != board - 1) col = Mix(col, light, 0.4f);
            c.Set(x, y, col);
        }
    }
    // A few knots.
    for (int k = 0; k < b.w * b.h / 9000; ++k) {
        const std::uint32_t h = Hash(k, static_cast<int>(seed) + 99);
        const int kx = b.x + static_cast<int>(h % static_cast<std::uint32_t>(b.w));
        const int row = static_cast<int>((h >> 12) % static_cast<std::uint32_t>(b.h / board));
        const int ky = b.y + row * board + board / 2 - 1;
        c.Set(kx, ky, Mix(dark, pal::kInk, 0.2f));
        c.Set(kx + 1, ky, dark);
        c.Set(kx - 1, ky, Mix(c.Get(kx - 1, ky), dark, 0.5f));
        c.Set(kx + 2, ky, Mix(c.Get(kx + 2, ky), dark, 0.5f));
    }
}

void TileFloor(Canvas& c, Box b, int tile, Rgb a, Rgb bColour, Rgb grout) {
    for (int y = b.y; y < b.Bottom(); ++y) {
        for (int x = b.x; x < b.Right(); ++x) {
            const int tx = x / tile, ty = y / tile, ix = x % tile, iy = y % tile;
            Rgb col = ((tx + ty) & 1) ? a : bColour;
            // Tiny mottling per tile so the floor is not flat.
            const std::uint32_t h = Hash(x, y * 3 + 5);
            if (h % 19 == 0)
                col = Mix(col, grout, 0.25f);
            else if (h % 23 == 0)
                col = Mix(col, pal::kWhite, 0.3f);
            if (ix == 1 || iy == 1) col = Mix(col, pal::kWhite, 0.35f);          // lit bevel
            if (ix == tile - 1 || iy == tile - 1) col = Mix(col, grout, 0.45f);  // shaded bevel
            if (ix == 0 || iy == 0) col = grout;
            // A soft glint on each tile, top left.
            if (ix >= 3 && ix <= 6 && iy == 3 && ((tx * 5 + ty) % 3 == 0)) col = Mix(col, pal::kWhite, 0.5f);
            c.Set(x, y, col);
        }
    }
}

void WallFace(Canvas& c, Box b, const Wallpaper& paper, Rgb skirting) {
    const int skirtH = 8;
    const int dadoY = b.y + (b.h - skirtH) * 5 / 9;
    for (int y = b.y; y < b.Bottom() - skirtH; ++y) {
        for (int x = b.x; x < b.Right(); ++x) {
            Rgb col = paper.base;
            if (paper.stripe > 0) {
                const int s = (x / paper.stripe) % 2;
                if (s == 1) col = paper.light;
                if (x % paper.stripe == 0 && s == 1) col = Mix(paper.light, paper.dark, 0.3f);
            } else {
                // Sprigs: small diamonds on a diagonal grid.
                const int gx = (x + ((y / 12) % 2) * 8) % 16, gy = y % 12;
                if ((gx == 8 && (gy == 5 || gy == 7)) || (gy == 6 && (gx == 7 || gx == 9))) col = paper.light;
                if (gx == 8 && gy == 6) col = paper.dark;
            }
            if (y > dadoY) col = Mix(col, paper.dark, 0.22f);  // the lower wall is a deeper shade
            c.Set(x, y, col);
        }
    }
    // Dado rail.
    c.HLine(b.x, b.Right() - 1, dadoY - 1, Mix(skirting, pal::kWhite, 0.4f));
    c.HLine(b.x, b.Right() - 1, dadoY, skirting);
    c.HLine(b.x, b.Right() - 1, dadoY + 1, Mix(skirting, pal::kInk, 0.35f));
    // Skirting board.
    const int sy = b.Bottom() - skirtH;
    c.FillRect(b.x, sy, b.w, skirtH, skirting);
    c.HLine(b.x, b.Right() - 1, sy, Mix(skirting, pal::kWhite, 0.5f));
    c.HLine(b.x, b.Right() - 1, sy + 2, Mix(skirting, pal::kInk, 0.2f));
    c.HLine(b.x, b.Right() - 1, b.Bottom() - 1, Mix(skirting, pal::kInk, 0.45f));
    // Shadow under the wall's top edge and into the corners.
    for (int y = b.y; y < b.y + 6; ++y)
        for (int x = b.x; x < b.Right(); ++x)
            if (y < b.y + 3 || BayerThreshold(x, y) < 0.5f) c.Set(x, y, Mix(c.Get(x, y), pal::kInk, 0.28f));
    for (int x = 0; x < 6; ++x) {
        const float t = 0.3f * (6 - x) / 6.0f;
        for (int y = b.y; y < b.Bottom(); ++y) {
            c.Set(b.x + x, y, Mix(c.Get(b.x + x, y), pal::kInk, t));
            c.Set(b.Right() - 1 - x, y, Mix(c.Get(b.Right() - 1 - x, y), pal::kInk, t * 0.7f));
        }
    }
}
