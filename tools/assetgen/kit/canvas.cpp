// The RGB drawing surface: pixels, shapes, gradients, copies and outlines.
#include "kit/canvas.h"

#include <algorithm>
#include <cmath>

namespace {
const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
}

float BayerThreshold(int x, int y) {
    return (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

bool Canvas::Inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

void Canvas::Set(int x, int y, Rgb c) {
    if (y < 0 || y >= height_) return;
    if (wrapX_) {
        x %= width_;
        if (x < 0) x += width_;
    } else if (x < 0 || x >= width_) {
        return;
    }
    pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

Rgb Canvas::Get(int x, int y) const {
    if (y < 0 || y >= height_) return kKey;
    if (wrapX_) {
        x %= width_;
        if (x < 0) x += width_;
    } else if (x < 0 || x >= width_) {
        return kKey;
    }
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::Clear(Rgb c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::FrameRect(int x, int y, int w, int h, Rgb c) {
    if (w <= 0 || h <= 0) return;
    HLine(x, x + w - 1, y, c);
    HLine(x, x + w - 1, y + h - 1, c);
    VLine(x, y, y + h - 1, c);
    VLine(x + w - 1, y, y + h - 1, c);
}

void Canvas::HLine(int x0, int x1, int y, Rgb c) {
    if (x0 > x1) std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x) Set(x, y, c);
}

void Canvas::VLine(int x, int y0, int y1, Rgb c) {
    if (y0 > y1) std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y) Set(x, y, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::ThickLine(float x0, float y0, float x1, float y1, float radius, Rgb c) {
    int minx = static_cast<int>(std::floor(std::min(x0, x1) - radius - 1));
    int maxx = static_cast<int>(std::ceil(std::max(x0, x1) + radius + 1));
    int miny = static_cast<int>(std::floor(std::min(y0, y1) - radius - 1));
    int maxy = static_cast<int>(std::ceil(std::max(y0, y1) + radius + 1));
    float vx = x1 - x0, vy = y1 - y0;
    float len2 = vx * vx + vy * vy;
    for (int y = miny; y <= maxy; ++y) {
        for (int x = minx; x <= maxx; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0f, 1.0f) : 0.0f;
            float dx = px - t * vx, dy = py - t * vy;
            if (dx * dx + dy * dy <= radius * radius) Set(x, y, c);
        }
    }
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, Rgb c) {
    if (rx <= 0 || ry <= 0) return;
    int minx = static_cast<int>(std::floor(cx - rx)), maxx = static_cast<int>(std::ceil(cx + rx));
    int miny = static_cast<int>(std::floor(cy - ry)), maxy = static_cast<int>(std::ceil(cy + ry));
    for (int y = miny; y <= maxy; ++y) {
        for (int x = minx; x <= maxx; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) Set(x, y, c);
        }
    }
}

void Canvas::FillPolygon(const std::vector<Pt>& points, Rgb c) {
    if (points.size() < 3) return;
    float miny = points[0].y, maxy = points[0].y;
    for (const Pt& p : points) {
        miny = std::min(miny, p.y);
        maxy = std::max(maxy, p.y);
    }
    std::vector<float> xs;
    for (int y = static_cast<int>(std::floor(miny)); y <= static_cast<int>(std::ceil(maxy)); ++y) {
        float sy = y + 0.5f;
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Pt& a = points[i];
            const Pt& b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            int x0 = static_cast<int>(std::ceil(xs[i] - 0.5f));
            int x1 = static_cast<int>(std::floor(xs[i + 1] - 0.5f));
            for (int x = x0; x <= x1; ++x) Set(x, y, c);
        }
    }
}

void Canvas::FillRoundRect(int x, int y, int w, int h, int radius, Rgb c) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            int dx = 0, dy = 0;
            if (i < radius) dx = radius - i;
            if (i >= w - radius) dx = i - (w - radius - 1);
            if (j < radius) dy = radius - j;
            if (j >= h - radius) dy = j - (h - radius - 1);
            if (dx > 0 && dy > 0) {
                float fx = dx - 0.5f, fy = dy - 0.5f;
                if (fx * fx + fy * fy > radius * radius - radius * 0.5f) continue;
            }
            Set(x + i, y + j, c);
        }
    }
}

