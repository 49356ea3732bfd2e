// Fixtures for tests of the drawing stand-in: a device, its surfaces and a recording host.
#include "support/ddraw_fixture.h"

#include <cstring>

namespace gametest {

void SurfaceTest::SetUp() {
    void* out = nullptr;
    ASSERT_EQ(S_OK, DirectDrawCreateEx(nullptr, &out, IID_IDirectDraw7, nullptr));
    dd = static_cast<IDirectDraw7*>(out);
}

void SurfaceTest::TearDown() {
    for (IDirectDrawSurface7* s : owned) s->Release();
    owned.clear();
    if (dd) dd->Release();
    dd = nullptr;
}

void SurfaceTest::FullScreen(DWORD bpp, DWORD width, DWORD height) {
    constexpr DWORD kGamesLevel =
        DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX | DDSCL_MULTITHREADED;
    ASSERT_EQ(S_OK, dd->SetCooperativeLevel(nullptr, kGamesLevel));
    ASSERT_EQ(S_OK, dd->SetDisplayMode(width, height, bpp, 0, 0));
}

IDirectDrawSurface7* SurfaceTest::Make(int width, int height, int key, const DDPIXELFORMAT* pf) {
    DDSURFACEDESC2 d = Desc(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    d.dwWidth = static_cast<DWORD>(width);
    d.dwHeight = static_cast<DWORD>(height);
    if (pf != nullptr) d.dwFlags |= DDSD_PIXELFORMAT, d.ddpfPixelFormat = *pf;
    IDirectDrawSurface7* s = nullptr;
    EXPECT_EQ(S_OK, dd->CreateSurface(&d, &s, nullptr));
    if (s == nullptr) return nullptr;
    owned.push_back(s);
    if (key >= 0) SetKey(s, key);
    return s;
}

IDirectDrawSurface7* SurfaceTest::MakePrimaryChain() {
    DDSURFACEDESC2 d = Desc(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    d.dwBackBufferCount = 1;
    IDirectDrawSurface7* p = nullptr;
    EXPECT_EQ(S_OK, dd->CreateSurface(&d, &p, nullptr));
    if (p == nullptr) return nullptr;
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    EXPECT_EQ(S_OK, p->GetAttachedSurface(&caps, &back));
    if (back != nullptr) owned.push_back(back);  // released before the primary, as the game does
    owned.push_back(p);
    return p;
}

void SurfaceTest::SetKey(IDirectDrawSurface7* surface, int key) {
    DDCOLORKEY k{static_cast<DWORD>(key), static_cast<DWORD>(key)};
    ASSERT_EQ(S_OK, surface->SetColorKey(DDCKEY_SRCBLT, &k));
}

Picture SurfaceTest::ReadPicture(IDirectDrawSurface7* surface) {
    DDSURFACEDESC2 d = Desc();
    Picture p;
    EXPECT_EQ(S_OK, surface->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
    if (d.lpSurface == nullptr) return p;
    p.width = static_cast<int>(d.dwWidth);
    p.height = static_cast<int>(d.dwHeight);
    p.bytes = d.ddpfPixelFormat.dwRGBBitCount == 8 ? 1 : 2;
    p.pixels.resize(static_cast<std::size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const auto* at = static_cast<const std::uint8_t*>(d.lpSurface) + y * d.lPitch + x * p.bytes;
            std::uint16_t v = at[0];
            if (p.bytes == 2) std::memcpy(&v, at, 2);
            p.At(x, y) = v;
        }
    surface->Unlock(nullptr);
    return p;
}

void SurfaceTest::Write(IDirectDrawSurface7* surface, const Pixels& pixels) {
    DDSURFACEDESC2 d = Desc();
    ASSERT_EQ(S_OK, surface->Lock(nullptr, &d, DDLOCK_WAIT, nullptr));
    const int bytes = d.ddpfPixelFormat.dwRGBBitCount == 8 ? 1 : 2;
    EXPECT_EQ(static_cast<std::size_t>(d.dwWidth) * d.dwHeight, pixels.size()) << "a whole picture";
    for (DWORD y = 0; y < d.dwHeight; ++y)
        for (DWORD x = 0; x < d.dwWidth && y * d.dwWidth + x < pixels.size(); ++x) {
            auto* at = static_cast<std::uint8_t*>(d.lpSurface) + y * d.lPitch + x * bytes;
            const std::uint16_t v = pixels[y * d.dwWidth + x];
            if (bytes == 2)
                std::memcpy(at, &v, 2);
            else
                at[0] = static_cast<std::uint8_t>(v);
        }
    surface->Unlock(nullptr);
}

HRESULT SurfaceTest::Fill(IDirectDrawSurface7* surface, DWORD colour, RECT* rect) {
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = colour;
    return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void SurfaceTest::Clip(IDirectDrawSurface7* surface, const std::vector<RECT>& rects, HWND window) {
    std::vector<char> block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(block.data());
    region->rdh = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()),
                                static_cast<DWORD>(rects.size() * sizeof(RECT)), RECT{}};
    if (!rects.empty()) std::memcpy(region->Buffer, rects.data(), rects.size() * sizeof(RECT));
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(S_OK, dd->CreateClipper(0, &clipper, nullptr));
    ASSERT_EQ(S_OK, window ? clipper->SetHWnd(0, window) : clipper->SetClipList(region, 0));
    ASSERT_EQ(S_OK, surface->SetClipper(clipper));
    clipper->Release();  // the surface keeps its own reference
}

void RecordingHost::Present(const host::Frame& f) {
    Shot s{f.width, f.height, f.layout, {}, {}};
    const int rowBytes = f.width * (f.layout == host::PixelLayout::Indexed8 ? 1 : 2);
    for (int y = 0; y < f.height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(f.pixels) + y * f.pitch;
        s.bytes.insert(s.bytes.end(), row, row + rowBytes);
    }
    if (f.palette != nullptr) s.palette.assign(f.palette, f.palette + 1024);
    shots.push_back(s);
}

void DDrawTest::SetUp() {
    SurfaceTest::SetUp();
}

void DDrawTest::TearDown() {
    SurfaceTest::TearDown();
    SetSurfacePitchPadding(0);
}

}  // namespace gametest
