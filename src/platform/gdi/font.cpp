// The built-in bitmap font: a bold proportional face drawn as pixel art, and its lookup.
#include "platform/gdi/font.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace font {
namespace {

// How the pictures in font_glyphs.inc are laid out: every glyph is 16 rows, '#' for ink and
// '.' for paper, and all rows of one glyph are the same length, which is the glyph's width.
// Capitals and digits stand on rows 3..12 (row 12 is the last one above the baseline), the
// lowercase body fills rows 6..12, ascenders reach up to row 3 and descenders hang into rows
// 13..15. Stems are two pixels wide and bars one row tall. The pen moves on by the width plus
// one blank column; the blank itself has no ink and moves the pen five pixels.
constexpr int kFirstChar = 32;
constexpr int kLastChar = 126;
constexpr int kSpaceAdvance = 5;

struct GlyphArt {
    char ch;
    const char* rows[kGlyphHeight];
};

const GlyphArt kArt[] = {
#include "platform/gdi/font_glyphs.inc"
};

constexpr int kGlyphCount = kLastChar - kFirstChar + 1;
static_assert(sizeof(kArt) / sizeof(kArt[0]) == kGlyphCount, "one picture per printable character");

// Turns the pictures into bit rows once. A malformed picture is a programming error that would
// otherwise show up as garbled text, so it stops the program at start-up.
std::array<Glyph, kGlyphCount> BuildGlyphs() {
    std::array<Glyph, kGlyphCount> glyphs{};
    for (const GlyphArt& art : kArt) {
        const int index = static_cast<unsigned char>(art.ch) - kFirstChar;
        if (index < 0 || index >= kGlyphCount) std::abort();
        Glyph& glyph = glyphs[static_cast<std::size_t>(index)];
        const int width = static_cast<int>(std::strlen(art.rows[0]));
        if (width > 16) std::abort();
        glyph.width = width;
        glyph.advance = width == 0 ? kSpaceAdvance : width + 1;
        for (int row = 0; row < kGlyphHeight; ++row) {
            const char* line = art.rows[row];
            if (static_cast<int>(std::strlen(line)) != width) std::abort();
            std::uint16_t bits = 0;
            for (int column = 0; column < width; ++column) {
                if (line[column] == '#')
                    bits |= static_cast<std::uint16_t>(1u << (15 - column));
                else if (line[column] != '.')
                    std::abort();
            }
            glyph.rows[row] = bits;
        }
    }
    return glyphs;
}

const std::array<Glyph, kGlyphCount>& Glyphs() {
    static const std::array<Glyph, kGlyphCount> glyphs = BuildGlyphs();
    return glyphs;
}

}  // namespace

const Glyph& GlyphFor(unsigned char c) {
    if (c < kFirstChar || c > kLastChar) c = '?';
    return Glyphs()[static_cast<std::size_t>(c - kFirstChar)];
}

int TextWidth(const char* text, std::size_t length) {
    if (text == nullptr) return 0;
    int width = 0;
    for (std::size_t i = 0; i < length; ++i) width += GlyphFor(static_cast<unsigned char>(text[i])).advance;
    return width;
}

}  // namespace font
