// The kitchen and living room's furniture seen from above at a slant: fridge, counters, table, sofa, dog bed.
#include "pictures/rooms/room_furniture.h"

#include <cmath>

namespace {

const Rgb kSage{132, 168, 140}, kSageLight{164, 196, 166}, kSageDark{96, 130, 108}, kSageDeep{70, 98, 84};
const Rgb kWorktop{222, 214, 196}, kWorktopLight{242, 236, 222}, kWorktopDark{186, 176, 160};
const Rgb kSteelLight{206, 212, 222};
const Rgb kWalnut{150, 96, 60}, kWalnutLight{186, 130, 84}, kWalnutDark{108, 66, 44}, kWalnutDeep{78, 48, 36};

void Knob(Canvas& c, int x, int y) {
    c.Set(x, y, kSteelLight);
    c.Set(x + 1, y, kSteelLight);
    c.Set(x, y + 1, pal::kSteelDark);
    c.Set(x + 1, y + 1, pal::kSteelDark);
}

// Cupboard doors along a front face from x0 to x1, between y0 and y1.
void Doors(Canvas& c, int x0, int x1, int y0, int y1, Rgb light, Rgb dark) {
    const int n = (x1 - x0 + 16) / 32;
    const int w = (x1 - x0) / (n > 0 ? n : 1);
    for (int k = 0; k < n; ++k) {
        const int dx = x0 + k * w;
        c.FrameRect(dx + 2, y0, w - 3, y1 - y0, dark);
        c.HLine(dx + 3, dx + w - 3, y0 + 1, light);
        c.VLine(dx + 3, y0 + 1, y1 - 2, light);
        Knob(c, k % 2 ? dx + 5 : dx + w - 6, y0 + 4);
    }
}

}  // namespace

void DrawFridge(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Rgb body{226, 232, 236}, light{248, 250, 252}, shade{184, 192, 204}, deep{140, 148, 164};
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas fr = RoomLayer();
    Block(fr, b, 10, shade, light, body, deep);
    const int split = b.y + 10 + (b.h - 10) / 3;
    fr.HLine(b.x + 1, b.Right() - 2, split, deep);
    fr.HLine(b.x + 1, b.Right() - 2, split + 1, light);
    fr.Recolour(b.Right() - 5, b.y + 11, 4, b.h - 12, body, shade);
    for (int y : {split - 16, split + 6}) {
        fr.FillRect(b.x + 5, y, 3, 14, kSteelLight);
        fr.VLine(b.x + 7, y, y + 13, pal::kSteelDark);
    }
    fr.FillRect(b.x + 3, b.Bottom() - 7, b.w - 6, 4, {70, 74, 86});
    for (int x = b.x + 4; x < b.Right() - 4; x += 2) fr.Set(x, b.Bottom() - 6, {120, 126, 140});
    // A child's drawing held by a magnet: a house with a sun.
    const Box pic{b.x + 16, split + 10, 20, 16};
    fr.FillRect(pic.x, pic.y, pic.w, pic.h, pal::kWhite);
    fr.FrameRect(pic.x, pic.y, pic.w, pic.h, pal::kCloudShade);
    fr.FillRect(pic.x + 5, pic.y + 8, 8, 6, pal::kBrick);
    fr.FillPolygon({{pic.x + 4.0f, pic.y + 8.5f}, {pic.x + 9.0f, pic.y + 3.5f}, {pic.x + 14.0f, pic.y + 8.5f}},
                   pal::kSlate);
    fr.FillCircle(pic.x + 16.5f, pic.y + 3.5f, 2, pal::kLaneYellow);
    fr.HLine(pic.x + 1, pic.Right() - 2, pic.Bottom() - 2, pal::kLeafLight);
    fr.FillCircle(pic.x + 10.0f, pic.y, 1.6f, pal::kCap);
    fr.FillCircle(b.x + 30.0f, split - 10.0f, 1.6f, {64, 120, 184});
    fr.FillCircle(b.x + 22.0f, split - 6.0f, 1.6f, pal::kLaneYellow);
    StampPart(room, fr);
}

