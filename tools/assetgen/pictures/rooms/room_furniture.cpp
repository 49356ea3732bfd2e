// The bedroom's furniture seen from above at a slant: bed, shelves, desk, wardrobe, toys, plants and rugs.
#include "pictures/rooms/room_furniture.h"

#include <algorithm>
#include <cmath>

namespace {

const Rgb kOak{196, 140, 84}, kOakLight{226, 178, 118}, kOakDark{150, 98, 58}, kOakDeep{112, 70, 44};
const Rgb kPaint{236, 230, 216}, kPaintLight{250, 248, 240}, kPaintShade{196, 188, 176}, kPaintDeep{158, 150, 144};
const Rgb kSheet{240, 236, 228}, kSheetShade{204, 200, 204};

// Wood grain streaks over the pixels of colour base inside the box.
void Grain(Canvas& c, Box b, Rgb base, Rgb dark, int seed) {
    for (int y = b.y; y < b.Bottom(); ++y)
        for (int x = b.x; x < b.Right(); ++x)
            if (c.Get(x, y) == base && Hash(x / 9 + seed, y * 5 + seed) % 7 == 0) c.Set(x, y, Mix(base, dark, 0.4f));
}

// A small knob: lit pixel over a dark one.
void Knob(Canvas& c, int x, int y, Rgb light, Rgb dark) {
    c.Set(x, y, light);
    c.Set(x + 1, y, light);
    c.Set(x, y + 1, dark);
    c.Set(x + 1, y + 1, dark);
}

}  // namespace

void DrawBed(Canvas& room, Box f, int rise, int style) {
    const int top = f.y - rise;
    // Headboard against the wall, with two posts.
    Canvas head = RoomLayer();
    head.FillRoundRect(f.x, top + 4, f.w, rise + 8, 4, kOak);
    head.FillRect(f.x + 5, top + 9, f.w - 10, rise - 6, kOakLight);
    head.FillRect(f.x + 6, top + 10, f.w - 12, rise - 8, kOak);
    Grain(head, {f.x, top, f.w, rise + 12}, kOak, kOakDark, 3);
    for (int px : {f.x, f.x + f.w - 6}) {
        head.FillRect(px, top, 6, rise + 12, kOakDark);
        head.VLine(px + 1, top + 1, top + rise + 10, kOak);
        head.FillRect(px, top, 6, 3, kOakLight);
    }
    head.HLine(f.x + 6, f.x + f.w - 7, top + 4, kOakLight);
    StampPart(room, head);
    // Frame: the mattress platform with its foot board facing the room.
    Canvas frame = RoomLayer();
    Block(frame, {f.x + 1, f.y + 6, f.w - 2, f.h - 6}, f.h - 18, kOakDark, kOak, kOak, kOakDark);
    frame.FillRect(f.x + 4, f.Bottom() - 10, f.w - 8, 6, kOakLight);
    frame.FillRect(f.x + 5, f.Bottom() - 9, f.w - 10, 4, kOak);
    Grain(frame, {f.x, f.Bottom() - 12, f.w, 12}, kOak, kOakDark, 5);
    StampPart(room, frame);
    // Sheet and pillow.
    Canvas sheet = RoomLayer();
    sheet.FillRect(f.x + 4, f.y + 6, f.w - 8, f.h - 24, kSheet);
    sheet.VLine(f.Right() - 6, f.y + 7, f.Bottom() - 19, kSheetShade);
    StampPart(room, sheet);
    Canvas pillow = RoomLayer();
    pillow.FillRoundRect(f.x + 10, f.y + 9, f.w - 20, 20, 4, pal::kWhite);
    pillow.HLine(f.x + 12, f.Right() - 13, f.y + 26, kSheetShade);
    pillow.HLine(f.x + 13, f.Right() - 14, f.y + 27, kSheetShade);
    pillow.Line(f.x + 16, f.y + 14, f.x + 22, f.y + 18, kSheetShade);
    pillow.Line(f.Right() - 17, f.y + 14, f.Right() - 23, f.y + 19, kSheetShade);
    StampPart(room, pillow);
    // A teddy on the pillow.
    Canvas teddy = RoomLayer();
    const Rgb fur{176, 118, 70}, furLight{210, 156, 100};
    const int tx = f.x + 20, ty = f.y + 20;
    teddy.FillCircle(tx - 4.5f, ty - 5.5f, 2.6f, fur);
    teddy.FillCircle(tx + 5.5f, ty - 5.5f, 2.6f, fur);
    teddy.FillEllipse(tx + 0.5f, ty + 0.5f, 6, 5.5f, fur);
    teddy.FillEllipse(tx + 0.5f, ty + 2.5f, 3, 2.2f, furLight);
    teddy.Set(tx - 2, ty - 1, pal::kInk);
    teddy.Set(tx + 3, ty - 1, pal::kInk);
    teddy.Set(tx, ty + 1, pal::kInk);
    teddy.Set(tx + 1, ty + 1, pal::kInk);
    StampPart(room, teddy);
    // Duvet, folded back under the pillow and hanging over the foot of the bed.
    const Rgb cover = style == 0 ? Rgb{70, 112, 192} : Rgb{196, 84, 88};
    const Rgb coverLight = Mix(cover, pal::kWhite, 0.3f), coverDark = Mix(cover, pal::kInk, 0.35f);
    Canvas duvet = RoomLayer();
    const Box d{f.x + 2, f.y + 40, f.w - 4, f.h - 48};
    duvet.FillRect(d.x, d.y, d.w, d.h, cover);
    duvet.FillRect(d.x, d.y, d.w, 7, kSheet);
    duvet.HLine(d.x, d.Right() - 1, d.y + 5, kSheetShade);
    duvet.HLine(d.x, d.Right() - 1, d.y + 6, kSheetShade);
    for (int y = d.y + 7; y < d.Bottom(); ++y) {
        for (int x = d.x; x < d.Right(); ++x) {
            // Little pale stars in a staggered grid.
            const int gx = (x - d.x + ((y - d.y) / 14 % 2) * 9) % 18, gy = (y - d.y) % 14;
            if ((gx == 9 && (gy >= 6 && gy <= 8)) || (gy == 7 && (gx == 8 || gx == 10)))
                duvet.Set(x, y, Rgb{246, 222, 130});
        }
    }
    // Folds and the shaded right side; the part hanging over the edge is darker.
    duvet.Recolour(d.Right() - 4, d.y + 7, 4, d.h, cover, coverDark);
    duvet.Line(d.x + 10, d.y + 20, d.x + 24, d.y + 44, coverDark);
    duvet.Line(d.x + 11, d.y + 20, d.x + 25, d.y + 44, coverLight);
    duvet.Line(d.Right() - 20, d.y + 30, d.Right() - 30, d.y + 58, coverDark);
    duvet.Recolour(d.x, d.Bottom() - 8, d.w, 8, cover, coverDark);
    duvet.HLine(d.x, d.Right() - 1, d.Bottom() - 9, coverLight);
    StampPart(room, duvet);
}

