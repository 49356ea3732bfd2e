// Things on the rooms' walls: windows with a view, a poster, a clock, a pinboard, cupboards, tiles, pictures.
#include "pictures/rooms/room_furniture.h"

#include <cmath>

void DrawWindow(Canvas& room, Box a, int style) {
    const Rgb frame = pal::kWhite, frameShade{206, 206, 214};
    // Deep reveal in the wall first, then frame, glass and the garden outside.
    Canvas win = RoomLayer();
    win.FillRect(a.x, a.y, a.w, a.h, frame);
    const Box g{a.x + 3, a.y + 3, a.w - 6, a.h - 8};
    win.VGradient(g.x, g.y, g.w, g.h, {pal::kSkyTop, pal::kSkyMid, pal::kSkyLow});
    // A cloud and a tree top outside.
    win.FillEllipse(g.x + g.w * 0.3f, g.y + 7.0f, 7, 3, pal::kCloud);
    win.FillEllipse(g.x + g.w * 0.3f + 6, g.y + 6.0f, 5, 3, pal::kCloud);
    win.FillEllipse(g.Right() - 9.0f, g.Bottom() - 3.0f, 12, 9, pal::kLeaf);
    win.FillEllipse(g.Right() - 12.0f, g.Bottom() - 6.0f, 6, 4, pal::kLeafLight);
    win.FillRect(g.x, g.Bottom() - 3, g.w, 3, pal::kHillMid);
    win.Recolour(g.x, g.Bottom() - 3, g.w, 3, pal::kHillMid, pal::kHillMid);
    // Glazing bars and the light's sheen on the glass.
    win.FillRect(a.x + a.w / 2 - 1, g.y, 3, g.h, frame);
    win.VLine(a.x + a.w / 2 + 1, g.y, g.Bottom() - 1, frameShade);
    win.FillRect(g.x, g.y + g.h / 2 - 1, g.w, 2, frame);
    for (int k = 0; k < 6; ++k) {
        win.Set(g.x + 3 + k, g.y + 8 - k, pal::kGlassLight);
        win.Set(a.x + a.w / 2 + 5 + k, g.y + g.h / 2 + 8 - k, pal::kGlassLight);
    }
    // Sill.
    win.FillRect(a.x - 3, a.Bottom() - 5, a.w + 6, 5, frame);
    win.HLine(a.x - 3, a.Right() + 2, a.Bottom() - 1, frameShade);
    StampPart(room, win);
    if (style == 0) {
        // Curtains gathered at both sides, with folds.
        const Rgb cloth{236, 190, 70}, fold{206, 150, 50}, lit{250, 220, 120};
        for (int side = 0; side < 2; ++side) {
            Canvas cur = RoomLayer();
            const int cx = side == 0 ? a.x - 8 : a.Right() - 6;
            cur.FillPolygon({{cx - 1.0f, a.y - 6.0f},
                             {cx + 15.0f, a.y - 6.0f},
                             {cx + 12.0f, a.Bottom() + 4.0f},
                             {cx + 2.0f, a.Bottom() + 4.0f}},
                            cloth);
            for (int k = 0; k < 3; ++k) cur.VLine(cx + 3 + k * 4, a.y - 4, a.Bottom() + 2, k == 1 ? lit : fold);
            StampPart(room, cur);
        }
        Canvas rod = RoomLayer();
        rod.FillRect(a.x - 12, a.y - 8, a.w + 24, 2, {150, 98, 58});
        rod.FillCircle(a.x - 12.0f, a.y - 7.0f, 2, {196, 140, 84});
        rod.FillCircle(a.Right() + 12.0f, a.y - 7.0f, 2, {196, 140, 84});
        StampPart(room, rod);
    } else {
        // A little herb pot on the kitchen sill.
        Canvas pot = RoomLayer();
        pot.FillRect(a.x + 8, a.Bottom() - 11, 8, 6, pal::kTerracotta);
        pot.FillEllipse(a.x + 12.0f, a.Bottom() - 14.0f, 6, 4, pal::kLeaf);
        pot.Set(a.x + 10, a.Bottom() - 16, pal::kLeafPale);
        StampPart(room, pot);
    }
}

