// The display device and the frame buffer.
#include "gfx/display.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/game_services.h"
#include "common/program.h"
#include "gfx/text.h"

LPDIRECTDRAW7 directDraw = nullptr;
LPDIRECTDRAWSURFACE7 primarySurface = nullptr;
LPDIRECTDRAWSURFACE7 backSurface = nullptr;
LPDIRECTDRAWPALETTE displayPalette = nullptr;
LPDIRECTDRAWCLIPPER backClipper = nullptr;
LPDIRECTDRAWCLIPPER windowClipper = nullptr;
int screenWidth = 640;
int screenHeight = 480;
int screenBpp = 16;
int windowedMode = 0;
int pixelFormat = 16;
// Set by InitDisplay; until then the common 5.6.5 packing stands in, so that a call made
// before the display exists packs a colour instead of jumping through a null pointer.
PackRgb16Function PackRgb16 = PackRgb565;
ClipRectangle ClipRect = {0, 0, 639, 479};
WORD* backBuffer = nullptr;
int backPitch = 0;
PALETTEENTRY paletteEntries[256] = {};

namespace {

// A flip the device keeps refusing is asked again this many times, then the frame is
// skipped, so that a lost display never hangs the game.
constexpr int kFlipAttempts = 4;

template <typename T>
void ReleaseAndClear(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace

WORD PackRgb565(int red, int green, int blue) {
    return static_cast<WORD>((((red >> 3) & 31) << 11) | (((green >> 2) & 63) << 5) | ((blue >> 3) & 31));
}

WORD PackRgb555(int red, int green, int blue) {
    return static_cast<WORD>((((red >> 3) & 31) << 10) | (((green >> 3) & 31) << 5) | ((blue >> 3) & 31));
}

int ReadPaletteFile(const char* fileName, PALETTEENTRY* entries) {
    std::FILE* file = services::OpenForReading(fileName);  // a pipe is refused, not waited on
    if (!file) return 0;
    int read = 0;
    for (; read < 256; ++read) {
        int red = 0, green = 0, blue = 0, flags = 0;
        if (std::fscanf(file, "%d %d %d %d", &red, &green, &blue, &flags) != 4) break;
        entries[read].peRed = static_cast<BYTE>(red);
        entries[read].peGreen = static_cast<BYTE>(green);
        entries[read].peBlue = static_cast<BYTE>(blue);
        entries[read].peFlags = static_cast<BYTE>(flags);
    }
    std::fclose(file);
    return read;
}

int InitDisplay(int width, int height, int bpp, int windowed) {
    if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr))) return 0;
    if (!windowed) {
        const DWORD level =
            DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX | DDSCL_MULTITHREADED;
        if (FAILED(directDraw->SetCooperativeLevel(mainWindow, level))) return 0;
        if (FAILED(directDraw->SetDisplayMode(width, height, bpp, 0, 0))) return 0;
    } else if (FAILED(directDraw->SetCooperativeLevel(mainWindow, DDSCL_NORMAL))) {
        return 0;
    }
    screenBpp = bpp;
    screenHeight = height;
    screenWidth = width;
    windowedMode = windowed;

    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (!windowed) {
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        desc.dwBackBufferCount = 1;
    } else {
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    }
    if (FAILED(directDraw->CreateSurface(&desc, &primarySurface, nullptr)) || !primarySurface) return 0;

    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof(format));
    format.dwSize = sizeof(format);
    primarySurface->GetPixelFormat(&format);
    pixelFormat = static_cast<int>(format.dwRGBBitCount);
    LogMessage("\npixel format = %d", pixelFormat);
    if (pixelFormat == 15) {
        PackRgb16 = PackRgb555;
        LogMessage("\npixel format = 5.5.5");
    } else {
        PackRgb16 = PackRgb565;
        LogMessage("\npixel format = 5.6.5");
    }

    if (!windowed) {
        DDSCAPS2 caps;
        std::memset(&caps, 0, sizeof(caps));
        caps.dwCaps = DDSCAPS_BACKBUFFER;
        if (FAILED(primarySurface->GetAttachedSurface(&caps, &backSurface)) || !backSurface) return 0;
    } else {
        backSurface = CreateSurface(width, height, 0, 0);
        if (!backSurface) return 0;
    }

    if (screenBpp == 8) {
        std::memset(paletteEntries, 0, sizeof(paletteEntries));
        ReadPaletteFile("PALDATA2.PAL", paletteEntries);
        DWORD caps = DDPCAPS_8BIT;
        if (windowed) {
            // The lowest and highest ten entries belong to the desktop in a window.
            for (int i = 0; i < 10; ++i) {
                paletteEntries[i].peFlags = PC_EXPLICIT;
                paletteEntries[255 - i].peFlags = PC_EXPLICIT;
            }
        } else {
            caps |= DDPCAPS_ALLOW256;
        }
        if (FAILED(directDraw->CreatePalette(caps, paletteEntries, &displayPalette, nullptr))) return 0;
        if (FAILED(primarySurface->SetPalette(displayPalette))) return 0;
    }

    if (!windowed) FillSurface(primarySurface, 0, nullptr);
    FillSurface(backSurface, 0, nullptr);

    ClipRect = ClipRectangle{0, 0, screenWidth - 1, screenHeight - 1};
    const RECT screen = {0, 0, screenWidth, screenHeight};
    backClipper = AttachClipper(backSurface, 1, &screen);

    if (!windowed) return 1;
    if (FAILED(directDraw->CreateClipper(0, &windowClipper, nullptr))) return 0;
    if (FAILED(windowClipper->SetHWnd(0, mainWindow))) return 0;
    if (FAILED(primarySurface->SetClipper(windowClipper))) return 0;
    return 1;
}

