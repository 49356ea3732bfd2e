// The built-in bitmap font: the one face the text stand-in draws with, also used by the
// asset generator for the lettering of the game's pictures.
#pragma once

#include <cstddef>
#include <cstdint>

namespace font {

// Every glyph lives in a cell this many pixels tall; row 0 is the top of the cell.
constexpr int kGlyphHeight = 16;
// Rows from the top of the cell to the baseline (the row below the last row of a capital).
constexpr int kBaseline = 13;

struct Glyph {
    int width;               // inked columns, 0..16 (0 for the blank)
    int advance;             // pixels the pen moves right after this glyph
    std::uint16_t rows[16];  // row r, column c is ink when bit (15 - c) of rows[r] is set
};

// The glyph of a character; printable ASCII 32..126 each have their own, anything else
// gets the glyph of '?'.
const Glyph& GlyphFor(unsigned char c);

// Width in pixels of a run of text: the sum of the advances.
int TextWidth(const char* text, std::size_t length);

// True when column `column` of row `row` of the glyph is ink (false outside the glyph).
inline bool GlyphInk(const Glyph& glyph, int column, int row) {
    if (column < 0 || column >= glyph.width || column >= 16 || row < 0 || row >= kGlyphHeight) return false;
    return (glyph.rows[row] >> (15 - column)) & 1u;
}

}  // namespace font
