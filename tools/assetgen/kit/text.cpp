// Lettering with the game's bitmap font: plain lines, scaled titles with outline and shadow.
#include "kit/text.h"

#include <cstdlib>
#include <vector>

#include "platform/gdi/font.h"

int TextWidth(const std::string& text, int scale) {
    return font::TextWidth(text.data(), text.size()) * scale;
}

void DrawText(Canvas& canvas, int x, int y, const std::string& text, Rgb colour, int scale) {
    int pen = x;
    for (unsigned char ch : text) {
        const font::Glyph& glyph = font::GlyphFor(ch);
        for (int row = 0; row < font::kGlyphHeight; ++row)
            for (int col = 0; col < glyph.width; ++col)
                if (font::GlyphInk(glyph, col, row))
                    canvas.FillRect(pen + col * scale, y + row * scale, scale, scale, colour);
        pen += glyph.advance * scale;
    }
}

void DrawTextShadow(Canvas& canvas, int x, int y, const std::string& text, Rgb colour, Rgb shadow, int scale) {
    DrawText(canvas, x + scale, y + scale, text, shadow, scale);
    DrawText(canvas, x, y, text, colour, scale);
}

void DrawTextCentred(Canvas& canvas, int cx, int y, const std::string& text, Rgb colour, int scale) {
    DrawText(canvas, cx - TextWidth(text, scale) / 2, y, text, colour, scale);
}

int TitleWidth(const std::string& text, const TitleStyle& style) {
    return TextWidth(text, style.scale) + 2 * style.outlinePx + style.shadowDx;
}

void DrawTitle(Canvas& canvas, int x, int y, const std::string& text, const TitleStyle& style) {
    // Work on a mask with room for the outline and the shadow around the letters.
    const int pad = style.outlinePx + 1;
    const int w = TextWidth(text, style.scale) + 2 * pad + style.shadowDx;
    const int h = font::kGlyphHeight * style.scale + 2 * pad + style.shadowDy;
    std::vector<char> ink(static_cast<std::size_t>(w) * h, 0);
    auto at = [&](int i, int j) -> char& { return ink[static_cast<std::size_t>(j) * w + i]; };
    auto inked = [&](int i, int j) { return i >= 0 && j >= 0 && i < w && j < h && at(i, j) == 1; };

    int pen = pad;
    for (unsigned char ch : text) {
        const font::Glyph& glyph = font::GlyphFor(ch);
        for (int row = 0; row < font::kGlyphHeight; ++row)
            for (int col = 0; col < glyph.width; ++col)
                if (font::GlyphInk(glyph, col, row))
                    for (int v = 0; v < style.scale; ++v)
                        for (int u = 0; u < style.scale; ++u)
                            at(pen + col * style.scale + u, pad + row * style.scale + v) = 1;
        pen += glyph.advance * style.scale;
    }

    // Outline ring: every paper pixel within outlinePx (a rounded square) of ink.
    std::vector<char> ring(ink.size(), 0);
    const int r = style.outlinePx;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (at(i, j)) continue;
            bool near = false;
            for (int dj = -r; dj <= r && !near; ++dj)
                for (int di = -r; di <= r && !near; ++di) {
                    if (r >= 2 && std::abs(di) == r && std::abs(dj) == r) continue;
                    near = inked(i + di, j + dj);
                }
            if (near) ring[static_cast<std::size_t>(j) * w + i] = 1;
        }

    const int ox = x - pad, oy = y - pad;
    // Shadow: the shape of letters plus outline, pushed down and right.
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            std::size_t k = static_cast<std::size_t>(j) * w + i;
            if (ink[k] || ring[k]) {
                for (int s = 1; s <= style.shadowDx || s <= style.shadowDy; ++s) {
                    int sx = s <= style.shadowDx ? s : style.shadowDx;
                    int sy = s <= style.shadowDy ? s : style.shadowDy;
                    canvas.Set(ox + i + sx, oy + j + sy, style.shadow);
                }
            }
        }
    // Outline and fill. The fill runs from top to bottom over the capital height
    // (rows 3..12 of the cell), in bands a scale-pixel tall so it reads as pixel art.
    const int capTop = pad + 3 * style.scale, capBottom = pad + 13 * style.scale;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            std::size_t k = static_cast<std::size_t>(j) * w + i;
            if (ring[k]) canvas.Set(ox + i, oy + j, style.outline);
            if (!ink[k]) continue;
            int band = (j - capTop) / style.scale;
            int bands = (capBottom - capTop) / style.scale - 1;
            float t = bands > 0 ? static_cast<float>(band) / bands : 0.0f;
            if (t < 0) t = 0;
            if (t > 1) t = 1;
            Rgb c = Mix(style.top, style.bottom, t);
            // Lit top edge of every stroke, and a darker lower edge.
            if (!inked(i, j - 1) || !inked(i, j - style.scale / 2 - 1))
                c = style.highlight;
            else if (!inked(i, j + 1))
                c = Mix(style.bottom, style.outline, 0.35f);
            canvas.Set(ox + i, oy + j, c);
        }
}
