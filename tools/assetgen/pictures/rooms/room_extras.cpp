// Smaller things in both rooms: a low shelf along the bottom wall, a guitar on its stand, toy blocks.
#include "pictures/rooms/room_furniture.h"

#include <cmath>

namespace {

const Rgb kOak{196, 140, 84}, kOakLight{226, 178, 118}, kOakDark{150, 98, 58}, kOakDeep{112, 70, 44};

}  // namespace

void DrawLowShelf(Canvas& room, Box f, int rise, int style) {
    // Its doors face the room, away from us: we look down on the top and its plain back.
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas shelf = RoomLayer();
    Block(shelf, b, b.h - 10, kOak, kOakLight, kOakDark, kOakDeep);
    for (int y = b.y + 5; y < b.Bottom() - 10; y += 7)
        shelf.HLine(b.x + 1, b.Right() - 2, y, Mix(kOak, kOakDark, 0.45f));
    StampPart(room, shelf);
    if (style == 0) {
        // A fishbowl with a goldfish, and a pile of comics.
        Canvas bowl = RoomLayer();
        const float cx = b.x + 22.0f, cy = b.y + 6.0f;
        bowl.FillCircle(cx, cy, 11, {150, 206, 230});
        bowl.FillEllipse(cx, cy - 5, 8, 2, {200, 236, 246});
        for (int y = static_cast<int>(cy) - 3; y < static_cast<int>(cy) + 11; ++y)
            for (int x = static_cast<int>(cx) - 11; x < static_cast<int>(cx) + 11; ++x)
                if (bowl.Get(x, y) == Rgb{150, 206, 230}) bowl.Set(x, y, {96, 164, 206});
        bowl.FillEllipse(cx, cy + 8, 7, 2, {214, 196, 150});
        bowl.FillEllipse(cx - 1, cy + 2, 3.5f, 2, {250, 140, 40});
        bowl.FillPolygon({{cx + 2, cy + 2}, {cx + 6, cy - 1}, {cx + 6, cy + 5}}, {250, 140, 40});
        bowl.Set(static_cast<int>(cx) - 3, static_cast<int>(cy) + 1, pal::kInk);
        bowl.VLine(static_cast<int>(cx) - 6, static_cast<int>(cy) - 2, static_cast<int>(cy) + 4, pal::kWhite);
        bowl.ThickLine(cx + 3, cy + 9, cx + 4, cy + 4, 0.6f, pal::kLeafLight);
        StampPart(room, bowl);
        Canvas comics = RoomLayer();
        comics.FillRect(b.Right() - 30, b.y + 4, 20, 14, {236, 70, 70});
        comics.FillRect(b.Right() - 28, b.y + 2, 20, 14, {250, 220, 80});
        comics.FillRect(b.Right() - 25, b.y + 5, 8, 6, {80, 150, 220});
        comics.HLine(b.Right() - 25, b.Right() - 12, b.y + 13, pal::kInkSoft);
        StampPart(room, comics);
    } else {
        // Books lying down, a small potted cactus and a toy car.
        Canvas books = RoomLayer();
        const Rgb colours[] = {{64, 120, 184}, {236, 190, 70}, {196, 70, 60}};
        for (int k = 0; k < 3; ++k) {
            books.FillRect(b.x + 8 + k, b.y + 2 + k * 4, 26, 4, colours[k]);
            books.HLine(b.x + 8 + k, b.x + 33 + k, b.y + 5 + k * 4, pal::kCream);
        }
        StampPart(room, books);
        Canvas cactus = RoomLayer();
        const int px = b.x + 52, py = b.y + 4;
        cactus.FillRect(px, py + 8, 10, 7, pal::kTerracotta);
        cactus.HLine(px, px + 9, py + 8, pal::kTerracottaLight);
        cactus.FillRoundRect(px + 2, py - 4, 6, 13, 2, pal::kLeaf);
        cactus.FillRect(px - 1, py, 3, 4, pal::kLeaf);
        cactus.VLine(px + 4, py - 3, py + 7, pal::kLeafLight);
        cactus.Set(px + 5, py - 5, {240, 120, 160});
        StampPart(room, cactus);
        Canvas car = RoomLayer();
        const int cx = b.Right() - 34, cy = b.y + 6;
        car.FillRoundRect(cx, cy, 22, 9, 2, {60, 170, 120});
        car.FillRect(cx + 6, cy + 1, 9, 4, {150, 210, 236});
        for (int wx : {cx + 2, cx + 15}) car.FillRect(wx, cy + 8, 5, 3, pal::kInkSoft);
        StampPart(room, car);
    }
}

