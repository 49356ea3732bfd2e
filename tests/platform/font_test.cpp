// Checks the built-in font's glyph shapes and metrics, and the built-in icon and cursor pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/font.h"
#include "platform/resources.h"

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
    for (int c : {0, 9, 10, 31, 127, 128, 200, 255}) EXPECT_EQ(&font::GlyphFor(static_cast<unsigned char>(c)), question) << c;
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

bool IsClassicColour(std::uint32_t rgb) {
    static const std::uint32_t kColours[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                             0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                             0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return std::find(std::begin(kColours), std::end(kColours), rgb) != std::end(kColours);
}

TEST(Resources, HeroIconComesInTwoSizesOfSixteenColours) {
    for (int size : {16, 32}) {
        const host::Picture* icon = platform::FindIconImage(platform::kHeroIconResource, size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(icon->width, size);
        EXPECT_EQ(icon->height, size);
        ASSERT_EQ(icon->argb.size(), static_cast<std::size_t>(size * size));
        int opaque = 0;
        for (std::uint32_t px : icon->argb) {
            if (px == 0) continue;
            ++opaque;
            EXPECT_EQ(px >> 24, 0xFFu);
            EXPECT_TRUE(IsClassicColour(px & 0xFFFFFFu)) << std::hex << px;
        }
        EXPECT_GT(opaque, size * size / 4) << "icon is almost empty";
    }
    EXPECT_EQ(platform::FindIconImage(platform::kHeroIconResource, 24), nullptr);
    EXPECT_EQ(platform::FindIconImage(8, 16), nullptr);
}

TEST(Resources, HandCursorIsMonochromeWithItsPointAtTheFingertip) {
    const host::Picture* cursor = platform::FindCursorImage(platform::kHandCursorResource);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->width, 32);
    EXPECT_EQ(cursor->height, 32);
    EXPECT_EQ(cursor->hotX, 22);
    EXPECT_EQ(cursor->hotY, 5);
    ASSERT_EQ(cursor->argb.size(), 32u * 32u);
    for (std::uint32_t px : cursor->argb) EXPECT_TRUE(px == 0 || px == 0xFF000000u || px == 0xFFFFFFFFu) << std::hex << px;
    EXPECT_EQ(cursor->argb[5 * 32 + 22] >> 24, 0xFFu);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(cursor->argb[static_cast<std::size_t>(y * 32 + 22)], 0u) << "ink above the point";
    EXPECT_EQ(platform::FindCursorImage(7), nullptr);
}

}  // namespace
