// Tests of text drawn through a surface's device context: exact ink colour, the background
// left alone, clipping at every edge, and the device context given back.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/ddraw.h"
#include "platform/gdi/font.h"
#include "support/ddraw_fixture.h"

namespace {

using gametest::DDrawTest;
using gametest::Desc;
using gametest::Pixels;

TEST_F(DDrawTest, TextOutDrawsExactColourLeavesBackgroundAndClips) {
    auto* s = Make(48, 24);
    Fill(s, 0x0841);
    HDC dc = nullptr;
    DDSURFACEDESC2 d = Desc();
    ASSERT_EQ(S_OK, s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));  // text into a locked surface
    ASSERT_EQ(S_OK, s->GetDC(&dc));
    HDC second = nullptr;
    EXPECT_EQ(DDERR_DCALREADYCREATED, s->GetDC(&second));
    SetTextColor(dc, RGB(255, 128, 8));
    EXPECT_EQ(OPAQUE, SetBkMode(dc, TRANSPARENT));
    EXPECT_TRUE(TextOutA(dc, 3, 2, "A", 1));
    EXPECT_TRUE(TextOutA(dc, 3, 2, "", 0));
    s->Unlock(nullptr);
    const Pixels out = Read(s);
    const std::uint16_t ink = (31 << 11) | (32 << 5) | 1;
    const font::Glyph& a = font::GlyphFor('A');
    int inked = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 48; ++x) {
            const bool expect = font::GlyphInk(a, x - 3, y - 2);
            inked += expect;
            EXPECT_EQ(expect ? ink : 0x0841, out[y * 48 + x]) << x << "," << y;
        }
    EXPECT_GT(inked, 10);
    // Text hanging over an edge draws its visible part and nothing wraps to the other side.
    auto inkIn = [&](int x0, int x1) {
        const Pixels p = Read(s);
        int n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = x0; x < x1; ++x) n += p[y * 48 + x] == ink;
        return n;
    };
    Fill(s, 0x0841);
    EXPECT_TRUE(TextOutA(dc, -7, 4, "WW", 2));
    EXPECT_GT(inkIn(0, 8), 0);
    EXPECT_EQ(0, inkIn(24, 48));
    Fill(s, 0x0841);
    EXPECT_TRUE(TextOutA(dc, 44, 4, "WW", 2));
    EXPECT_GT(inkIn(44, 48), 0);
    EXPECT_EQ(0, inkIn(0, 24));
    EXPECT_TRUE(TextOutA(dc, 5, -9, "gjpqy", 5));
    EXPECT_TRUE(TextOutA(dc, 5, 18, "gjpqy", 5));
    EXPECT_TRUE(TextOutA(dc, -100000, 100000, "x", 1));
    EXPECT_EQ(S_OK, s->ReleaseDC(dc));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "A", 1));  // given back
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "A", 1));
}

}  // namespace
