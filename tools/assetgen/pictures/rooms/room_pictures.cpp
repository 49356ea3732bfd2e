// Level 3's rooms: each layout is written down once and both the picture and the walking mask are made from it.
#include "pictures/rooms/room_pictures.h"

#include <algorithm>
#include <vector>

#include "pictures/rooms/room_furniture.h"

namespace {

struct Piece {
    PieceDrawer draw;
    Box foot;  // the floor it stands on: what the hero bumps into
    int rise;  // how far the drawing reaches up above the foot
    int style;
    bool solid;  // rugs and mats are walked over
};

struct Fitting {
    FittingDrawer draw;
    Box at;
    int style;
};

enum class Floor { Boards, Tiles };

struct Layout {
    std::vector<Box> caps;   // wall tops
    std::vector<Box> faces;  // the top wall's face, seen from the room
    Wallpaper paper;
    Rgb skirting;
    Floor floor;
    std::vector<Fitting> fittings;
    std::vector<Piece> pieces;
    std::vector<Box> sunlight;  // windows whose light falls on the floor below them
};

const Rgb kCap{58, 52, 72}, kCapRim{96, 88, 112};

// The floors, kept here so each room can show the other's floor through the doorway.
void Boards(Canvas& c, Box b) {
    WoodFloor(c, b, {196, 144, 92}, {228, 184, 126}, {150, 100, 62}, 8, 3);
}
void Tiles(Canvas& c, Box b) {
    TileFloor(c, b, 24, {176, 204, 210}, {150, 182, 194}, {104, 122, 136});
}

// Upstairs: a bedroom and study. The doorway is in the bottom wall.
Layout Bedroom() {
    Layout l;
    l.caps = {{0, 0, 640, 24},
              {0, 0, 24, 480},
              {616, 0, 24, 480},
              {0, 448, kRoomDoorX0, 32},
              {kRoomDoorX1, 448, 640 - kRoomDoorX1, 32}};
    l.faces = {{24, 24, 592, 64}};
    l.paper = {{108, 158, 164}, {128, 178, 180}, {78, 122, 134}, 8};
    l.skirting = {236, 230, 216};
    l.floor = Floor::Boards;
    l.fittings = {
        {DrawWindow, {296, 36, 64, 40}, 0},
        {DrawPoster, {398, 30, 24, 32}, 0},
        {DrawPinboard, {482, 30, 38, 28}, 0},
    };
    l.sunlight = {{296, 88, 64, 120}};
    l.pieces = {
        {DrawRug, {176, 232, 272, 160}, 0, 0, false},     {DrawBed, {40, 88, 88, 128}, 36, 0, true},
        {DrawNightstand, {136, 88, 40, 30}, 44, 0, true}, {DrawBookshelf, {184, 88, 72, 22}, 64, 0, true},
        {DrawBookPile, {262, 94, 22, 14}, 12, 0, true},   {DrawDesk, {392, 88, 116, 40}, 48, 0, true},
        {DrawDeskChair, {436, 134, 32, 30}, 16, 0, true}, {DrawWardrobe, {528, 88, 80, 30}, 62, 0, true},
        {DrawToyChest, {28, 316, 76, 36}, 10, 0, true},   {DrawBoard, {40, 250, 60, 16}, 0, 0, true},
        {DrawBeanbag, {512, 296, 60, 46}, 10, 0, true},   {DrawToyBlocks, {112, 334, 26, 22}, 0, 0, true},
        {DrawGuitar, {584, 196, 28, 22}, 40, 0, true},    {DrawLowShelf, {440, 424, 96, 24}, 12, 0, true},
        {DrawPlant, {30, 404, 34, 40}, 40, 0, true},      {DrawPlant, {578, 404, 34, 40}, 44, 1, true},
    };
    return l;
}

// Downstairs: kitchen on the left, sitting room on the right. The doorway is in the top wall.
Layout Kitchen() {
    Layout l;
    l.caps = {{0, 0, kRoomDoorX0, 20},
              {kRoomDoorX1, 0, 640 - kRoomDoorX1, 20},
              {0, 0, 24, 480},
              {616, 0, 24, 480},
              {0, 448, 640, 32}};
    l.faces = {{24, 20, kRoomDoorX0 - 24, 60}, {kRoomDoorX1, 20, 616 - kRoomDoorX1, 60}};
    l.paper = {{232, 214, 164}, {246, 232, 190}, {200, 170, 120}, 0};
    l.skirting = {196, 140, 84};
    l.floor = Floor::Tiles;
    l.fittings = {
        {DrawSplashback, {72, 40, 200, 32}, 0}, {DrawShelfOfJars, {76, 24, 32, 14}, 0},
        {DrawWindow, {114, 24, 44, 30}, 1},     {DrawWallCupboards, {170, 22, 100, 26}, 0},
        {DrawPicture, {372, 30, 30, 24}, 1},    {DrawPicture, {442, 28, 36, 22}, 0},
        {DrawClock, {496, 26, 22, 22}, 0},      {DrawPicture, {536, 30, 30, 20}, 0},
    };
    l.pieces = {
        {DrawRug, {408, 150, 200, 130}, 0, 1, false},     {DrawRug, {104, 130, 72, 20}, 0, 2, false},
        {DrawRug, {288, 84, 64, 22}, 0, 3, false},        {DrawFridge, {24, 80, 48, 44}, 60, 0, true},
        {DrawCounter, {72, 80, 192, 44}, 16, 0, true},    {DrawSofa, {424, 80, 160, 50}, 26, 0, true},
        {DrawFloorLamp, {590, 124, 20, 12}, 60, 0, true}, {DrawCoffeeTable, {456, 176, 96, 40}, 10, 0, true},
        {DrawArmchair, {560, 224, 48, 56}, 18, 1, true},  {DrawChair, {96, 192, 28, 22}, 12, 0, true},
        {DrawChair, {164, 192, 28, 22}, 12, 0, true},     {DrawDiningTable, {80, 220, 128, 60}, 10, 0, true},
        {DrawChair, {96, 282, 28, 26}, 14, 1, true},      {DrawChair, {164, 282, 28, 26}, 14, 1, true},
        {DrawSideboard, {24, 300, 40, 90}, 8, 0, true},   {DrawPlant, {576, 300, 30, 34}, 36, 0, true},
        {DrawDogBed, {420, 372, 72, 40}, 0, 0, true},     {DrawLowShelf, {96, 424, 128, 24}, 12, 1, true},
        {DrawPlant, {28, 404, 32, 40}, 40, 1, true},      {DrawPlant, {578, 404, 32, 40}, 40, 0, true},
    };
    return l;
}

Layout RoomLayout(int room) {
    return room == 0 ? Bedroom() : Kitchen();
}

bool InAny(const std::vector<Box>& boxes, int x, int y) {
    for (const Box& b : boxes)
        if (x >= b.x && x < b.Right() && y >= b.y && y < b.Bottom()) return true;
    return false;
}

// Light from a window falling across the floor as a slanted patch.
void Sunlight(Canvas& c, Box b) {
    const Rgb warm{255, 236, 186};
    for (int y = b.y; y < b.Bottom(); ++y) {
        const int shift = (y - b.y) * 2 / 5;
        const float t = 0.22f * (1.0f - static_cast<float>(y - b.y) / b.h) + 0.04f;
        for (int x = b.x + shift; x < b.Right() + shift; ++x) c.Set(x, y, Mix(c.Get(x, y), warm, t));
    }
}

// Soft shade on the floor along the foot of the walls.
void WallShade(Canvas& c, const Layout& l) {
    const Rgb shade{46, 30, 52};
    for (int y = 0; y < kRoomH; ++y) {
        for (int x = 0; x < kRoomW; ++x) {
            if (InAny(l.caps, x, y) || InAny(l.faces, x, y)) continue;
            float t = 0;
            for (int d = 1; d <= 6; ++d) {
                const bool wallAbove = InAny(l.faces, x, y - d) || InAny(l.caps, x, y - d);
                const bool wallLeft = InAny(l.caps, x - d, y);
                if (wallAbove || wallLeft) {
                    t = std::max(t, 0.32f * (7 - d) / 6.0f);
                    break;
                }
            }
            if (t > 0) c.Set(x, y, Mix(c.Get(x, y), shade, t));
        }
    }
}

// Door casing: a painted frame post standing in the wall beside the opening.
void Jamb(Canvas& c, Box b) {
    Canvas j = RoomLayer();
    j.FillRect(b.x, b.y, b.w, b.h, {236, 230, 216});
    j.VLine(b.x + 1, b.y, b.Bottom() - 1, {250, 248, 240});
    j.VLine(b.Right() - 2, b.y, b.Bottom() - 1, {196, 188, 176});
    StampPart(c, j);
}

// A wooden sill across the doorway, where one room's floor meets the other's.
void Sill(Canvas& c, int y, int h) {
    c.FillRect(kRoomDoorX0, y, kRoomDoorX1 - kRoomDoorX0, h, {176, 126, 80});
    c.HLine(kRoomDoorX0, kRoomDoorX1 - 1, y, {222, 176, 120});
    c.HLine(kRoomDoorX0, kRoomDoorX1 - 1, y + h - 1, {112, 70, 44});
}

// Each room's floor runs on through the thickness of the wall, darker the deeper it goes,
// to a sill at the far side.
void Doorway(Canvas& c, int room) {
    const int w = kRoomDoorX1 - kRoomDoorX0;
    const Rgb dusk{40, 30, 48};
    if (room == 0) {
        for (int y = 448; y < 474; ++y) Tint(c, {kRoomDoorX0, y, w, 1}, dusk, 0.06f + (y - 448) * 0.012f);
        Tint(c, {kRoomDoorX1 - 4, 448, 4, 26}, dusk, 0.25f);
        Sill(c, 474, 6);
        Jamb(c, {kRoomDoorX0 - 7, 448, 6, 32});
        Jamb(c, {kRoomDoorX1 + 1, 448, 6, 32});
    } else {
        for (int y = 6; y < 80; ++y) Tint(c, {kRoomDoorX0, y, w, 1}, dusk, 0.36f - (y - 6) * 0.0045f);
        // The reveal: the wall's thickness seen on the left of the opening.
        Tint(c, {kRoomDoorX0, 6, 5, 74}, dusk, 0.3f);
        Sill(c, 0, 6);
        Jamb(c, {kRoomDoorX0 - 8, 0, 7, 80});
        Jamb(c, {kRoomDoorX1 + 1, 0, 7, 80});
    }
}

}  // namespace