void DrawCounter(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    const int topDepth = rise + 16;
    Canvas counter = RoomLayer();
    Block(counter, b, topDepth, kWorktop, kWorktopLight, kSage, kSageDeep);
    for (int y = b.y + 1; y < b.y + topDepth; ++y)
        for (int x = b.x + 1; x < b.Right(); ++x)
            if (Hash(x, y) % 11 == 0) counter.Set(x, y, kWorktopDark);
    counter.HLine(b.x, b.Right() - 1, b.y + topDepth + 1, kWorktopDark);
    counter.FillRect(b.x + 1, b.Bottom() - 5, b.w - 2, 4, {60, 70, 66});  // toe kick
    const int doorY0 = b.y + topDepth + 3, doorY1 = b.Bottom() - 6;
    // Sections along the run: sink under the window, then the cooker.
    const int sinkX = b.x + 40, sinkW = 48;
    const int cookX = b.x + 112, cookW = 48;
    Doors(counter, b.x, sinkX, doorY0, doorY1, kSageLight, kSageDark);
    Doors(counter, sinkX, sinkX + sinkW, doorY0, doorY1, kSageLight, kSageDark);
    Doors(counter, cookX + cookW, b.Right(), doorY0, doorY1, kSageLight, kSageDark);
    // Oven front: a dark glass door with a warm glow, a handle and knobs.
    counter.FillRect(cookX, doorY0 - 1, cookW, doorY1 - doorY0 + 2, {58, 60, 70});
    counter.FillRect(cookX + 6, doorY0 + 6, cookW - 12, doorY1 - doorY0 - 9, {34, 30, 40});
    counter.HLine(cookX + 7, cookX + cookW - 8, doorY1 - 4, {200, 110, 60});
    counter.HLine(cookX + 9, cookX + cookW - 10, doorY1 - 5, {140, 70, 50});
    counter.HLine(cookX + 4, cookX + cookW - 5, doorY0 + 3, kSteelLight);
    for (int k = 0; k < 4; ++k) counter.Set(cookX + 8 + k * 10, doorY0 + 1, pal::kWhite);
    // Sink: a steel basin set into the worktop, with a tap at the back.
    counter.FillRect(sinkX + 2, b.y + 4, sinkW - 4, topDepth - 8, pal::kSteel);
    counter.FillRect(sinkX + 5, b.y + 8, sinkW - 10, topDepth - 15, pal::kSteelDark);
    counter.HLine(sinkX + 5, sinkX + sinkW - 6, b.Bottom() - 1 - (b.h - topDepth) - 8, kSteelLight);
    counter.Set(sinkX + sinkW / 2, b.y + topDepth / 2 + 2, pal::kInk);
    // Cooktop: black glass with four rings.
    counter.FillRect(cookX + 2, b.y + 3, cookW - 4, topDepth - 6, {46, 46, 56});
    for (int k = 0; k < 4; ++k) {
        const float rx = cookX + 13.0f + (k % 2) * 22, ry = b.y + 10.0f + (k / 2) * 14;
        const Rgb ring = k == 3 ? Rgb{226, 80, 50} : Rgb{90, 92, 104};
        counter.FillEllipse(rx, ry, 8, 5.5f, ring);
        counter.FillEllipse(rx, ry, 5.5f, 3.5f, k == 3 ? Rgb{250, 140, 70} : Rgb{46, 46, 56});
    }
    StampPart(room, counter);
    // The tap.
    Canvas tap = RoomLayer();
    tap.FillRect(sinkX + sinkW / 2 - 1, b.y - 4, 3, 7, kSteelLight);
    tap.FillRect(sinkX + sinkW / 2 - 1, b.y - 4, 3, 2, pal::kWhite);
    tap.FillRect(sinkX + sinkW / 2 + 2, b.y - 4, 5, 2, kSteelLight);
    StampPart(room, tap);
    // A pot on the cooker, a kettle, a chopping board with a carrot, a fruit bowl.
    Canvas pot = RoomLayer();
    const float px = cookX + 13.0f, py = b.y + 7.0f;
    pot.FillRect(static_cast<int>(px) - 8, static_cast<int>(py) - 3, 17, 10, pal::kSteel);
    pot.FillEllipse(px + 0.5f, py - 3, 8.5f, 3, kSteelLight);
    pot.FillEllipse(px + 0.5f, py - 3, 6, 1.8f, {210, 120, 60});
    pot.FillRect(static_cast<int>(px) - 11, static_cast<int>(py) - 1, 3, 2, pal::kSteelDark);
    pot.FillRect(static_cast<int>(px) + 9, static_cast<int>(py) - 1, 3, 2, pal::kSteelDark);
    pot.VLine(static_cast<int>(px) + 6, static_cast<int>(py) - 1, static_cast<int>(py) + 5, pal::kSteelDark);
    StampPart(room, pot);
    Canvas kettle = RoomLayer();
    const int kx = b.Right() - 20, ky = b.y + 6;
    kettle.FillRoundRect(kx, ky, 12, 13, 3, {214, 80, 70});
    kettle.FillRect(kx + 3, ky - 2, 6, 2, {40, 40, 50});
    kettle.FillRect(kx + 12, ky + 3, 3, 2, {214, 80, 70});
    kettle.VLine(kx + 2, ky + 2, ky + 10, {240, 130, 110});
    StampPart(room, kettle);
    Canvas board = RoomLayer();
    const int bx = b.x + 8, by = b.y + 6;
    board.FillRoundRect(bx, by, 24, 15, 2, {206, 160, 104});
    board.HLine(bx + 1, bx + 22, by + 14, {170, 124, 78});
    board.ThickLine(bx + 6.0f, by + 9.0f, bx + 17.0f, by + 6.0f, 1.4f, {240, 130, 50});
    board.Set(bx + 18, by + 5, pal::kLeafLight);
    board.Set(bx + 19, by + 4, pal::kLeafLight);
    StampPart(room, board);
}