void DrawNightstand(Canvas& room, Box f, int rise, int style) {
    (void)style;
    Canvas stand = RoomLayer();
    const Box b{f.x, f.y - 14, f.w, f.h + 14};
    Block(stand, b, 16, kOak, kOakLight, kOakDark, kOakDeep);
    Grain(stand, {b.x, b.y, b.w, 16}, kOak, kOakDark, 7);
    stand.FrameRect(b.x + 3, b.y + 19, b.w - 6, 10, kOakDeep);
    Knob(stand, b.x + b.w / 2 - 1, b.y + 23, kOakLight, kOakDeep);
    StampPart(room, stand);
    // A book lying on top.
    Canvas book = RoomLayer();
    book.FillRect(f.Right() - 16, b.y + 5, 12, 8, {60, 150, 110});
    book.HLine(f.Right() - 16, f.Right() - 5, b.y + 12, pal::kWhite);
    StampPart(room, book);
    // The lamp and its glow on the wall.
    const int cx = f.x + 12, baseY = b.y + 10;
    const int shadeTop = f.y - rise;
    TintEllipse(room, {cx - 22, shadeTop - 12, 44, 40}, {255, 230, 160}, 0.18f);
    Canvas lamp = RoomLayer();
    lamp.FillEllipse(cx + 0.5f, baseY + 0.5f, 5, 2.5f, {220, 200, 170});
    lamp.FillRect(cx, shadeTop + 12, 2, baseY - shadeTop - 12, {180, 160, 130});
    lamp.FillPolygon({{cx - 5.0f, static_cast<float>(shadeTop)},
                      {cx + 7.0f, static_cast<float>(shadeTop)},
                      {cx + 10.0f, shadeTop + 13.0f},
                      {cx - 8.0f, shadeTop + 13.0f}},
                     {252, 222, 140});
    lamp.HLine(cx - 7, cx + 8, shadeTop + 12, {236, 170, 90});
    lamp.VLine(cx + 6, shadeTop + 2, shadeTop + 11, {236, 190, 110});
    StampPart(room, lamp);
}

