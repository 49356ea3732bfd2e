// A fixture for tests of the drawing stand-in: a device of its own, a host that keeps
// every picture presented, and helpers that make surfaces, read and write their pixels
// through a lock, fill them and give them clippers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "hosts/null_host.h"
#include "platform/ddraw.h"
#include "support/installed_host.h"

namespace gametest {

using Pixels = std::vector<std::uint16_t>;

inline DDSURFACEDESC2 Desc(DWORD flags = 0, DWORD caps = 0) {
    DDSURFACEDESC2 d{};
    d.dwSize = sizeof d;
    d.dwFlags = flags;
    d.ddsCaps.dwCaps = caps;
    return d;
}

class RecordingHost : public host::NullHost {
public:
    // A presented picture: its rows packed without padding, and the palette's 1024 bytes.
    struct Shot {
        int width, height;
        host::PixelLayout layout;
        std::vector<std::uint8_t> bytes, palette;
    };
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
    // A clock that stands still: these tests never wait on it.
    std::uint32_t Milliseconds() override { return 0; }
};

class DDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* out = nullptr;
        ASSERT_EQ(S_OK, DirectDrawCreateEx(nullptr, &out, IID_IDirectDraw7, nullptr));
        dd = static_cast<IDirectDraw7*>(out);
    }
    void TearDown() override {
        for (auto* s : owned) s->Release();
        dd->Release();
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
        DDSURFACEDESC2 d =
            Desc(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
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
    InstalledHost installed{rec};
    std::vector<IDirectDrawSurface7*> owned;
};

}  // namespace gametest
