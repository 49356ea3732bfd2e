// An RGB drawing surface with the primitives the picture makers use.
#pragma once

#include <string>
#include <vector>

#include "kit/colour.h"

struct Pt {
    float x, y;
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = kKey);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<Rgb>& Pixels() const { return pixels_; }

    // When set, x wraps around the width: whatever is drawn off one side comes in on the
    // other, so a picture made this way tiles seamlessly side by side.
    void SetWrapX(bool wrap) { wrapX_ = wrap; }

    void Set(int x, int y, Rgb c);
    Rgb Get(int x, int y) const;
    bool IsKey(int x, int y) const { return Get(x, y) == kKey; }
    bool Inside(int x, int y) const;

    void Clear(Rgb c);
    void FillRect(int x, int y, int w, int h, Rgb c);
    void FrameRect(int x, int y, int w, int h, Rgb c);
    void HLine(int x0, int x1, int y, Rgb c);
    void VLine(int x, int y0, int y1, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);
    // A line with round ends, radius in pixels (1.0 gives a 2-3 px stroke).
    void ThickLine(float x0, float y0, float x1, float y1, float radius, Rgb c);
    void FillEllipse(float cx, float cy, float rx, float ry, Rgb c);
    void FillCircle(float cx, float cy, float r, Rgb c) { FillEllipse(cx, cy, r, r, c); }
    // Pixel centres inside the polygon are filled (even-odd rule).
    void FillPolygon(const std::vector<Pt>& points, Rgb c);
    // A rectangle with its four corner pixels (radius 1) or corner arcs left out.
    void FillRoundRect(int x, int y, int w, int h, int radius, Rgb c);

    // Ordered (4x4 Bayer) mix of a and b: t = 0 all a, t = 1 all b.
    void DitherRect(int x, int y, int w, int h, Rgb a, Rgb b, float t);
    // Vertical gradient through the given colours, stepping between neighbouring stops
    // with ordered dithering so it keeps a small palette.
    void VGradient(int x, int y, int w, int h, const std::vector<Rgb>& stops);

    // Copies a w x h region of src at (sx, sy) to (dx, dy); with keyed set, key pixels of
    // the source are skipped. scale > 1 enlarges each source pixel to a square.
    void Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, bool keyed, int scale = 1);
    void BlitAll(const Canvas& src, int dx, int dy, bool keyed = true, int scale = 1) {
        Blit(src, 0, 0, src.Width(), src.Height(), dx, dy, keyed, scale);
    }
    Canvas Mirrored() const;

    // For layers on a key background: every key pixel that touches art on one of its four
    // sides becomes c. Gives the one-pixel outline of pixel art.
    void Outline(Rgb c);
    // Draws the ASCII picture rows at (x, y); each character picks a colour from the map
    // given as pairs "c" -> colour, '.' and ' ' stay untouched.
    void DrawArt(int x, int y, const std::vector<std::string>& rows, const std::vector<std::pair<char, Rgb>>& colours,
                 bool mirror = false);
    // Replaces every pixel of colour from (inside the rect) by to.
    void Recolour(int x, int y, int w, int h, Rgb from, Rgb to);

private:
    int width_, height_;
    bool wrapX_ = false;
    std::vector<Rgb> pixels_;
};

// Threshold of the 4x4 ordered-dither matrix at a pixel, in (0, 1).
float BayerThreshold(int x, int y);

// Gives part its outline and draws it over dst at (dx, dy): parts stamped back to front keep
// a dark line between them, as hand-drawn pixel art does.
void StampOutlined(Canvas& dst, Canvas part, Rgb outline, int dx = 0, int dy = 0);

// A sprite sheet: the frames laid out row by row in cells the size of the first frame, each
// behind 1-pixel grid lines on a key background. width may be more than the grid needs, to
// keep every 24-bit row a multiple of four bytes.
Canvas FrameSheet(const std::vector<std::vector<Canvas>>& rows, int width);