void DrawBookshelf(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas shelf = RoomLayer();
    Block(shelf, b, 6, kPaint, kPaintLight, kPaint, kPaintShade);
    const Rgb back{98, 84, 96};
    const int innerX = b.x + 4, innerW = b.w - 8;
    const int first = b.y + 9, plinth = b.Bottom() - 6;
    shelf.FillRect(innerX, first, innerW, plinth - first, back);
    const int shelves = 4;
    const int pitch = (plinth - first) / shelves;
    const Rgb bookColours[] = {{196, 70, 60},  {64, 120, 184}, {236, 190, 70}, {80, 160, 110},
                               {150, 90, 160}, {230, 130, 60}, {60, 70, 110},  {220, 220, 200}};
    for (int s = 0; s < shelves; ++s) {
        const int floorY = first + (s + 1) * pitch - 3;
        shelf.FillRect(b.x + 1, floorY, b.w - 2, 3, kPaint);
        shelf.HLine(b.x + 1, b.Right() - 2, floorY, kPaintLight);
        shelf.HLine(b.x + 1, b.Right() - 2, floorY + 2, kPaintShade);
        shelf.HLine(innerX, innerX + innerW - 1, floorY - 1, Mix(back, pal::kInk, 0.4f));
        // Books standing on this shelf, with one gap for an ornament.
        int x = innerX + 1;
        int k = 0;
        while (x < innerX + innerW - 3) {
            const std::uint32_t h = Hash(s * 31 + k, 11);
            if (k == 3 + s % 2 && s != 1) {
                // Ornament: a globe, a trophy, or a little plant.
                const Rgb orn = s == 0 ? Rgb{90, 170, 210} : (s == 2 ? Rgb{240, 196, 70} : Rgb{90, 160, 80});
                shelf.FillCircle(x + 4.0f, floorY - 6.0f, 3.5f, orn);
                shelf.Set(x + 3, floorY - 8, pal::kWhite);
                shelf.FillRect(x + 2, floorY - 2, 5, 2, s == 2 ? Rgb{196, 150, 50} : kOakDark);
                x += 10;
                ++k;
                continue;
            }
            const int bw = 3 + static_cast<int>(h % 3);
            const int bh = pitch - 9 + static_cast<int>((h >> 4) % 5);
            const Rgb col = bookColours[(h >> 8) % 8];
            if (x + bw > innerX + innerW - 1) break;
            shelf.FillRect(x, floorY - bh, bw, bh, col);
            shelf.VLine(x, floorY - bh, floorY - 1, Mix(col, pal::kWhite, 0.35f));
            shelf.VLine(x + bw - 1, floorY - bh, floorY - 1, Mix(col, pal::kInk, 0.35f));
            shelf.HLine(x, x + bw - 1, floorY - bh + 3, Mix(col, pal::kLaneYellow, 0.5f));
            x += bw + ((h >> 12) % 4 == 0 ? 1 : 0);
            ++k;
        }
    }
    shelf.FillRect(b.x, plinth, b.w, 6, kPaintShade);
    shelf.HLine(b.x, b.Right() - 1, plinth, kPaint);
    StampPart(room, shelf);
}