void DrawPoster(Canvas& room, Box a, int style) {
    (void)style;
    Canvas p = RoomLayer();
    p.FillRect(a.x, a.y, a.w, a.h, {40, 44, 90});
    p.VGradient(a.x + 2, a.y + 2, a.w - 4, a.h - 4, {{44, 42, 96}, {92, 60, 124}, {236, 138, 92}});
    // A board flying over a ramp under a big sun.
    p.FillCircle(a.x + a.w * 0.5f, a.y + a.h * 0.45f, a.w * 0.22f, {252, 196, 112});
    p.FillPolygon(
        {{a.x + 2.0f, a.Bottom() - 2.0f}, {a.x + a.w * 0.55f, a.Bottom() - 2.0f}, {a.x + 2.0f, a.y + a.h * 0.6f}},
        {40, 36, 60});
    p.ThickLine(a.x + a.w * 0.35f, a.y + a.h * 0.3f, a.x + a.w * 0.75f, a.y + a.h * 0.22f, 1.2f, pal::kDeck);
    p.Set(a.x + a.w * 35 / 100 + 3, a.y + a.h * 3 / 10 + 2, pal::kWheel);
    p.Set(a.x + a.w * 75 / 100 - 3, a.y + a.h * 22 / 100 + 2, pal::kWheel);
    for (int x = a.x + 3; x < a.Right() - 3; x += 3) p.Set(x, a.y + 3, pal::kWhite);
    StampPart(room, p);
    // Pins.
    room.Set(a.x + 2, a.y + 1, pal::kCap);
    room.Set(a.Right() - 3, a.y + 1, pal::kCap);
}

void DrawClock(Canvas& room, Box a, int style) {
    (void)style;
    const float cx = a.x + a.w * 0.5f, cy = a.y + a.h * 0.5f, r = a.w * 0.5f;
    Canvas c = RoomLayer();
    c.FillCircle(cx, cy, r, {196, 70, 60});
    c.FillCircle(cx, cy, r - 2, pal::kWhite);
    for (int k = 0; k < 12; ++k) {
        const float ang = k * 3.14159f / 6;
        c.Set(static_cast<int>(cx + std::cos(ang) * (r - 3.5f)), static_cast<int>(cy + std::sin(ang) * (r - 3.5f)),
              pal::kInkSoft);
    }
    c.ThickLine(cx, cy, cx, cy - r + 4, 0.6f, pal::kInk);
    c.ThickLine(cx, cy, cx + r * 0.4f, cy + 1, 0.7f, pal::kInk);
    c.Set(static_cast<int>(cx) - 3, static_cast<int>(cy) - 3, {230, 236, 240});
    StampPart(room, c);
}

void DrawPinboard(Canvas& room, Box a, int style) {
    (void)style;
    Canvas p = RoomLayer();
    p.FillRect(a.x, a.y, a.w, a.h, {196, 140, 84});
    p.FillRect(a.x + 2, a.y + 2, a.w - 4, a.h - 4, {206, 164, 116});
    for (int y = a.y + 2; y < a.Bottom() - 2; ++y)
        for (int x = a.x + 2; x < a.Right() - 2; ++x)
            if (Hash(x, y) % 5 == 0) p.Set(x, y, {186, 142, 96});
    const Rgb notes[] = {{252, 236, 130}, {140, 210, 236}, {250, 180, 190}, pal::kWhite};
    for (int k = 0; k < 4; ++k) {
        const int nx = a.x + 4 + (k % 2) * (a.w / 2 - 2), ny = a.y + 4 + (k / 2) * (a.h / 2 - 3);
        p.FillRect(nx, ny, a.w / 2 - 6, a.h / 2 - 6, notes[k]);
        for (int y = ny + 3; y < ny + a.h / 2 - 7; y += 2)
            p.HLine(nx + 1, nx + a.w / 2 - 9, y, Mix(notes[k], pal::kInk, 0.35f));
        p.Set(nx + (a.w / 2 - 6) / 2, ny, k % 2 ? pal::kCap : pal::kGlassDark);
    }
    StampPart(room, p);
}

void DrawWallCupboards(Canvas& room, Box a, int style) {
    (void)style;
    const Rgb sage{132, 168, 140}, light{164, 196, 166}, dark{96, 130, 108}, deep{70, 98, 84};
    // Shadow the cupboards throw on the tiles below.
    Tint(room, {a.x + 2, a.Bottom(), a.w, 4}, {46, 30, 52}, 0.25f);
    Canvas c = RoomLayer();
    Block(c, a, 5, light, pal::kWhite, sage, deep);
    const int n = a.w / 30;
    const int w = a.w / n;
    for (int k = 0; k < n; ++k) {
        const int dx = a.x + k * w;
        c.FrameRect(dx + 2, a.y + 7, w - 3, a.h - 10, dark);
        c.HLine(dx + 3, dx + w - 3, a.y + 8, light);
        c.FillRect(k % 2 ? dx + 5 : dx + w - 7, a.Bottom() - 9, 2, 4, {206, 212, 222});
    }
    StampPart(room, c);
}