void DrawDiningTable(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    const int topDepth = b.h - 12;
    Canvas legs = RoomLayer();
    for (int x : {b.x + 3, b.Right() - 8}) {
        legs.FillRect(x, b.y + topDepth, 5, 12, kWalnutDark);
        legs.VLine(x, b.y + topDepth, b.Bottom() - 1, kWalnut);
    }
    StampPart(room, legs);
    Canvas top = RoomLayer();
    top.FillRect(b.x, b.y, b.w, topDepth, kWalnutLight);
    for (int y = b.y; y < b.y + topDepth; ++y)
        for (int x = b.x; x < b.Right(); ++x) {
            Rgb col = kWalnutLight;
            if ((y - b.y) % 12 == 11)
                col = kWalnut;
            else if (Hash(x / 7, y) % 9 == 0)
                col = Mix(kWalnutLight, kWalnut, 0.6f);
            top.Set(x, y, col);
        }
    top.HLine(b.x, b.Right() - 1, b.y, {214, 164, 110});
    top.FillRect(b.x, b.y + topDepth, b.w, 4, kWalnut);
    top.HLine(b.x, b.Right() - 1, b.y + topDepth + 3, kWalnutDeep);
    // A runner down the middle.
    top.FillRect(b.x + 10, b.y + topDepth / 2 - 9, b.w - 20, 18, {236, 226, 200});
    for (int x = b.x + 12; x < b.Right() - 12; x += 4) top.Set(x, b.y + topDepth / 2 - 7, {196, 98, 60});
    for (int x = b.x + 12; x < b.Right() - 12; x += 4) top.Set(x, b.y + topDepth / 2 + 6, {196, 98, 60});
    StampPart(room, top);
    // Plates and a fruit bowl.
    Canvas plates = RoomLayer();
    for (int k = 0; k < 4; ++k) {
        const float px = b.x + 22.0f + (k % 2) * (b.w - 44), py = b.y + 9.0f + (k / 2) * (topDepth - 18);
        plates.FillEllipse(px, py, 8, 5, pal::kWhite);
        plates.FillEllipse(px, py, 5, 3, {226, 232, 236});
        plates.VLine(static_cast<int>(px) + 11, static_cast<int>(py) - 4, static_cast<int>(py) + 3, pal::kSteel);
    }
    StampPart(room, plates);
    Canvas bowl = RoomLayer();
    const float cx = b.x + b.w * 0.5f, cy = b.y + topDepth * 0.5f;
    bowl.FillEllipse(cx, cy + 1, 13, 7, {64, 120, 184});
    bowl.FillEllipse(cx, cy, 11, 5, {96, 150, 210});
    bowl.FillCircle(cx - 5, cy - 1, 3.5f, {240, 150, 40});
    bowl.FillCircle(cx + 3, cy - 2, 3.5f, {210, 50, 50});
    bowl.FillCircle(cx + 1, cy + 2, 3.2f, {150, 200, 70});
    bowl.Set(static_cast<int>(cx) + 2, static_cast<int>(cy) - 4, pal::kWhite);
    bowl.Set(static_cast<int>(cx) - 6, static_cast<int>(cy) - 3, pal::kWhite);
    StampPart(room, bowl);
}