void DrawDesk(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Box b{f.x, f.y - 10, f.w, f.h + 10};
    const int topDepth = 26;
    Canvas desk = RoomLayer();
    Block(desk, b, topDepth, kOak, kOakLight, kOakDark, kOakDeep);
    Grain(desk, {b.x, b.y, b.w, topDepth}, kOak, kOakDark, 13);
    // Knee hole on the left, drawers on the right.
    const int fy = b.y + topDepth + 1;
    desk.FillRect(b.x + 6, fy, b.w - 46, b.Bottom() - fy, {70, 46, 40});
    desk.FillRect(b.x + 6, fy, b.w - 46, 3, kOakDeep);
    for (int d = 0; d < 2; ++d) {
        const int dy = fy + 1 + d * 11;
        desk.FrameRect(b.Right() - 36, dy, 32, 10, kOakDeep);
        desk.HLine(b.Right() - 35, b.Right() - 6, dy + 1, kOakLight);
        Knob(desk, b.Right() - 21, dy + 4, kOakLight, kOakDeep);
    }
    StampPart(room, desk);
    // Monitor at the back, rising up the wall.
    const int mx = f.x + 34, mw = 44, mh = 30;
    const int my = f.y - rise;
    Canvas mon = RoomLayer();
    mon.FillRect(mx + mw / 2 - 3, my + mh, 6, b.y + 8 - (my + mh), {70, 72, 84});
    mon.FillEllipse(mx + mw / 2.0f, b.y + 9.5f, 9, 2.5f, {70, 72, 84});
    mon.FillRoundRect(mx, my, mw, mh, 1, {52, 54, 66});
    // On the screen: a little street with a kid riding along.
    const Box scr{mx + 3, my + 3, mw - 6, mh - 7};
    mon.VGradient(scr.x, scr.y, scr.w, scr.h, {{86, 150, 222}, {176, 220, 244}});
    mon.FillRect(scr.x, scr.Bottom() - 6, scr.w, 6, {74, 76, 88});
    mon.HLine(scr.x, scr.Right() - 1, scr.Bottom() - 7, {104, 170, 74});
    for (int x = scr.x + 2; x < scr.Right(); x += 6) mon.HLine(x, x + 2, scr.Bottom() - 3, pal::kLaneWhite);
    mon.FillRect(scr.x + 6, scr.Bottom() - 16, 8, 9, {178, 78, 58});
    mon.FillRect(scr.x + 22, scr.Bottom() - 13, 9, 6, {238, 204, 104});
    mon.Set(scr.x + 16, scr.Bottom() - 10, pal::kCap);
    mon.Set(scr.x + 16, scr.Bottom() - 9, pal::kShirt);
    mon.Set(scr.x + 16, scr.Bottom() - 8, pal::kJeans);
    mon.HLine(scr.x + 15, scr.x + 17, scr.Bottom() - 7, pal::kDeck);
    mon.Set(mx + mw - 4, my + mh - 3, {120, 230, 120});  // power light
    StampPart(room, mon);
    // Keyboard, mug, pencil pot, and a pile of books.
    Canvas things = RoomLayer();
    things.FillRect(mx + 7, b.y + 13, 30, 7, {206, 208, 214});
    for (int r = 0; r < 2; ++r)
        for (int x = mx + 9; x < mx + 35; x += 2) things.Set(x, b.y + 15 + r * 2, {150, 154, 166});
    things.FillRect(f.x + 8, b.y + 8, 8, 9, {214, 80, 70});
    things.FillEllipse(f.x + 12.0f, b.y + 8.5f, 4, 1.5f, {110, 60, 40});
    things.Set(f.x + 16, b.y + 11, {214, 80, 70});
    things.Set(f.x + 17, b.y + 12, {214, 80, 70});
    things.Set(f.x + 16, b.y + 13, {214, 80, 70});
    things.FillRect(f.Right() - 20, b.y + 2, 10, 12, {64, 120, 184});
    things.FillRect(f.Right() - 22, b.y + 6, 14, 4, {236, 190, 70});
    things.FillRect(f.Right() - 21, b.y + 10, 12, 4, {80, 160, 110});
    things.FillRect(f.Right() - 34, b.y + 4, 7, 9, {150, 90, 160});
    for (int k = 0; k < 3; ++k)
        things.VLine(f.Right() - 33 + k * 2, b.y - 2 + k, b.y + 3, k == 1 ? pal::kCap : pal::kLaneYellow);
    StampPart(room, things);
}