int ShutdownDisplay() {
    ReleaseAndClear(backClipper);
    ReleaseAndClear(windowClipper);
    ReleaseAndClear(displayPalette);
    ReleaseAndClear(backSurface);
    ReleaseAndClear(primarySurface);
    ReleaseAndClear(directDraw);
    return 1;
}

int FlipDisplay() {
    if (backBuffer) return 0;
    if (!primarySurface) return 0;
    if (!windowedMode) {
        for (int attempt = 0; attempt < kFlipAttempts; ++attempt) {
            if (SUCCEEDED(primarySurface->Flip(nullptr, DDFLIP_WAIT))) return 1;
        }
        return 0;  // skipped: this frame is not shown
    }
    if (!backSurface) return 0;
    RECT window;
    if (!GetWindowRect(mainWindow, &window)) return 0;
    RECT dest = {window.left, window.top, window.left + screenWidth, window.top + screenHeight};
    return SUCCEEDED(primarySurface->Blt(&dest, backSurface, nullptr, DDBLT_WAIT, nullptr)) ? 1 : 0;
}

int FillSurface(LPDIRECTDRAWSURFACE7 surface, std::uint32_t colour, RECT* rect) {
    if (!surface) return 1;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof(fx));
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = colour & 0xFFFF;
    surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    return 1;
}

int FillRectangle(int left, int top, int right, int bottom, std::uint32_t colour, LPDIRECTDRAWSURFACE7 surface) {
    if (!surface) return 1;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof(fx));
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = colour;
    RECT rect = {left, top, right, bottom};
    surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    return 1;
}

WORD* LockBackSurface() {
    if (backBuffer) return backBuffer;
    if (!backSurface) return nullptr;
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (FAILED(backSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr)) || !desc.lpSurface) {
        backBuffer = nullptr;
        backPitch = 0;
        return nullptr;
    }
    backBuffer = static_cast<WORD*>(desc.lpSurface);
    backPitch = desc.lPitch;
    return backBuffer;
}

int UnlockBackSurface() {
    if (!backBuffer) return 0;
    if (backSurface) backSurface->Unlock(nullptr);
    backBuffer = nullptr;
    backPitch = 0;
    return 1;
}

LPDIRECTDRAWSURFACE7 CreateSurface(int width, int height, DWORD memoryCaps, std::uint32_t colourKey) {
    if (!directDraw) return nullptr;
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = memoryCaps | DDSCAPS_OFFSCREENPLAIN;
    LPDIRECTDRAWSURFACE7 surface = nullptr;
    if (FAILED(directDraw->CreateSurface(&desc, &surface, nullptr)) || !surface) return nullptr;
    DDCOLORKEY key;
    key.dwColorSpaceLowValue = colourKey & 0xFFFF;
    key.dwColorSpaceHighValue = colourKey & 0xFFFF;
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
    return surface;
}

LPDIRECTDRAWCLIPPER AttachClipper(LPDIRECTDRAWSURFACE7 surface, int count, const RECT* rects) {
    if (!directDraw || !surface || count < 0 || (count > 0 && !rects)) return nullptr;
    LPDIRECTDRAWCLIPPER clipper = nullptr;
    if (FAILED(directDraw->CreateClipper(0, &clipper, nullptr)) || !clipper) return nullptr;
    // One block: the region header followed by the rectangles, as the clipper reads it.
    std::vector<RECT> block(static_cast<std::size_t>(count) + 2);
    auto* region = reinterpret_cast<RGNDATA*>(block.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(count);
    region->rdh.nRgnSize = static_cast<DWORD>(count) * sizeof(RECT);
    RECT bound = {64000, 64000, -64000, -64000};
    RECT* list = reinterpret_cast<RECT*>(region->Buffer);
    for (int i = 0; i < count; ++i) {
        list[i] = rects[i];
        if (rects[i].left < bound.left) bound.left = rects[i].left;
        if (rects[i].top < bound.top) bound.top = rects[i].top;
        if (rects[i].right > bound.right) bound.right = rects[i].right;
        if (rects[i].bottom > bound.bottom) bound.bottom = rects[i].bottom;
    }
    region->rdh.rcBound = bound;
    if (FAILED(clipper->SetClipList(region, 0)) || FAILED(surface->SetClipper(clipper))) {
        clipper->Release();
        return nullptr;
    }
    return clipper;
}
