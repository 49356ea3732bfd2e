// Checks the built-in font's glyph shapes and metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/gdi/font.h"

namespace {

// Lowest and highest inked row of a glyph, or {-1, -1} when it has no ink.
std::pair<int, int> InkRows(const font::Glyph& g) {
    int top = -1, bottom = -1;
    for (int r = 0; r < font::kGlyphHeight; ++r) {
        if (g.rows[r] == 0) continue;
        if (top < 0) top = r;
        bottom = r;
    }
    return {top, bottom};
}

TEST(Font, EveryPrintableGlyphFitsItsCell) {
    for (int c = 32; c <= 126; ++c) {
        const font::Glyph& g = font::GlyphFor(static_cast<unsigned char>(c));
        SCOPED_TRACE(static_cast<char>(c));
        EXPECT_GE(g.width, 0);
        EXPECT_LE(g.width, 16);
        EXPECT_EQ(g.advance, c == ' ' ? 5 : g.width + 1);
        const std::uint16_t outside = g.width >= 16 ? 0 : static_cast<std::uint16_t>(0xFFFFu >> g.width);
        for (int r = 0; r < font::kGlyphHeight; ++r) EXPECT_EQ(g.rows[r] & outside, 0) << "row " << r;
        if (c != ' ') {
            EXPECT_NE(InkRows(g).first, -1) << "no ink";
        }
    }
    EXPECT_EQ(InkRows(font::GlyphFor(' ')).first, -1);
}

TEST(Font, GlyphsAreDistinct) {
    for (int a = 33; a <= 126; ++a)
        for (int b = a + 1; b <= 126; ++b) {
            const font::Glyph& ga = font::GlyphFor(static_cast<unsigned char>(a));
            const font::Glyph& gb = font::GlyphFor(static_cast<unsigned char>(b));
            EXPECT_FALSE(ga.width == gb.width && std::equal(ga.rows, ga.rows + 16, gb.rows))
                << static_cast<char>(a) << " and " << static_cast<char>(b) << " look the same";
        }
}

TEST(Font, NonPrintableCharactersShowAQuestionMark) {
    const font::Glyph* question = &font::GlyphFor('?');
    for (int c : {0, 9, 10, 31, 127, 128, 200, 255})
        EXPECT_EQ(&font::GlyphFor(static_cast<unsigned char>(c)), question) << c;
}

TEST(Font, TextWidthSumsAdvances) {
    const char* text = "Level: 1 jog?";
    int expected = 0;
    for (const char* p = text; *p; ++p) expected += font::GlyphFor(static_cast<unsigned char>(*p)).advance;
    EXPECT_EQ(font::TextWidth(text, std::strlen(text)), expected);
    EXPECT_EQ(font::TextWidth("Level", 0), 0);
    EXPECT_EQ(font::TextWidth("  ", 2), 10);
    EXPECT_EQ(font::TextWidth("a\x01", 2), font::GlyphFor('a').advance + font::GlyphFor('?').advance);
}

TEST(Font, CapitalsAndDigitsSitOnTheBaselineAndDescendersHangBelow) {
    for (int c = 'A'; c <= 'Z'; ++c) {
        const auto rows = InkRows(font::GlyphFor(static_cast<unsigned char>(c)));
        EXPECT_EQ(rows.first, 3) << static_cast<char>(c);
        EXPECT_EQ(rows.second, font::kBaseline - 1) << static_cast<char>(c);
    }
    for (const char* p = "0123456789acemnorsuvwxz"; *p; ++p)
        EXPECT_EQ(InkRows(font::GlyphFor(static_cast<unsigned char>(*p))).second, font::kBaseline - 1) << *p;
    for (const char* p = "gjpqy"; *p; ++p) {
        const auto rows = InkRows(font::GlyphFor(static_cast<unsigned char>(*p)));
        EXPECT_GE(rows.second, font::kBaseline + 1) << *p;
        EXPECT_LE(rows.second, font::kGlyphHeight - 1) << *p;
    }
}

}  // namespace