void DrawDeskChair(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Rgb seat{198, 62, 60}, seatLight{230, 104, 90}, seatDark{140, 40, 44};
    const Rgb metal{70, 72, 84}, metalLight{120, 124, 140};
    const int cx = f.x + f.w / 2;
    Canvas base = RoomLayer();
    // Five-legged base with castors, seen from behind.
    base.FillRect(cx - 1, f.Bottom() - 14, 3, 8, metal);
    base.ThickLine(cx, f.Bottom() - 6.0f, f.x + 2.0f, f.Bottom() - 3.0f, 1.0f, metal);
    base.ThickLine(cx, f.Bottom() - 6.0f, f.Right() - 2.0f, f.Bottom() - 3.0f, 1.0f, metal);
    base.ThickLine(cx, f.Bottom() - 6.0f, cx, f.Bottom() - 2.0f, 1.0f, metal);
    for (int x : {f.x + 1, cx - 1, f.Right() - 4}) base.FillRect(x, f.Bottom() - 3, 3, 3, {40, 40, 50});
    StampPart(room, base);
    Canvas seatPart = RoomLayer();
    seatPart.FillRoundRect(f.x + 2, f.y + 2, f.w - 4, 14, 4, seatDark);
    seatPart.FillRoundRect(f.x + 3, f.y + 2, f.w - 6, 10, 3, seat);
    StampPart(room, seatPart);
    Canvas back = RoomLayer();
    back.FillRoundRect(f.x + 4, f.y - rise, f.w - 8, rise + 14, 5, seat);
    back.FillRect(f.x + 7, f.y - rise + 3, f.w - 14, 2, seatLight);
    back.VLine(f.x + 6, f.y - rise + 4, f.y + 8, seatLight);
    back.VLine(f.Right() - 6, f.y - rise + 4, f.y + 10, seatDark);
    back.HLine(f.x + 7, f.Right() - 8, f.y + 12, seatDark);
    back.FillRect(cx - 3, f.y - rise + 8, 6, 1, metalLight);
    StampPart(room, back);
}

void DrawWardrobe(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas w = RoomLayer();
    Block(w, b, 8, kPaint, kPaintLight, kPaint, kPaintShade);
    // Cornice and plinth.
    w.FillRect(b.x, b.y + 8, b.w, 3, kPaintShade);
    w.HLine(b.x, b.Right() - 1, b.y + 8, kPaintLight);
    w.FillRect(b.x + 2, b.Bottom() - 5, b.w - 4, 5, kPaintDeep);
    // Two doors, each with a sunk panel and a handle by the middle.
    const int dy0 = b.y + 13, dy1 = b.Bottom() - 7;
    const int mid = b.x + b.w / 2;
    w.VLine(mid, dy0, dy1, kPaintDeep);
    for (int side = 0; side < 2; ++side) {
        const int x0 = side == 0 ? b.x + 5 : mid + 4;
        const int x1 = side == 0 ? mid - 4 : b.Right() - 6;
        w.FrameRect(x0, dy0 + 3, x1 - x0 + 1, dy1 - dy0 - 6, kPaintShade);
        w.HLine(x0 + 1, x1 - 1, dy0 + 4, kPaintLight);
        w.VLine(x0 + 1, dy0 + 4, dy1 - 5, kPaintLight);
        const int hx = side == 0 ? mid - 3 : mid + 2;
        w.FillRect(hx, b.y + b.h / 2 - 6, 2, 10, {190, 160, 90});
        w.VLine(hx, b.y + b.h / 2 - 6, b.y + b.h / 2 + 3, {236, 210, 140});
    }
    // A sticker of a star on one door.
    w.FillPolygon({{mid - 22.0f, b.y + 40.0f}, {mid - 18.0f, b.y + 32.0f}, {mid - 14.0f, b.y + 40.0f}},
                  pal::kLaneYellow);
    w.FillPolygon({{mid - 22.0f, b.y + 35.0f}, {mid - 14.0f, b.y + 35.0f}, {mid - 18.0f, b.y + 43.0f}},
                  pal::kLaneYellow);
    w.Recolour(b.Right() - 4, b.y + 12, 3, b.h - 18, kPaint, kPaintShade);
    StampPart(room, w);
    // A shoebox on top.
    Canvas box = RoomLayer();
    box.FillRect(b.x + 10, b.y - 6, 24, 10, {120, 170, 200});
    box.FillRect(b.x + 10, b.y - 6, 24, 4, {150, 196, 222});
    StampPart(room, box);
}

