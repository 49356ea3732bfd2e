// Tests of the drawing-service stand-in and GDI text: blits, keys, clipping, locks, flips, text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ddraw.h"
#include "platform/font.h"
#include "hosts/host.h"

namespace {

using Pixels = std::vector<std::uint16_t>;

DDSURFACEDESC2 Desc(DWORD flags = 0, DWORD caps = 0) {
    DDSURFACEDESC2 d{};
    d.dwSize = sizeof d;
    d.dwFlags = flags;
    d.ddsCaps.dwCaps = caps;
    return d;
}

class RecordingHost : public host::Host {
public:
    // A presented picture: its rows packed without padding, and the palette's 1024 bytes.
    struct Shot { int width, height; host::PixelLayout layout; std::vector<std::uint8_t> bytes, palette; };
    std::vector<Shot> shots;

    void Present(const host::Frame& f) override {
        Shot s{f.width, f.height, f.layout, {}, {}};
        const int rowBytes = f.width * (f.layout == host::PixelLayout::Indexed8 ? 1 : 2);
        for (int y = 0; y < f.height; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(f.pixels) + y * f.pitch;
            s.bytes.insert(s.bytes.end(), row, row + rowBytes);
        }
        if (f.palette != nullptr) s.palette.assign(f.palette, f.palette + 1024);
        shots.push_back(s);
    }
    void OpenWindow(const char*, int, int, const host::Picture*, const host::Picture*) override {}
    void CloseWindow() override {}
    void PumpInput() override {}
    void SetCursorVisible(bool) override {}
    std::uint32_t Milliseconds() override { return 0; }
    host::CalendarTime Calendar() override { return host::CalendarTime{0, 0}; }
};

class DDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* out = nullptr;
        ASSERT_EQ(S_OK, DirectDrawCreateEx(nullptr, &out, IID_IDirectDraw7, nullptr));
        dd = static_cast<IDirectDraw7*>(out);
        host::Install(&rec);
    }
    void TearDown() override {
        for (auto* s : owned) s->Release();
        dd->Release();
        host::Install(nullptr);
        SetSurfacePitchPadding(0);
    }
    void FullScreen(DWORD bpp) {
        ASSERT_EQ(S_OK, dd->SetCooperativeLevel(nullptr, 1107));
        ASSERT_EQ(S_OK, dd->SetDisplayMode(640, 480, bpp, 0, 0));
    }
    IDirectDrawSurface7* Make(DWORD w, DWORD h, int key = -1, const DDPIXELFORMAT* pf = nullptr) {
        DDSURFACEDESC2 d = Desc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
        d.dwWidth = w;
        d.dwHeight = h;
        if (pf != nullptr) d.dwFlags |= DDSD_PIXELFORMAT, d.ddpfPixelFormat = *pf;
        IDirectDrawSurface7* s = nullptr;
        EXPECT_EQ(S_OK, dd->CreateSurface(&d, &s, nullptr));
        if (s == nullptr) return nullptr;
        owned.push_back(s);
        DDCOLORKEY k{DWORD(key), DWORD(key)};
        if (key >= 0) s->SetColorKey(DDCKEY_SRCBLT, &k);
        return s;
    }
    // The primary of a flip chain; its back buffer goes to `back`.
    IDirectDrawSurface7* MakePrimaryChain() {
        DDSURFACEDESC2 d = Desc(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
        d.dwBackBufferCount = 1;
        IDirectDrawSurface7* p = nullptr;
        EXPECT_EQ(S_OK, dd->CreateSurface(&d, &p, nullptr));
        DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
        EXPECT_EQ(S_OK, p->GetAttachedSurface(&caps, &back));
        owned.push_back(back);  // released before the primary, as the game does
        owned.push_back(p);
        return p;
    }
    // Whole picture read or written through a lock, row by row with the lock's pitch.
    Pixels Read(IDirectDrawSurface7* s) {
        DDSURFACEDESC2 d = Desc();
        EXPECT_EQ(S_OK, s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
        Pixels p(d.dwWidth * d.dwHeight);
        for (DWORD y = 0; y < d.dwHeight; ++y)
            std::memcpy(&p[y * d.dwWidth], static_cast<char*>(d.lpSurface) + y * d.lPitch, d.dwWidth * 2);
        s->Unlock(nullptr);
        return p;
    }
    void Write(IDirectDrawSurface7* s, const Pixels& p) {
        DDSURFACEDESC2 d = Desc();
        ASSERT_EQ(S_OK, s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
        for (DWORD y = 0; y < d.dwHeight; ++y)
            std::memcpy(static_cast<char*>(d.lpSurface) + y * d.lPitch, &p[y * d.dwWidth], d.dwWidth * 2);
        s->Unlock(nullptr);
    }
    HRESULT Fill(IDirectDrawSurface7* s, DWORD colour, RECT* r = nullptr) {
        DDBLTFX fx{sizeof(DDBLTFX), 0, colour, {}};
        return s->Blt(r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    }
    // A clipper with these rectangles, or bound to a window when one is given.
    void Clip(IDirectDrawSurface7* s, std::vector<RECT> rects, HWND window = nullptr) {
        std::vector<char> block(32 + rects.size() * sizeof(RECT));
        auto* rgn = reinterpret_cast<RGNDATA*>(block.data());
        rgn->rdh = RGNDATAHEADER{32, RDH_RECTANGLES, DWORD(rects.size()), DWORD(rects.size() * 16), {}};
        if (!rects.empty()) std::memcpy(rgn->Buffer, rects.data(), rects.size() * sizeof(RECT));
        IDirectDrawClipper* c = nullptr;
        ASSERT_EQ(S_OK, dd->CreateClipper(0, &c, nullptr));
        ASSERT_EQ(S_OK, window ? c->SetHWnd(0, window) : c->SetClipList(rgn, 0));
        ASSERT_EQ(S_OK, s->SetClipper(c));
        c->Release();  // the surface keeps its own reference
    }

    IDirectDraw7* dd = nullptr;
    IDirectDrawSurface7* back = nullptr;
    RecordingHost rec;
    std::vector<IDirectDrawSurface7*> owned;
};

constexpr std::uint16_t kKey = 0xF81F;

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
        in[i] = x < 8 ? kKey : opaque ? std::uint16_t(0x1000 + i) : i % 3 == 0 ? kKey : std::uint16_t(0xF81E + (i & 1) * 0x21);
    }
    Write(src, in);
    ASSERT_EQ(S_OK, Fill(dst, 0x0A0A));
    ASSERT_EQ(S_OK, dst->Blt(nullptr, src, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr));
    const Pixels out = Read(dst);
    for (int i = 0; i < w * 2; ++i)
        EXPECT_EQ(in[i] == kKey ? 0x0A0A : in[i], out[i]) << "pixel " << i;
}

// A 6x6 sprite of distinct values blitted at each edge of a clipped 40x30 surface.
struct EdgeCase { LONG x, y; };
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
                         ::testing::Values(EdgeCase{-4, 10}, EdgeCase{37, 10}, EdgeCase{10, -5},
                                           EdgeCase{10, 27}, EdgeCase{-3, -3}, EdgeCase{100, 100},
                                           EdgeCase{-6, 0}));

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