Canvas MakeRoomPicture(int room) {
    const Layout l = RoomLayout(room);
    Canvas c(kRoomW, kRoomH, pal::kInk);
    const Box all{0, 0, kRoomW, kRoomH};
    if (l.floor == Floor::Boards)
        Boards(c, all);
    else
        Tiles(c, all);
    for (const Box& f : l.faces) WallFace(c, f, l.paper, l.skirting);
    WallCaps(
        c, [&](int x, int y) { return InAny(l.caps, x, y); }, kCap, kCapRim);
    // The top-left corner stays dark and quiet.
    Tint(c, {0, 0, 24, 24}, pal::kInk, 0.3f);
    Doorway(c, room);
    for (const Fitting& f : l.fittings) f.draw(c, f.at, f.style);
    WallShade(c, l);
    for (const Box& s : l.sunlight) Sunlight(c, s);
    // Flat things first, then shadows, then the furniture from the back of the room forward.
    std::vector<Piece> order = l.pieces;
    std::stable_sort(order.begin(), order.end(), [](const Piece& a, const Piece& b) {
        if (a.solid != b.solid) return !a.solid;
        return a.foot.Bottom() < b.foot.Bottom();
    });
    for (const Piece& p : order)
        if (!p.solid) p.draw(c, p.foot, p.rise, p.style);
    for (const Piece& p : order) {
        if (!p.solid) continue;
        const bool round = p.draw == DrawBeanbag || p.draw == DrawPlant || p.draw == DrawDeskChair ||
                           p.draw == DrawDogBed || p.draw == DrawFloorLamp || p.draw == DrawGuitar;
        if (round)
            DropShadowRound(c, p.foot, 4, 3);
        else
            DropShadow(c, p.foot, 4, 3);
    }
    for (const Piece& p : order)
        if (p.solid) p.draw(c, p.foot, p.rise, p.style);
    return c;
}

namespace {

// The game tests the hero's whole lower body, a band 32 rows deep, but the kid stands on the
// last 8 rows of it: the shoes. A floor area closed off short of its front edge by the
// difference blocks that band exactly when the shoes would step onto the area, so the kid
// walks right up to things from every side.
Box ClosedFor(Box foot) {
    const int band = 32, shoes = 8;
    return {foot.x, foot.y, foot.w, std::max(1, foot.h - (band - shoes))};
}

}  // namespace

Canvas MakeRoomMask(int room) {
    const Layout l = RoomLayout(room);
    const Rgb wall{0, 0, 0}, floor{255, 255, 255};
    Canvas m(kRoomW, kRoomH, floor);
    auto close = [&](Box b) { m.FillRect(b.x, b.y, b.w, b.h, wall); };
    for (const Box& b : l.caps) close(b);
    for (const Box& b : l.faces) close(ClosedFor(b));
    for (const Piece& p : l.pieces)
        if (p.solid) close(ClosedFor(p.foot));
    return m;
}
