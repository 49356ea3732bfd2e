// A small outlined drawing layer placed in world coordinates, used by the girder level's pictures.
#pragma once

#include "kit/canvas.h"

// A part is drawn on a layer the size of its box (plus a pixel all round for the outline),
// addressed in the big picture's coordinates, then outlined and stamped in one go.
struct SitePart {
    int x, y;
    Canvas layer;
    SitePart(int x0, int y0, int w, int h) : x(x0 - 1), y(y0 - 1), layer(w + 2, h + 2) {}
    void Set(int wx, int wy, Rgb c) { layer.Set(wx - x, wy - y, c); }
    Rgb Get(int wx, int wy) const { return layer.Get(wx - x, wy - y); }
    void Fill(int wx, int wy, int w, int h, Rgb c) { layer.FillRect(wx - x, wy - y, w, h, c); }
    void HLine(int x0, int x1, int wy, Rgb c) { layer.HLine(x0 - x, x1 - x, wy - y, c); }
    void VLine(int wx, int y0, int y1, Rgb c) { layer.VLine(wx - x, y0 - y, y1 - y, c); }
    void Line(int x0, int y0, int x1, int y1, Rgb c) { layer.Line(x0 - x, y0 - y, x1 - x, y1 - y, c); }
    void Ellipse(float cx, float cy, float rx, float ry, Rgb c) { layer.FillEllipse(cx - x, cy - y, rx, ry, c); }
    void Thick(float x0, float y0, float x1, float y1, float r, Rgb c) {
        layer.ThickLine(x0 - x, y0 - y, x1 - x, y1 - y, r, c);
    }
    void StampOn(Canvas& c, Rgb ink = pal::kInk) { StampOutlined(c, layer, ink, x, y); }
};