void DrawChair(Canvas& room, Box f, int rise, int style) {
    const Rgb wood = kWalnutLight, light{214, 164, 110}, dark = kWalnut, deep = kWalnutDark;
    if (style == 0) {
        // Facing down: back rail and spindles above, seat in front.
        Canvas back = RoomLayer();
        back.FillRect(f.x + 2, f.y - rise, f.w - 4, 5, wood);
        back.HLine(f.x + 2, f.Right() - 3, f.y - rise, light);
        for (int x = f.x + 3; x < f.Right() - 3; x += 5) back.FillRect(x, f.y - rise + 5, 2, rise + 4, dark);
        StampPart(room, back);
        Canvas seat = RoomLayer();
        Block(seat, {f.x + 1, f.y + 2, f.w - 2, f.h - 6}, f.h - 11, wood, light, dark, deep);
        seat.FillRect(f.x + 4, f.y + 4, f.w - 8, f.h - 14, {196, 98, 60});
        seat.HLine(f.x + 4, f.Right() - 5, f.y + 4, {222, 132, 84});
        for (int x : {f.x + 2, f.Right() - 5}) seat.FillRect(x, f.Bottom() - 4, 3, 4, deep);
        StampPart(room, seat);
    } else {
        // Facing up, toward the table: the seat shows at the top, the back stands in front.
        Canvas seat = RoomLayer();
        seat.FillRect(f.x + 1, f.y, f.w - 2, f.h - 8, wood);
        seat.FillRect(f.x + 4, f.y + 2, f.w - 8, f.h - 12, {196, 98, 60});
        for (int x : {f.x + 2, f.Right() - 5}) seat.FillRect(x, f.Bottom() - 8, 3, 8, deep);
        StampPart(room, seat);
        Canvas back = RoomLayer();
        const int by = f.Bottom() - 8 - rise;
        back.FillRect(f.x + 1, by, f.w - 2, 5, wood);
        back.HLine(f.x + 1, f.Right() - 2, by, light);
        for (int x = f.x + 3; x < f.Right() - 3; x += 5) back.FillRect(x, by + 5, 2, rise, dark);
        back.FillRect(f.x + 1, by + 5, 2, rise + 3, dark);
        back.FillRect(f.Right() - 3, by + 5, 2, rise + 3, deep);
        StampPart(room, back);
    }
}

