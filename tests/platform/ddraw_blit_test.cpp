// Tests of the drawing stand-in's blits: colour keys, colour fills, clip lists and the
// clipping of sprites at every edge, refused arguments, scaling, and a blit onto a windowed
// primary surface that shows the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ddraw.h"
#include "support/ddraw_fixture.h"

namespace {

using gametest::DDrawTest;
using gametest::Desc;
using gametest::Pixels;

using gametest::kKey;

TEST_F(DDrawTest, KeyedBlitSkipsKeyPixelsAndCopiesNearKeyValues) {
    // 75 wide: a block of 32 with groups of eight all key, none key and mixed; a block of 32
    // without key; one more mixed group of eight; a mixed tail of three.
    const int w = 75;
    auto* src = Make(w, 2, kKey);
    auto* dst = Make(w, 2);
    Pixels in(w * 2);
    for (int i = 0; i < w * 2; ++i) {
        const int x = i % w;
        const bool opaque = (x >= 8 && x < 16) || (x >= 32 && x < 64);
        in[i] = x < 8        ? kKey
                : opaque     ? std::uint16_t(0x1000 + i)
                : i % 3 == 0 ? kKey
                             : std::uint16_t(0xF81E + (i & 1) * 0x21);
    }
    Write(src, in);
    ASSERT_EQ(S_OK, Fill(dst, 0x0A0A));
    ASSERT_EQ(S_OK, dst->Blt(nullptr, src, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr));
    const Pixels out = Read(dst);
    for (int i = 0; i < w * 2; ++i) EXPECT_EQ(in[i] == kKey ? 0x0A0A : in[i], out[i]) << "pixel " << i;
}

// A 6x6 sprite of distinct values blitted at each edge of a clipped 40x30 surface.
struct EdgeCase {
    LONG x, y;
};
class ClipEdges : public DDrawTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(ClipEdges, SpriteShowsOnlyItsVisiblePart) {
    const EdgeCase c = GetParam();
    auto* sprite = Make(6, 6, kKey);
    auto* dst = Make(40, 30);
    Pixels in(36);
    for (int i = 0; i < 36; ++i) in[i] = std::uint16_t(0x100 + i);
    Write(sprite, in);
    Clip(dst, {RECT{0, 0, 40, 30}});
    RECT r{c.x, c.y, c.x + 6, c.y + 6};
    ASSERT_EQ(S_OK, dst->Blt(&r, sprite, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr));
    const Pixels out = Read(dst);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const int sx = x - c.x, sy = y - c.y;
            const bool covered = sx >= 0 && sx < 6 && sy >= 0 && sy < 6;
            EXPECT_EQ(covered ? 0x100 + sy * 6 + sx : 0, out[y * 40 + x]) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Edges, ClipEdges,
                         ::testing::Values(EdgeCase{-4, 10}, EdgeCase{37, 10}, EdgeCase{10, -5}, EdgeCase{10, 27},
                                           EdgeCase{-3, -3}, EdgeCase{100, 100}, EdgeCase{-6, 0}));

TEST_F(DDrawTest, ClipListOfTwoRectanglesLimitsFills) {
    auto* dst = Make(32, 8);
    Clip(dst, {RECT{0, 0, 10, 4}, RECT{20, 2, 40, 8}});
    ASSERT_EQ(S_OK, Fill(dst, 0x7777));
    const Pixels out = Read(dst);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool in = (x < 10 && y < 4) || (x >= 20 && y >= 2);
            EXPECT_EQ(in ? 0x7777 : 0, out[y * 32 + x]) << x << "," << y;
        }
}

TEST_F(DDrawTest, ColourFillTakesTheLowSixteenBits) {
    auto* s = Make(259, 3);  // long rows, and an odd width
    ASSERT_EQ(S_OK, Fill(s, 0x0707));
    EXPECT_EQ(Pixels(259 * 3, 0x0707), Read(s));
    RECT r{1, 1, 258, 2};
    ASSERT_EQ(S_OK, Fill(s, 0xABCD1234u, &r));
    Pixels want(259 * 3, 0x0707);
    std::fill(want.begin() + 260, want.begin() + 517, 0x1234);
    EXPECT_EQ(want, Read(s));
}

TEST_F(DDrawTest, BadArgumentsAreRefusedWithoutDrawing) {
    auto* a = Make(8, 8);
    auto* b = Make(8, 8);
    RECT outside{4, 4, 12, 12}, inverted{5, 5, 2, 2}, empty{3, 3, 3, 6}, small{0, 0, 4, 4};
    // Without a clipper a destination reaching outside the surface is refused.
    EXPECT_EQ(DDERR_INVALIDRECT, a->Blt(&outside, b, &small, DDBLT_WAIT, nullptr));
    EXPECT_EQ(DDERR_INVALIDRECT, Fill(a, 1, &outside));
    EXPECT_EQ(DDERR_NOCOLORKEY, a->Blt(nullptr, b, nullptr, DDBLT_KEYSRC, nullptr));
    EXPECT_EQ(E_INVALIDARG, a->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_EQ(E_INVALIDARG, a->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr));
    EXPECT_EQ(DDERR_INVALIDRECT, a->Blt(nullptr, b, &outside, DDBLT_WAIT, nullptr));
    EXPECT_EQ(DDERR_INVALIDRECT, a->Blt(&inverted, b, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_EQ(DDERR_INVALIDRECT, a->Blt(&empty, b, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_TRUE(FAILED(a->Blt(nullptr, a, nullptr, DDBLT_WAIT, nullptr)));
    const DDPIXELFORMAT indexed{32, DDPF_PALETTEINDEXED8, 0, 8, 0, 0, 0, 0};
    auto* eight = Make(8, 8, -1, &indexed);
    EXPECT_TRUE(FAILED(a->Blt(nullptr, eight, nullptr, DDBLT_WAIT, nullptr)));
    EXPECT_EQ(Pixels(64, 0), Read(a));
}

TEST_F(DDrawTest, ScaledBlitTakesTheNearestPixelThroughTheUnclippedMapping) {
    auto* src = Make(2, 2);
    auto* dst = Make(4, 4);
    Write(src, {1, 2, 3, 4});
    RECT whole{0, 0, 4, 4};
    ASSERT_EQ(S_OK, dst->Blt(&whole, src, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_EQ(Pixels({1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}), Read(dst));
    Fill(dst, 0);
    Clip(dst, {RECT{0, 0, 4, 4}});
    RECT left{-2, 0, 2, 4};  // the visible half shows the source's right column
    ASSERT_EQ(S_OK, dst->Blt(&left, src, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_EQ(Pixels({2, 2, 0, 0, 2, 2, 0, 0, 4, 4, 0, 0, 4, 4, 0, 0}), Read(dst));
}

TEST_F(DDrawTest, WindowedPrimaryShowsWhatIsBlittedThroughTheWindowClipper) {
    ASSERT_EQ(S_OK, dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL));
    DDSURFACEDESC2 d = Desc(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE);
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(S_OK, dd->CreateSurface(&d, &primary, nullptr));
    owned.push_back(primary);
    Clip(primary, {}, reinterpret_cast<HWND>(&rec));  // any window will do: it is only named
    auto* frame = Make(640, 480);
    Fill(frame, 0x4321);
    RECT r{0, 0, 640, 480};
    ASSERT_EQ(S_OK, primary->Blt(&r, frame, nullptr, DDBLT_WAIT, nullptr));
    ASSERT_EQ(1u, rec.shots.size());
    EXPECT_EQ(640, rec.shots[0].width);
    EXPECT_EQ(0x43, rec.shots[0].bytes[1]);
}

}  // namespace
