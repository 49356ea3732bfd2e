// The rooms' drawing kit: boxes, full-screen layers, shading, wooden and tiled floors, walls seen from above.
#pragma once

#include <cstdint>

#include "kit/canvas.h"
#include "kit/rng.h"

constexpr int kRoomW = 640;
constexpr int kRoomH = 480;

// A rectangle in screen pixels: x, y is the top-left pixel, w x h its size.
struct Box {
    int x, y, w, h;
    int Right() const { return x + w; }   // one past the last column
    int Bottom() const { return y + h; }  // one past the last row
};

// A clear 640 x 480 layer (all key) to draw one outlined part on.
Canvas RoomLayer();
// Outlines the art on layer and copies it onto room; only the art's bounding box is visited.
void StampPart(Canvas& room, const Canvas& layer, Rgb outline = pal::kInk);

// Mixes every pixel of the box toward tint by t (shadows, light from the windows).
void Tint(Canvas& c, Box b, Rgb tint, float t);
// The same over an ellipse centred in the box.
void TintEllipse(Canvas& c, Box b, Rgb tint, float t);
// A soft drop shadow: the box, shifted, darkened strongly in its middle and lightly at its rim.
void DropShadow(Canvas& c, Box b, int dx, int dy);
// The same for round things (pots, cushions, chairs on castors): an oval.
void DropShadowRound(Canvas& c, Box b, int dx, int dy);

// A three-quarter view block: lit top surface of depth `topDepth` above a front face of
// height `front`, all inside the box. Used for counters, tables, chests and cabinets.
void Block(Canvas& c, Box b, int topDepth, Rgb top, Rgb topLight, Rgb front, Rgb frontDark);

// Floor boards running left to right, `board` pixels wide, with joints, grain and knots.
void WoodFloor(Canvas& c, Box b, Rgb base, Rgb light, Rgb dark, int board, std::uint32_t seed);
// Square tiles of `tile` pixels in a checker of two colours, with grout and a lit edge.
void TileFloor(Canvas& c, Box b, int tile, Rgb a, Rgb bColour, Rgb grout);

struct Wallpaper {
    Rgb base, light, dark;
    int stripe;  // width of the wallpaper's stripes, 0 for a plain sprigged paper
};

// A wall's inner face seen from the room: paper, a dado rail, skirting at the bottom, a
// shadow under the wall's top edge and in its corners.
void WallFace(Canvas& c, Box b, const Wallpaper& paper, Rgb skirting);

// Wall tops: every pixel for which isCap says true is painted as the top of a wall, and
// the edge toward the room gets a dark line and a lit rim.
template <class IsCap>
void WallCaps(Canvas& c, IsCap isCap, Rgb cap, Rgb rim) {
    for (int y = 0; y < kRoomH; ++y) {
        for (int x = 0; x < kRoomW; ++x) {
            if (!isCap(x, y)) continue;
            auto open = [&](int dx, int dy) {
                int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= kRoomW || ny >= kRoomH) return false;
                return !isCap(nx, ny);
            };
            Rgb col = cap;
            if (open(1, 0) || open(-1, 0) || open(0, 1) || open(0, -1))
                col = pal::kInk;
            else if (open(2, 0) || open(-2, 0) || open(0, 2) || open(0, -2))
                col = rim;
            else if (((x * 7 + y * 13) % 23) == 0)
                col = Mix(cap, rim, 0.35f);  // a little plaster grit
            c.Set(x, y, col);
        }
    }
}