void DrawSofa(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Rgb cloth{64, 140, 150}, light{104, 178, 180}, dark{44, 104, 116}, deep{32, 76, 90};
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    const int armW = 16;
    Canvas back = RoomLayer();
    Block(back, {b.x + 6, b.y, b.w - 12, rise + 14}, 7, cloth, light, dark, deep);
    for (int k = 1; k < 3; ++k) back.VLine(b.x + 6 + k * (b.w - 12) / 3, b.y + 8, b.y + rise + 12, deep);
    StampPart(room, back);
    Canvas seat = RoomLayer();
    const int seatY = b.y + rise + 8;
    const int cw = (b.w - 2 * armW) / 3;
    for (int k = 0; k < 3; ++k) {
        const Box c{b.x + armW + k * cw, seatY, cw, b.Bottom() - seatY - 4};
        Block(seat, c, c.h - 12, cloth, light, dark, deep);
        seat.VLine(c.x, c.y, c.Bottom() - 1, deep);
    }
    for (int x : {b.x + 4, b.Right() - 7}) seat.FillRect(x, b.Bottom() - 4, 3, 4, kWalnutDark);
    StampPart(room, seat);
    for (int side = 0; side < 2; ++side) {
        Canvas arm = RoomLayer();
        const int ax = side == 0 ? b.x : b.Right() - armW;
        Block(arm, {ax, b.y + 8, armW, b.h - 12}, b.h - 32, cloth, light, dark, deep);
        arm.FillRoundRect(ax + 2, b.y + 9, armW - 4, 6, 2, light);
        StampPart(room, arm);
    }
    // Two cushions leaning against the back.
    const Rgb cushions[] = {{236, 190, 70}, {222, 110, 90}};
    for (int k = 0; k < 2; ++k) {
        Canvas c = RoomLayer();
        const int cx = k == 0 ? b.x + armW + 6 : b.Right() - armW - 26;
        c.FillRoundRect(cx, b.y + rise - 4, 20, 18, 4, cushions[k]);
        c.HLine(cx + 3, cx + 16, b.y + rise - 3, Mix(cushions[k], pal::kWhite, 0.4f));
        c.HLine(cx + 3, cx + 16, b.y + rise + 12, Mix(cushions[k], pal::kInk, 0.3f));
        c.Set(cx + 10, b.y + rise + 4, Mix(cushions[k], pal::kInk, 0.4f));
        StampPart(room, c);
    }
}

void DrawCoffeeTable(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas t = RoomLayer();
    Block(t, b, b.h - 10, kWalnut, kWalnutLight, kWalnutDark, kWalnutDeep);
    for (int y = b.y + 2; y < b.Bottom() - 10; y += 6)
        t.HLine(b.x + 1, b.Right() - 2, y, Mix(kWalnut, kWalnutDark, 0.5f));
    for (int x : {b.x + 2, b.Right() - 6}) t.FillRect(x, b.Bottom() - 4, 4, 4, kWalnutDeep);
    StampPart(room, t);
    Canvas things = RoomLayer();
    things.FillRect(b.x + 10, b.y + 6, 22, 16, {236, 226, 200});
    things.FillRect(b.x + 12, b.y + 8, 18, 6, {90, 160, 210});
    things.HLine(b.x + 12, b.x + 27, b.y + 17, pal::kStone);
    things.HLine(b.x + 12, b.x + 24, b.y + 19, pal::kStone);
    things.FillRect(b.Right() - 26, b.y + 10, 7, 8, pal::kWhite);
    things.FillEllipse(b.Right() - 22.5f, b.y + 10.5f, 3.5f, 1.5f, {110, 60, 40});
    things.FillRect(b.x + 44, b.y + 14, 14, 5, {54, 56, 66});
    things.Set(b.x + 46, b.y + 15, pal::kCap);
    StampPart(room, things);
}