void DrawGuitar(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Rgb body{226, 132, 58}, light{248, 180, 100}, dark{170, 86, 40};
    const Rgb neck{120, 74, 46}, metal{206, 212, 222};
    const float cx = f.x + f.w * 0.5f;
    // The stand's legs.
    Canvas stand = RoomLayer();
    stand.ThickLine(cx, f.Bottom() - 10.0f, f.x + 2.0f, f.Bottom() - 2.0f, 0.7f, pal::kSteelDark);
    stand.ThickLine(cx, f.Bottom() - 10.0f, f.Right() - 2.0f, f.Bottom() - 2.0f, 0.7f, pal::kSteelDark);
    StampPart(room, stand);
    Canvas g = RoomLayer();
    const float bodyY = f.Bottom() - 12.0f;
    g.FillRect(static_cast<int>(cx) - 1, f.y - rise + 6, 3, static_cast<int>(bodyY) - (f.y - rise + 6), neck);
    g.FillRoundRect(static_cast<int>(cx) - 3, f.y - rise, 7, 8, 2, {90, 54, 36});
    for (int k = 0; k < 3; ++k) {
        g.Set(static_cast<int>(cx) - 4, f.y - rise + 2 + k * 2, metal);
        g.Set(static_cast<int>(cx) + 4, f.y - rise + 2 + k * 2, metal);
    }
    g.FillEllipse(cx, bodyY, 9.5f, 8.5f, body);
    g.FillEllipse(cx, bodyY - 10, 7, 6.5f, body);
    g.FillEllipse(cx - 3, bodyY - 11, 2.5f, 2.5f, light);
    g.FillCircle(cx, bodyY - 3, 3, {60, 36, 28});
    g.FillRect(static_cast<int>(cx) - 4, static_cast<int>(bodyY) + 3, 9, 2, {90, 54, 36});
    for (int y = static_cast<int>(bodyY) - 2; y < static_cast<int>(bodyY) + 8; ++y)
        if (g.Get(static_cast<int>(cx) + 7, y) == body) g.Set(static_cast<int>(cx) + 7, y, dark);
    g.VLine(static_cast<int>(cx), f.y - rise + 8, static_cast<int>(bodyY) + 3, {236, 226, 200});
    StampPart(room, g);
}

void DrawToyBlocks(Canvas& room, Box f, int rise, int style) {
    (void)rise;
    (void)style;
    // Three wooden blocks, two on the floor and one stacked, each with a painted dot.
    struct Cube {
        int x, y;
        Rgb colour;
    };
    const Cube cubes[] = {{f.x + 1, f.Bottom() - 11, {214, 70, 60}},
                          {f.x + 14, f.Bottom() - 11, {64, 120, 200}},
                          {f.x + 7, f.Bottom() - 21, {240, 196, 70}}};
    for (const Cube& c : cubes) {
        Canvas k = RoomLayer();
        const Rgb light = Mix(c.colour, pal::kWhite, 0.35f), dark = Mix(c.colour, pal::kInk, 0.3f);
        Block(k, {c.x, c.y, 11, 11}, 5, light, Mix(light, pal::kWhite, 0.4f), c.colour, dark);
        k.FillRect(c.x + 4, c.y + 6, 3, 3, pal::kCream);
        StampPart(room, k);
    }
}