void DrawToyChest(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Rgb red{204, 70, 58}, redLight{232, 112, 86}, redDark{150, 44, 40};
    // The chest fills the foot but for its right end, where a ball has rolled against it.
    const Box b{f.x, f.y - rise, f.w - 12, f.h + rise};
    Canvas chest = RoomLayer();
    Block(chest, b, rise + 18, red, redLight, redDark, Mix(redDark, pal::kInk, 0.3f));
    // Lid rim and yellow corner bands.
    chest.HLine(b.x, b.Right() - 1, b.y + rise + 16, redDark);
    for (int x : {b.x + 4, b.Right() - 8}) {
        chest.FillRect(x, b.y, 4, b.h - 1, {240, 196, 70});
        chest.VLine(x, b.y, b.Bottom() - 2, {252, 226, 130});
    }
    chest.FillRect(b.x + b.w / 2 - 3, b.y + rise + 15, 6, 6, {240, 196, 70});
    chest.Set(b.x + b.w / 2, b.y + rise + 17, redDark);
    // Painted stars on the lid.
    for (int k = 0; k < 3; ++k) {
        const int sx = b.x + 16 + k * 14, sy = b.y + 8 + (k % 2) * 8;
        chest.HLine(sx - 2, sx + 2, sy, pal::kWhite);
        chest.VLine(sx, sy - 2, sy + 2, pal::kWhite);
    }
    StampPart(room, chest);
    // A ball that rolled against it.
    Canvas ball = RoomLayer();
    const float bx = f.Right() - 6.5f, by = f.Bottom() - 6.5f;
    ball.FillCircle(bx, by, 5.5f, {70, 130, 210});
    ball.FillRect(static_cast<int>(bx) - 5, static_cast<int>(by) - 1, 11, 2, pal::kWhite);
    ball.Set(static_cast<int>(bx) - 2, static_cast<int>(by) - 4, pal::kWhite);
    StampPart(room, ball);
}

void DrawBeanbag(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Rgb bag{232, 128, 64}, light{250, 170, 100}, dark{186, 88, 50}, deep{140, 62, 44};
    Canvas bean = RoomLayer();
    const float cx = f.x + f.w * 0.5f;
    bean.FillEllipse(cx, f.y + f.h * 0.55f, f.w * 0.5f, f.h * 0.45f, dark);
    bean.FillEllipse(cx - 1, f.y + f.h * 0.5f - rise * 0.5f, f.w * 0.46f, f.h * 0.4f + rise * 0.3f, bag);
    bean.FillEllipse(cx + 2, f.y + f.h * 0.5f - 1, f.w * 0.28f, f.h * 0.22f, Mix(bag, dark, 0.5f));
    bean.FillEllipse(cx - f.w * 0.2f, f.y + f.h * 0.3f - rise * 0.4f, f.w * 0.14f, f.h * 0.12f, light);
    for (int x = f.x + 6; x < f.Right() - 6; ++x)
        if (bean.Get(x, f.Bottom() - 3) != kKey) bean.Set(x, f.Bottom() - 3, deep);
    bean.Line(static_cast<int>(cx) - 6, f.y + 8 - rise / 2, static_cast<int>(cx) + 2, f.y + 14, dark);
    StampPart(room, bean);
}

void DrawPlant(Canvas& room, Box f, int rise, int style) {
    const Rgb pot = pal::kTerracotta, potLight = pal::kTerracottaLight, potDark = pal::kTerracottaDark;
    const float cx = f.x + f.w * 0.5f;
    const int potTop = f.y + 4;
    // Leaves behind the pot's rim first, then the pot, then the leaves that hang in front.
    auto leaves = [&](bool front) {
        Canvas l = RoomLayer();
        const int n = style == 1 ? 9 : 7;
        for (int k = 0; k < n; ++k) {
            const float a = -3.14159f * (0.08f + 0.84f * k / (n - 1));
            const bool isFront = k % 3 == 1;
            if (isFront != front) continue;
            const float len = rise * (0.75f + 0.25f * ((k * 5) % 3) / 2.0f) + 6;
            const float ex = cx + std::cos(a) * len * 0.6f, ey = potTop + std::sin(a) * len;
            const Rgb leaf = front ? pal::kLeafLight : (k % 2 ? pal::kLeaf : pal::kLeafDark);
            if (style == 1) {
                // Long arching fronds.
                l.ThickLine(cx, potTop, ex, ey, 1.6f, leaf);
                l.ThickLine(ex, ey, ex + std::cos(a) * 4, ey + 3, 1.2f, leaf);
            } else {
                const float mx = (cx + ex) * 0.5f, my = (potTop + ey) * 0.5f;
                l.FillEllipse(mx, my, 5.5f, len * 0.42f + 1, leaf);
                l.ThickLine(cx, static_cast<float>(potTop), ex, ey, 0.6f, Mix(leaf, pal::kLeafPale, 0.5f));
            }
        }
        StampPart(room, l);
    };
    leaves(false);
    Canvas p = RoomLayer();
    p.FillPolygon({{f.x + 3.0f, static_cast<float>(potTop)},
                   {f.Right() - 3.0f, static_cast<float>(potTop)},
                   {f.Right() - 7.0f, f.Bottom() - 1.0f},
                   {f.x + 7.0f, f.Bottom() - 1.0f}},
                  pot);
    p.FillRect(f.x + 1, potTop - 2, f.w - 2, 5, potLight);
    p.HLine(f.x + 2, f.Right() - 3, potTop + 3, potDark);
    p.FillEllipse(cx, potTop - 0.5f, f.w * 0.5f - 4, 1.6f, {86, 58, 40});
    p.Recolour(static_cast<int>(cx) + 4, potTop + 4, f.w, f.h, pot, potDark);
    StampPart(room, p);
    leaves(true);
}

