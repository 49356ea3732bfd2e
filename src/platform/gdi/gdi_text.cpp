// The GDI text calls: text colour, background mode and TextOutA, drawing the built-in bitmap
// font into the surface behind a device context.
#include <cstring>

#include "platform/ddraw/ddraw_internal.h"
#include "platform/gdi/font.h"

namespace {

constexpr COLORREF kInvalidColour = 0xFFFFFFFFu;
constexpr COLORREF kWhite = 0x00FFFFFFu;

// The colour as the surface stores it: 5.6.5 or 5.5.5 keep the high bits of each component;
// an 8-bit surface takes the nearest entry of its palette (or, with no palette, the red byte,
// which is what a grey ramp would give for greys).
DWORD PixelFor(const ddraw_detail::Surface& surface, COLORREF colour) {
    const DWORD r = GetRValue(colour);
    const DWORD g = GetGValue(colour);
    const DWORD b = GetBValue(colour);
    switch (surface.PixelFormat().bits) {
        case 16:
            return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
        case 15:
            return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        default:
            break;
    }
    const ddraw_detail::Palette* palette = surface.ColourTable();
    if (palette == nullptr) return r;
    DWORD best = 0;
    long bestDistance = -1;
    for (DWORD i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = palette->Entries()[i];
        const long dr = static_cast<long>(e.peRed) - static_cast<long>(r);
        const long dg = static_cast<long>(e.peGreen) - static_cast<long>(g);
        const long db = static_cast<long>(e.peBlue) - static_cast<long>(b);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Writes pixels of one colour into a surface, dropping any outside it.
class Pen {
public:
    Pen(ddraw_detail::Surface& surface, DWORD pixel)
        : pixels_(surface.Pixels()), pitch_(surface.Pitch()), width_(surface.Width()), height_(surface.Height()),
          bytes_(surface.PixelFormat().bytesPerPixel), pixel_(pixel) {}

    void Dot(long long x, long long y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        std::uint8_t* at = pixels_ + y * pitch_ + x * bytes_;
        if (bytes_ == 1) {
            *at = static_cast<std::uint8_t>(pixel_);
        } else {
            const std::uint16_t value = static_cast<std::uint16_t>(pixel_);
            std::memcpy(at, &value, 2);
        }
    }

    void Box(long long left, long long top, long long right, long long bottom) const {
        for (long long y = top; y < bottom; ++y)
            for (long long x = left; x < right; ++x) Dot(x, y);
    }

    int Width() const { return width_; }

private:
    std::uint8_t* pixels_;
    long long pitch_;
    int width_;
    int height_;
    int bytes_;
    DWORD pixel_;
};

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (dc == nullptr || !dc->valid) return kInvalidColour;
    const COLORREF previous = dc->textColour;
    dc->textColour = colour & 0x00FFFFFFu;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr || !dc->valid || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    if (dc == nullptr || !dc->valid || length < 0 || (text == nullptr && length > 0)) return FALSE;
    if (dc->surface == nullptr || length == 0)
        return TRUE;  // a context without a surface, or nothing to say: nothing to draw
    ddraw_detail::Surface& surface = *dc->surface;
    const Pen ink(surface, PixelFor(surface, dc->textColour));
    const Pen paper(surface, PixelFor(surface, kWhite));
    const bool opaque = dc->backgroundMode == OPAQUE;
    long long penX = x;
    for (int i = 0; i < length && penX < ink.Width(); ++i) {
        const font::Glyph& glyph = font::GlyphFor(static_cast<unsigned char>(text[i]));
        if (opaque) paper.Box(penX, y, penX + glyph.advance, static_cast<long long>(y) + font::kGlyphHeight);
        // Whole glyphs left of the surface are passed over without looking at their rows.
        if (penX + glyph.width > 0) {
            for (int row = 0; row < font::kGlyphHeight; ++row)
                for (int column = 0; column < glyph.width; ++column)
                    if (font::GlyphInk(glyph, column, row)) ink.Dot(penX + column, static_cast<long long>(y) + row);
        }
        penX += glyph.advance;
    }
    return TRUE;
}