void Canvas::DitherRect(int x, int y, int w, int h, Rgb a, Rgb b, float t) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, BayerThreshold(i, j) < t ? b : a);
}

void Canvas::VGradient(int x, int y, int w, int h, const std::vector<Rgb>& stops) {
    if (stops.empty() || h <= 0) return;
    if (stops.size() == 1) {
        FillRect(x, y, w, h, stops[0]);
        return;
    }
    const int segments = static_cast<int>(stops.size()) - 1;
    for (int j = 0; j < h; ++j) {
        float pos = h > 1 ? static_cast<float>(j) / (h - 1) * segments : 0.0f;
        int s = std::min(static_cast<int>(pos), segments - 1);
        // Flat bands with a short dithered step between them, as a pixel artist would paint it.
        float t = (pos - s - 0.35f) / 0.3f;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        for (int i = x; i < x + w; ++i) Set(i, y + j, BayerThreshold(i, y + j) < t ? stops[s + 1] : stops[s]);
    }
}

void Canvas::Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, bool keyed, int scale) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            Rgb c = src.Get(sx + i, sy + j);
            if (keyed && c == kKey) continue;
            for (int v = 0; v < scale; ++v)
                for (int u = 0; u < scale; ++u) Set(dx + i * scale + u, dy + j * scale + v, c);
        }
    }
}

Canvas Canvas::Mirrored() const {
    Canvas out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, Get(x, y));
    return out;
}

void Canvas::Outline(Rgb c) {
    std::vector<Rgb> copy = pixels_;
    auto art = [&](int x, int y) {
        if (!Inside(x, y)) return false;
        return copy[static_cast<std::size_t>(y) * width_ + x] != kKey;
    };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (art(x, y)) continue;
            if (art(x - 1, y) || art(x + 1, y) || art(x, y - 1) || art(x, y + 1)) Set(x, y, c);
        }
    }
}

void Canvas::DrawArt(int x, int y, const std::vector<std::string>& rows,
                     const std::vector<std::pair<char, Rgb>>& colours, bool mirror) {
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const std::string& row = rows[j];
        for (std::size_t i = 0; i < row.size(); ++i) {
            char ch = row[i];
            if (ch == '.' || ch == ' ') continue;
            for (const auto& entry : colours) {
                if (entry.first == ch) {
                    int px =
                        mirror ? x + static_cast<int>(row.size()) - 1 - static_cast<int>(i) : x + static_cast<int>(i);
                    Set(px, y + static_cast<int>(j), entry.second);
                    break;
                }
            }
        }
    }
}

void Canvas::Recolour(int x, int y, int w, int h, Rgb from, Rgb to) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (Get(i, j) == from) Set(i, j, to);
}

void StampOutlined(Canvas& dst, Canvas part, Rgb outline, int dx, int dy) {
    part.Outline(outline);
    dst.BlitAll(part, dx, dy, true);
}

Canvas FrameSheet(const std::vector<std::vector<Canvas>>& rows, int width) {
    const int cellW = rows[0][0].Width() + 1, cellH = rows[0][0].Height() + 1;
    const int columns = static_cast<int>(rows[0].size()), rowCount = static_cast<int>(rows.size());
    Canvas sheet(width, rowCount * cellH + 1, kKey);
    const Rgb grid{64, 64, 72};
    for (int r = 0; r <= rowCount; ++r) sheet.HLine(0, columns * cellW, r * cellH, grid);
    for (int i = 0; i <= columns; ++i) sheet.VLine(i * cellW, 0, sheet.Height() - 1, grid);
    for (int r = 0; r < rowCount; ++r)
        for (int i = 0; i < columns; ++i) sheet.BlitAll(rows[r][i], i * cellW + 1, r * cellH + 1, true);
    return sheet;
}