void DrawBoard(Canvas& room, Box f, int rise, int style) {
    (void)rise;
    (void)style;
    // The skateboard from the street, lying on the floor: wheels peep out under the deck.
    Canvas b = RoomLayer();
    for (int x : {f.x + 8, f.Right() - 14}) {
        b.FillRect(x, f.y, 6, 3, pal::kWheel);
        b.FillRect(x, f.Bottom() - 3, 6, 3, pal::kWheelShade);
    }
    StampPart(room, b);
    Canvas deck = RoomLayer();
    deck.FillRoundRect(f.x, f.y + 2, f.w, f.h - 4, (f.h - 4) / 2, pal::kDeck);
    deck.FillRoundRect(f.x + 2, f.y + 3, f.w - 4, f.h - 7, (f.h - 7) / 2, pal::kGrip);
    for (int x = f.x + 4; x < f.Right() - 4; ++x)
        if (Hash(x, 7) % 3 == 0)
            deck.Set(x, f.y + 4 + static_cast<int>(Hash(x, 9) % static_cast<std::uint32_t>(f.h - 10)), {84, 82, 94});
    deck.HLine(f.x + 3, f.Right() - 4, f.Bottom() - 3, pal::kDeckDark);
    // Bolts over the trucks.
    for (int x : {f.x + 10, f.Right() - 12}) {
        deck.Set(x, f.y + 5, pal::kSteel);
        deck.Set(x, f.Bottom() - 6, pal::kSteel);
    }
    StampPart(room, deck);
}

void DrawBookPile(Canvas& room, Box f, int rise, int style) {
    (void)style;
    Canvas pile = RoomLayer();
    const Rgb colours[] = {{64, 120, 184}, {236, 190, 70}, {196, 70, 60}, {80, 160, 110}};
    const int n = std::max(1, (rise + 6) / 6);
    for (int k = 0; k < n; ++k) {
        const int shift = (k % 2) ? 2 : -1;
        const Box b{f.x + 2 + shift, f.Bottom() - 6 - k * 6 - f.h + 8, f.w - 4, f.h - 4};
        const Rgb col = colours[k % 4];
        pile.FillRect(b.x, b.y, b.w, b.h - 3, Mix(col, pal::kWhite, 0.2f));
        pile.FillRect(b.x, b.Bottom() - 3, b.w, 3, kSheet);
        pile.VLine(b.x, b.y, b.Bottom() - 1, Mix(col, pal::kInk, 0.3f));
        pile.HLine(b.x, b.Right() - 1, b.Bottom() - 1, Mix(col, pal::kInk, 0.3f));
    }
    StampPart(room, pile);
}

