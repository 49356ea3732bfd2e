// Landscape pieces shared by the street tile and the title scene: clouds, hills, skylines, trees.
#include "pictures/scenery/landscape.h"

#include <cmath>

namespace {
constexpr float kTau = 6.2831853f;
}

void Cloud(Canvas& c, int x, int baseY, int w, Rgb light, Rgb shade, Rgb deep) {
    // Lumps along the cloud, the middle one tallest. The whole shape takes the shade tone;
    // the same lumps raised and shrunk give the lit tops, so the shading follows their curves.
    struct Lump {
        float fx, fr;
    };
    const Lump lumps[] = {{0.14f, 0.13f}, {0.32f, 0.2f}, {0.55f, 0.25f}, {0.77f, 0.17f}, {0.9f, 0.1f}};
    auto inside = [&](int i, int j, float grow, float lift) {
        for (const Lump& l : lumps) {
            float r = w * l.fr * grow;
            float cx = x + w * l.fx, cy = baseY - w * l.fr * 0.7f - lift * w * l.fr;
            float dx = i + 0.5f - cx, dy = j + 0.5f - cy;
            if (dx * dx + dy * dy <= r * r) return true;
        }
        return false;
    };
    for (int j = baseY - w / 2; j <= baseY; ++j)
        for (int i = x - w / 4; i <= x + w + w / 4; ++i) {
            if (!inside(i, j, 1.0f, 0.0f)) continue;
            Rgb col = inside(i, j, 0.86f, 0.28f) ? light : shade;
            if (j >= baseY - 1) col = deep;
            c.Set(i, j, col);
        }
}

void Hills(Canvas& c, int baseY, int bottomY, float height, int period, int phase, Rgb fill, Rgb rim) {
    for (int x = 0; x < c.Width(); ++x) {
        float t = (x + phase) * kTau / period;
        float wave = 0.55f * std::sin(t) + 0.3f * std::sin(2 * t + 1.3f) + 0.15f * std::sin(5 * t + 0.4f);
        int top = static_cast<int>(baseY - height * (0.5f + 0.5f * wave));
        c.VLine(x, top, bottomY, fill);
        c.Set(x, top, rim);
    }
}

void Skyline(Canvas& c, int x0, int x1, int baseY, int minH, int maxH, Rgb body, Rgb window, Rgb rim, Rng& rng) {
    int x = x0;
    while (x < x1) {
        int w = rng.Range(14, 30);
        int h = rng.Range(minH, maxH);
        int top = baseY - h;
        c.FillRect(x, top, w, h, body);
        c.HLine(x, x + w - 1, top, rim);
        // Occasional roof details: an antenna or a water tank.
        int detail = rng.Range(0, 5);
        if (detail == 0) c.VLine(x + w / 2, top - 6, top - 1, body);
        if (detail == 1) c.FillRect(x + 3, top - 4, 6, 4, body);
        // Windows in a regular grid, some of them lit.
        for (int wy = top + 4; wy < baseY - 4; wy += 5)
            for (int wx = x + 3; wx < x + w - 3; wx += 4)
                if (rng.Chance(55)) c.Set(wx, wy, window);
        x += w + rng.Range(-4, 3);
    }
}

void Tree(Canvas& c, int cx, int baseY, int r, Rgb leaf, Rgb light, Rgb dark) {
    Canvas t(c.Width(), c.Height());
    const Rgb bark{110, 74, 50};
    t.FillRect(cx - 1, baseY - r - 4, 3, r + 5, bark);
    t.VLine(cx + 1, baseY - r - 4, baseY, Mix(bark, pal::kInk, 0.3f));
    float cy = baseY - r * 1.7f;
    t.FillCircle(cx, cy, r, leaf);
    t.FillCircle(cx - r * 0.6f, cy + r * 0.3f, r * 0.65f, leaf);
    t.FillCircle(cx + r * 0.6f, cy + r * 0.35f, r * 0.6f, leaf);
    for (int j = static_cast<int>(cy - r) - 1; j <= baseY; ++j)
        for (int i = static_cast<int>(cx - r * 1.4f) - 1; i <= static_cast<int>(cx + r * 1.4f) + 1; ++i) {
            if (t.Get(i, j) != leaf) continue;
            float dx = i + 0.5f - cx, dy = j + 0.5f - cy;
            if (dx * 0.5f + dy > r * 0.35f)
                t.Set(i, j, dark);
            else if (dx * 0.6f + dy < -r * 0.45f)
                t.Set(i, j, light);
        }
    StampOutlined(c, t, Mix(dark, pal::kInk, 0.5f));
}

void TreeLine(Canvas& c, int x0, int x1, int baseY, int r, Rgb leaf, Rgb light, Rgb dark, Rng& rng) {
    // Back row of crowns in the dark tone, then a front row lit from above.
    for (int x = x0; x < x1; x += r + rng.Range(0, r / 2)) {
        float rr = r * (0.8f + 0.4f * rng.Unit());
        c.FillCircle(x, baseY - rr * 0.6f, rr, dark);
    }
    for (int x = x0 + r / 2; x < x1; x += r + rng.Range(0, r)) {
        float rr = r * (0.65f + 0.3f * rng.Unit());
        float cy = baseY - rr * 0.3f;
        for (int j = static_cast<int>(cy - rr) - 1; j <= baseY; ++j)
            for (int i = static_cast<int>(x - rr) - 1; i <= static_cast<int>(x + rr) + 1; ++i) {
                float dx = i + 0.5f - x, dy = j + 0.5f - cy;
                if (dx * dx + dy * dy > rr * rr) continue;
                Rgb col = leaf;
                if (dy < -rr * 0.35f && dx < rr * 0.3f) col = light;
                c.Set(i, j, col);
            }
    }
    c.FillRect(x0, baseY, x1 - x0, 1, dark);
}

void Bird(Canvas& c, int x, int y, Rgb colour, bool wingsUp) {
    if (wingsUp) {
        c.Set(x - 2, y - 1, colour);
        c.Set(x - 1, y, colour);
        c.Set(x, y + 1, colour);
        c.Set(x + 1, y, colour);
        c.Set(x + 2, y - 1, colour);
    } else {
        c.Set(x - 2, y + 1, colour);
        c.Set(x - 1, y, colour);
        c.Set(x, y, colour);
        c.Set(x + 1, y, colour);
        c.Set(x + 2, y + 1, colour);
    }
}