void DrawPicture(Canvas& room, Box a, int style) {
    Canvas p = RoomLayer();
    const Rgb frame = style == 0 ? Rgb{196, 150, 50} : Rgb{60, 62, 74};
    p.FillRect(a.x, a.y, a.w, a.h, frame);
    p.HLine(a.x, a.Right() - 1, a.y, Mix(frame, pal::kWhite, 0.4f));
    const Box in{a.x + 3, a.y + 3, a.w - 6, a.h - 6};
    if (style == 0) {
        // Hills under a pale sky.
        p.VGradient(in.x, in.y, in.w, in.h, {pal::kSkyMid, pal::kSkyLow});
        p.FillEllipse(in.x + in.w * 0.3f, in.Bottom() + 2.0f, in.w * 0.5f, in.h * 0.5f, pal::kHillMid);
        p.FillEllipse(in.x + in.w * 0.8f, in.Bottom() + 3.0f, in.w * 0.45f, in.h * 0.45f, pal::kLeaf);
        p.FillCircle(in.Right() - 5.0f, in.y + 4.0f, 2, pal::kWhite);
    } else {
        // A family photo: three round faces.
        p.FillRect(in.x, in.y, in.w, in.h, {236, 226, 200});
        const Rgb shirts[] = {{64, 120, 184}, pal::kShirt, {196, 84, 88}};
        for (int k = 0; k < 3; ++k) {
            const float fx = in.x + in.w * (0.22f + 0.28f * k);
            const float fy = in.y + in.h * (k == 1 ? 0.45f : 0.38f);
            p.FillEllipse(fx, in.Bottom() - 1.0f, 4, 4, shirts[k]);
            p.FillCircle(fx, fy, 3, pal::kSkin);
            p.Set(static_cast<int>(fx), static_cast<int>(fy) - 3, k == 1 ? pal::kCap : pal::kHair);
        }
    }
    StampPart(room, p);
}

void DrawSplashback(Canvas& room, Box a, int style) {
    (void)style;
    // Small glazed tiles behind the worktop, every few one with a blue flower.
    for (int y = a.y; y < a.Bottom(); ++y) {
        for (int x = a.x; x < a.Right(); ++x) {
            const int ix = (x - a.x) % 10, iy = (y - a.y) % 10;
            const int tx = (x - a.x) / 10, ty = (y - a.y) / 10;
            Rgb col{236, 238, 232};
            if (ix == 0 || iy == 0)
                col = {196, 198, 196};
            else if (ix == 1 || iy == 1)
                col = pal::kWhite;
            else if ((tx * 3 + ty * 5) % 7 == 0 && ix >= 4 && ix <= 6 && iy >= 4 && iy <= 6 && (ix == 5 || iy == 5))
                col = {90, 130, 200};
            room.Set(x, y, col);
        }
    }
    room.HLine(a.x, a.Right() - 1, a.y - 1, {196, 198, 196});
}

void DrawShelfOfJars(Canvas& room, Box a, int style) {
    (void)style;
    Canvas s = RoomLayer();
    s.FillRect(a.x, a.Bottom() - 4, a.w, 4, {196, 140, 84});
    s.HLine(a.x, a.Right() - 1, a.Bottom() - 4, {226, 178, 118});
    const Rgb lids[] = {pal::kCap, {64, 120, 184}, {80, 160, 110}, pal::kLaneYellow};
    const Rgb fills[] = {{236, 214, 160}, {140, 90, 60}, {246, 240, 226}, {220, 120, 60}};
    int x = a.x + 3;
    for (int k = 0; x + 9 < a.Right(); ++k) {
        const int h = a.h - 8 - (k % 3) * 3;
        s.FillRect(x, a.Bottom() - 4 - h, 9, h, {214, 228, 236});
        s.FillRect(x + 1, a.Bottom() - 4 - h + 4, 7, h - 5, fills[k % 4]);
        s.FillRect(x, a.Bottom() - 4 - h - 2, 9, 3, lids[k % 4]);
        s.VLine(x + 1, a.Bottom() - h, a.Bottom() - 6, pal::kWhite);
        x += 12;
    }
    StampPart(room, s);
}