void DrawRug(Canvas& room, Box f, int rise, int style) {
    (void)rise;
    Canvas rug = RoomLayer();
    if (style == 0) {
        // A woven rug: blue border, red field, a diamond in the middle, fringes at the ends.
        const Rgb border{58, 92, 150}, borderLight{96, 134, 196}, field{184, 64, 62}, fieldDark{150, 48, 52};
        const Rgb cream{236, 214, 160};
        rug.FillRect(f.x, f.y, f.w, f.h, border);
        rug.FrameRect(f.x + 3, f.y + 3, f.w - 6, f.h - 6, cream);
        rug.FillRect(f.x + 10, f.y + 10, f.w - 20, f.h - 20, field);
        for (int y = f.y + 10; y < f.Bottom() - 10; ++y)
            for (int x = f.x + 10; x < f.Right() - 10; ++x)
                if (((x + y) % 8 == 0) || ((x - y + 800) % 8 == 0)) rug.Set(x, y, fieldDark);
        rug.FrameRect(f.x + 10, f.y + 10, f.w - 20, f.h - 20, cream);
        // Teeth along the border.
        for (int x = f.x + 8; x < f.Right() - 8; x += 6) {
            rug.Set(x, f.y + 6, borderLight);
            rug.Set(x + 1, f.y + 7, borderLight);
            rug.Set(x, f.Bottom() - 7, borderLight);
            rug.Set(x + 1, f.Bottom() - 8, borderLight);
        }
        const float cx = f.x + f.w * 0.5f, cy = f.y + f.h * 0.5f;
        rug.FillPolygon({{cx, cy - 40}, {cx + 64, cy}, {cx, cy + 40}, {cx - 64, cy}}, cream);
        rug.FillPolygon({{cx, cy - 34}, {cx + 54, cy}, {cx, cy + 34}, {cx - 54, cy}}, border);
        rug.FillPolygon({{cx, cy - 18}, {cx + 28, cy}, {cx, cy + 18}, {cx - 28, cy}}, {240, 180, 70});
        rug.FillPolygon({{cx, cy - 8}, {cx + 12, cy}, {cx, cy + 8}, {cx - 12, cy}}, field);
        for (int y = f.y + 2; y < f.Bottom() - 2; y += 3) {
            rug.HLine(f.x - 5, f.x - 1, y, cream);
            rug.HLine(f.Right(), f.Right() + 4, y, cream);
        }
    } else if (style == 1) {
        // An oval rag rug in rings.
        const Rgb rings[] = {{214, 160, 64},  {236, 222, 186}, {64, 140, 150},
                             {236, 222, 186}, {196, 98, 60},   {236, 222, 186}};
        for (int k = 0; k < 6; ++k) {
            const float inset = k * 9.0f;
            rug.FillEllipse(f.x + f.w * 0.5f, f.y + f.h * 0.5f, f.w * 0.5f - inset, f.h * 0.5f - inset * 0.75f,
                            rings[k]);
        }
        for (int y = f.y; y < f.Bottom(); ++y)
            for (int x = f.x; x < f.Right(); ++x)
                if (rug.Get(x, y) != kKey && (x * 3 + y * 5) % 7 == 0)
                    rug.Set(x, y, Mix(rug.Get(x, y), pal::kInk, 0.15f));
    } else if (style == 3) {
        // A coir doormat with a darker border and a row of diamonds.
        const Rgb coir{190, 150, 96}, coirDark{150, 110, 66};
        rug.FillRect(f.x, f.y, f.w, f.h, coirDark);
        rug.FillRect(f.x + 3, f.y + 3, f.w - 6, f.h - 6, coir);
        for (int y = f.y + 3; y < f.Bottom() - 3; ++y)
            for (int x = f.x + 3; x < f.Right() - 3; ++x)
                if ((x + y * 2) % 5 == 0) rug.Set(x, y, Mix(coir, coirDark, 0.5f));
        const int my = f.y + f.h / 2;
        for (int x = f.x + 9; x < f.Right() - 9; x += 9) {
            rug.FillPolygon(
                {{x + 0.0f, my + 0.5f}, {x + 3.5f, my - 3.0f}, {x + 7.0f, my + 0.5f}, {x + 3.5f, my + 4.0f}}, coirDark);
        }
    } else {
        // A striped kitchen mat.
        for (int y = f.y; y < f.Bottom(); ++y)
            rug.HLine(f.x, f.Right() - 1, y, ((y - f.y) / 4) % 2 ? Rgb{90, 120, 170} : Rgb{222, 226, 214});
    }
    // The rug lies flat: a soft dark line instead of the full outline.
    StampPart(room, rug, Mix(pal::kInk, {120, 90, 80}, 0.4f));
}