void DrawArmchair(Canvas& room, Box f, int rise, int style) {
    // Against the right wall, facing left: back on the right, arms above and below.
    const Rgb cloth{214, 160, 64}, light{240, 196, 110}, dark{170, 120, 44}, deep{128, 86, 36};
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas back = RoomLayer();
    Block(back, {b.Right() - 16, b.y, 16, b.h - 4}, b.h - 18, cloth, light, dark, deep);
    StampPart(room, back);
    Canvas topArm = RoomLayer();
    Block(topArm, {b.x, b.y + 4, b.w - 10, 16}, 10, cloth, light, dark, deep);
    StampPart(room, topArm);
    Canvas seat = RoomLayer();
    Block(seat, {b.x + 2, b.y + 16, b.w - 18, b.h - 30}, b.h - 44, cloth, light, dark, deep);
    seat.VLine(b.x + 3, b.y + 18, b.y + b.h - 30, light);
    StampPart(room, seat);
    if (style == 1) {
        // The cat, a grey curl asleep on the cushion.
        const Rgb fur{150, 150, 164}, furLight{196, 196, 206}, furDark{104, 104, 120};
        Canvas cat = RoomLayer();
        const float cx = b.x + (b.w - 16) * 0.5f + 2, cy = b.y + 16 + (b.h - 30) * 0.5f - 2;
        cat.FillEllipse(cx, cy, 10, 7, fur);
        cat.FillEllipse(cx - 1, cy - 2, 6, 4, furLight);
        cat.ThickLine(cx + 8, cy + 3, cx - 4, cy + 6, 1.3f, furDark);
        cat.FillCircle(cx - 7, cy + 2, 4, fur);
        cat.FillPolygon({{cx - 11, cy - 1}, {cx - 10, cy - 5}, {cx - 8, cy - 1}}, furDark);
        cat.FillPolygon({{cx - 7, cy - 1}, {cx - 5, cy - 5}, {cx - 4, cy}}, furDark);
        cat.HLine(static_cast<int>(cx) - 10, static_cast<int>(cx) - 9, static_cast<int>(cy) + 2, pal::kInk);
        cat.HLine(static_cast<int>(cx) - 6, static_cast<int>(cx) - 5, static_cast<int>(cy) + 2, pal::kInk);
        cat.Set(static_cast<int>(cx) - 8, static_cast<int>(cy) + 4, {240, 150, 150});
        StampPart(room, cat);
    }
    Canvas lowArm = RoomLayer();
    Block(lowArm, {b.x, b.Bottom() - 22, b.w - 10, 22}, 10, cloth, light, dark, deep);
    for (int x : {b.x + 3, b.Right() - 16}) lowArm.FillRect(x, b.Bottom() - 3, 3, 3, kWalnutDark);
    StampPart(room, lowArm);
}

void DrawSideboard(Canvas& room, Box f, int rise, int style) {
    (void)style;
    // Against the left wall: we look down on its top and see its end.
    const Box b{f.x, f.y - rise, f.w, f.h + rise};
    Canvas sb = RoomLayer();
    Block(sb, b, b.h - 18, kWalnutLight, {214, 164, 110}, kWalnut, kWalnutDark);
    for (int y = b.y + 4; y < b.Bottom() - 18; y += 8)
        sb.HLine(b.x + 1, b.Right() - 2, y, Mix(kWalnutLight, kWalnut, 0.5f));
    sb.FrameRect(b.x + 3, b.Bottom() - 15, b.w - 6, 10, kWalnutDark);
    sb.FillRect(b.x + b.w / 2 - 2, b.Bottom() - 11, 4, 2, kSteelLight);
    StampPart(room, sb);
    // A radio and a photo on top.
    Canvas radio = RoomLayer();
    radio.FillRoundRect(b.x + 6, b.y + 10, 22, 14, 2, {196, 70, 60});
    radio.FillRect(b.x + 9, b.y + 13, 9, 8, {236, 214, 160});
    for (int y = b.y + 14; y < b.y + 21; y += 2) radio.HLine(b.x + 10, b.x + 16, y, {190, 160, 110});
    radio.FillCircle(b.x + 23.0f, b.y + 17.0f, 2.5f, pal::kCream);
    radio.Line(b.x + 9, b.y + 10, b.x + 6, b.y + 3, pal::kSteelDark);
    StampPart(room, radio);
    Canvas photo = RoomLayer();
    photo.FillRect(b.x + 8, b.y + 36, 18, 14, {236, 190, 70});
    photo.FillRect(b.x + 10, b.y + 38, 14, 10, {126, 186, 236});
    photo.FillRect(b.x + 10, b.y + 44, 14, 4, pal::kLeafLight);
    photo.FillCircle(b.x + 17.0f, b.y + 42.0f, 2, pal::kSkin);
    photo.Set(b.x + 17, b.y + 40, pal::kCap);
    StampPart(room, photo);
}