TEST_F(DDrawTest, LockHonoursPaddedPitchAndRefusesMisuse) {
    SetSurfacePitchPadding(64);
    auto* a = Make(10, 5);
    auto* b = Make(10, 5);
    DDSURFACEDESC2 d = Desc();
    ASSERT_EQ(S_OK, a->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
    EXPECT_GE(d.lPitch, 10 * 2 + 64);
    EXPECT_EQ(16u, d.ddpfPixelFormat.dwRGBBitCount);
    DDSURFACEDESC2 again{};
    EXPECT_EQ(DDERR_SURFACEBUSY, a->Lock(nullptr, &again, DDLOCK_WAIT, nullptr));
    EXPECT_EQ(DDERR_SURFACEBUSY, b->Blt(nullptr, a, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_EQ(DDERR_SURFACEBUSY, a->Blt(nullptr, b, nullptr, DDBLT_WAIT, nullptr));
    ASSERT_EQ(S_OK, a->Unlock(nullptr));
    EXPECT_EQ(DDERR_NOTLOCKED, a->Unlock(nullptr));
    Pixels in(50);
    for (int i = 0; i < 50; ++i) in[i] = std::uint16_t(i * 7 + 1);
    Write(a, in);
    ASSERT_EQ(S_OK, b->Blt(nullptr, a, nullptr, DDBLT_WAIT, nullptr));
    EXPECT_EQ(in, Read(b));
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

TEST_F(DDrawTest, AbsurdSurfaceSizesAreRefused) {
    const DWORD sizes[][2] = {{0, 10}, {10, 0}, {DWORD(-5), 10}, {20000, 4}, {16384, 16384}};
    for (const auto& s : sizes) {
        DDSURFACEDESC2 d = Desc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT);
        d.dwWidth = s[0];
        d.dwHeight = s[1];
        IDirectDrawSurface7* out = reinterpret_cast<IDirectDrawSurface7*>(1);
        EXPECT_TRUE(FAILED(dd->CreateSurface(&d, &out, nullptr))) << s[0] << "x" << s[1];
        EXPECT_EQ(nullptr, out);
    }
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

TEST_F(DDrawTest, FlipPresentsTheBackPictureAndIsRefusedWhileLocked) {
    FullScreen(16);
    auto* primary = MakePrimaryChain();
    ASSERT_EQ(S_OK, Fill(back, 0x1234));
    DDSURFACEDESC2 d = Desc();
    ASSERT_EQ(S_OK, back->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
    EXPECT_EQ(DDERR_SURFACEBUSY, primary->Flip(nullptr, DDFLIP_WAIT));
    back->Unlock(nullptr);
    EXPECT_TRUE(rec.shots.empty());
    ASSERT_EQ(S_OK, primary->Flip(nullptr, DDFLIP_WAIT));
    ASSERT_EQ(1u, rec.shots.size());
    const auto& shot = rec.shots[0];
    EXPECT_EQ(640 * 480 * 2u, shot.bytes.size());
    EXPECT_EQ(host::PixelLayout::Rgb565, shot.layout);
    EXPECT_EQ(0x34, shot.bytes[0]);
    EXPECT_EQ(0x12, shot.bytes.back());
    EXPECT_EQ(0x1234, Read(primary)[640 * 480 - 1]);
    EXPECT_EQ(0, Read(back)[0]);  // the old front picture is the new back one
    EXPECT_EQ(DDERR_NOTFLIPPABLE, back->Flip(nullptr, DDFLIP_WAIT));
}

TEST_F(DDrawTest, FifteenBitModeReportsFiveFiveFive) {
    FullScreen(15);
    auto* primary = MakePrimaryChain();
    DDPIXELFORMAT pf{};
    ASSERT_EQ(S_OK, primary->GetPixelFormat(&pf));
    EXPECT_EQ((std::vector<DWORD>{15, DDPF_RGB, 0x7C00, 0x03E0, 0x001F}),
              (std::vector<DWORD>{pf.dwRGBBitCount, pf.dwFlags, pf.dwRBitMask, pf.dwGBitMask, pf.dwBBitMask}));
    // Text in white takes all five bits of each component and leaves the top bit clear.
    auto* work = Make(8, 16);
    HDC dc = nullptr;
    ASSERT_EQ(S_OK, work->GetDC(&dc));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 0, 0, "H", 1);
    work->ReleaseDC(dc);
    const Pixels text = Read(work);
    EXPECT_NE(text.end(), std::find(text.begin(), text.end(), 0x7FFF));
    primary->Flip(nullptr, DDFLIP_WAIT);
    ASSERT_EQ(1u, rec.shots.size());
    EXPECT_EQ(host::PixelLayout::Rgb555, rec.shots[0].layout);
    EXPECT_EQ(DDERR_INVALIDMODE, dd->SetDisplayMode(640, 480, 24, 0, 0));
    EXPECT_EQ(DDERR_INVALIDMODE, dd->SetDisplayMode(DWORD(-640), 480, 16, 0, 0));
}

TEST_F(DDrawTest, EightBitModePresentsIndicesWithThePalette) {
    FullScreen(8);
    auto* primary = MakePrimaryChain();
    PALETTEENTRY entries[256] = {};
    entries[5] = PALETTEENTRY{10, 20, 30, 0};
    IDirectDrawPalette* pal = nullptr;
    ASSERT_EQ(S_OK, dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &pal, nullptr));
    ASSERT_EQ(S_OK, primary->SetPalette(pal));
    pal->Release();
    ASSERT_EQ(S_OK, Fill(back, 0x1205));  // the low byte only
    ASSERT_EQ(S_OK, primary->Flip(nullptr, DDFLIP_WAIT));
    ASSERT_EQ(1u, rec.shots.size());
    const auto& shot = rec.shots[0];
    EXPECT_EQ(host::PixelLayout::Indexed8, shot.layout);
    EXPECT_EQ(std::vector<std::uint8_t>(640 * 480, 5), shot.bytes);
    ASSERT_EQ(1024u, shot.palette.size());
    EXPECT_EQ((std::vector<std::uint8_t>{10, 20, 30}),
              std::vector<std::uint8_t>(shot.palette.begin() + 20, shot.palette.begin() + 23));
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
