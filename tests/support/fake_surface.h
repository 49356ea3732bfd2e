// A surface that draws nothing, for tests of the display layer: it notes the fills and
// flips it is asked for and the clipper it is given, and refuses a given number of flips
// before it takes them. Everything else fails.
#pragma once

#include <vector>

#include "platform/ddraw.h"

namespace gametest {

struct FakeSurface : IDirectDrawSurface7 {
    DWORD AddRef() override { return 1; }
    DWORD Release() override { return 1; }
    HRESULT Blt(LPRECT dest, IDirectDrawSurface7*, LPRECT, DWORD flags, DDBLTFX* fx) override {
        fills.push_back({dest ? *dest : RECT{-1, -1, -1, -1}, flags, fx ? fx->dwFillColor : 0});
        return S_OK;
    }
    HRESULT Flip(IDirectDrawSurface7*, DWORD) override { return ++flips > refusals ? S_OK : DDERR_SURFACEBUSY; }
    HRESULT GetAttachedSurface(DDSCAPS2*, IDirectDrawSurface7**) override { return E_FAIL; }
    HRESULT GetPixelFormat(DDPIXELFORMAT*) override { return E_FAIL; }
    HRESULT GetSurfaceDesc(DDSURFACEDESC2*) override { return E_FAIL; }
    HRESULT Lock(LPRECT, DDSURFACEDESC2*, DWORD, void*) override { return E_FAIL; }
    HRESULT Unlock(LPRECT) override { return E_FAIL; }
    HRESULT SetColorKey(DWORD, DDCOLORKEY*) override { return S_OK; }
    HRESULT GetColorKey(DWORD, DDCOLORKEY*) override { return E_FAIL; }
    HRESULT SetClipper(IDirectDrawClipper* c) override { return clipper = c, S_OK; }
    HRESULT GetClipper(IDirectDrawClipper**) override { return E_FAIL; }
    HRESULT SetPalette(IDirectDrawPalette*) override { return E_FAIL; }
    HRESULT GetDC(HDC*) override { return E_FAIL; }
    HRESULT ReleaseDC(HDC) override { return E_FAIL; }

    // A colour fill asked for: its rectangle ({-1, -1, -1, -1} for the whole surface), flags and colour.
    struct Fill {
        RECT rect;
        DWORD flags;
        DWORD colour;
    };
    std::vector<Fill> fills;
    IDirectDrawClipper* clipper = nullptr;
    int refusals = 0;  // flips refused before the first one taken
    int flips = 0;     // flips asked for, refused or taken
};

}  // namespace gametest