void DrawFloorLamp(Canvas& room, Box f, int rise, int style) {
    (void)style;
    const float cx = f.x + f.w * 0.5f;
    const int shadeTop = f.y - rise;
    TintEllipse(room, {static_cast<int>(cx) - 18, shadeTop - 8, 36, 32}, {255, 230, 160}, 0.16f);
    Canvas lamp = RoomLayer();
    lamp.FillEllipse(cx, f.y + f.h * 0.5f, f.w * 0.5f, f.h * 0.4f, {60, 60, 70});
    lamp.FillEllipse(cx - 1, f.y + f.h * 0.5f - 1, f.w * 0.3f, f.h * 0.22f, {110, 112, 126});
    lamp.FillRect(static_cast<int>(cx) - 1, shadeTop + 14, 2, f.y + f.h / 2 - shadeTop - 14, {70, 72, 84});
    lamp.FillPolygon({{cx - 7, static_cast<float>(shadeTop)},
                      {cx + 7, static_cast<float>(shadeTop)},
                      {cx + 11, shadeTop + 15.0f},
                      {cx - 11, shadeTop + 15.0f}},
                     {246, 232, 196});
    lamp.HLine(static_cast<int>(cx) - 10, static_cast<int>(cx) + 10, shadeTop + 14, {252, 214, 120});
    lamp.VLine(static_cast<int>(cx) + 6, shadeTop + 2, shadeTop + 13, {214, 196, 160});
    StampPart(room, lamp);
}

void DrawDogBed(Canvas& room, Box f, int rise, int style) {
    (void)rise;
    (void)style;
    // The bed fills the foot but for its right end, where the dog's bone lies.
    Canvas bone = RoomLayer();
    const int bx = f.Right() - 14, by = f.Bottom() - 8;
    bone.FillRect(bx + 2, by, 8, 3, pal::kCream);
    for (int ex : {bx + 1, bx + 10}) {
        bone.FillCircle(ex + 0.5f, by - 0.5f, 1.6f, pal::kCream);
        bone.FillCircle(ex + 0.5f, by + 3.5f, 1.6f, pal::kCream);
    }
    bone.HLine(bx + 2, bx + 9, by + 2, pal::kStone);
    StampPart(room, bone);
    f.w -= 16;
    const float cx = f.x + f.w * 0.5f, cy = f.y + f.h * 0.5f;
    Canvas bed = RoomLayer();
    bed.FillEllipse(cx, cy + 1, f.w * 0.5f, f.h * 0.5f - 1, {150, 60, 70});
    bed.FillEllipse(cx, cy - 1, f.w * 0.5f - 1, f.h * 0.5f - 3, {196, 84, 88});
    bed.FillEllipse(cx, cy + 1, f.w * 0.5f - 7, f.h * 0.5f - 8, {236, 214, 186});
    StampPart(room, bed);
    // A sleepy dog curled up, nose on its tail.
    const Rgb fur{176, 124, 76}, furLight{214, 168, 112}, furDark{128, 84, 52};
    Canvas dog = RoomLayer();
    dog.FillEllipse(cx + 1, cy + 1, f.w * 0.5f - 10, f.h * 0.5f - 9, fur);
    dog.FillEllipse(cx - 1, cy - 1, f.w * 0.5f - 15, f.h * 0.5f - 13, furLight);
    dog.ThickLine(cx + 10, cy + 4, cx - 2, cy + 7, 1.6f, furDark);  // tail
    StampPart(room, dog);
    Canvas head = RoomLayer();
    const float hx = cx - 8, hy = cy + 3;
    head.FillEllipse(hx, hy, 6.5f, 5, fur);
    head.FillEllipse(hx - 5, hy + 2, 3, 2.2f, furLight);
    head.Set(static_cast<int>(hx) - 8, static_cast<int>(hy) + 2, pal::kInk);
    head.HLine(static_cast<int>(hx) - 3, static_cast<int>(hx) - 1, static_cast<int>(hy) - 1, pal::kInk);
    head.FillEllipse(hx + 3, hy - 3, 3, 4, furDark);
    StampPart(room, head);
}
