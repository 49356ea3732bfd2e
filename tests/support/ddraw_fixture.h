// Fixtures for tests of the drawing stand-in. SurfaceTest has a device of its own and
// makes the surfaces a test draws on, reads and writes their pixels through a lock, fills
// them and gives them clippers; DDrawTest adds a host that keeps every picture presented.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "hosts/null_host.h"
#include "platform/ddraw.h"
#include "support/installed_host.h"

namespace gametest {

using Pixels = std::vector<std::uint16_t>;
// The game's colour key, magenta in 5.6.5, and the flags of a blit that leaves it out.
constexpr std::uint16_t kKey = 0xF81F;
constexpr DWORD kKeyed = DDBLT_KEYSRC | DDBLT_WAIT;

inline DDSURFACEDESC2 Desc(DWORD flags = 0, DWORD caps = 0) {
    DDSURFACEDESC2 d{};
    d.dwSize = sizeof d;
    d.dwFlags = flags;
    d.ddsCaps.dwCaps = caps;
    return d;
}

// A surface's picture: width x height pixels of 1 or 2 bytes, rows without gaps.
struct Picture {
    int width = 0;
    int height = 0;
    int bytes = 2;
    Pixels pixels;  // the low byte only for 1-byte pictures
    std::uint16_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint16_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Releases every surface made, back buffers before their primaries, then the device.
    void TearDown() override;
    // Full-screen mode of this depth and size, with the game's cooperative level; surfaces
    // made after it take the depth.
    void FullScreen(DWORD bpp, DWORD width = 640, DWORD height = 480);
    // An off-screen surface in system memory, colour-keyed when `key` is not negative, in
    // the pixel format `pf` when one is given, else in the display's.
    IDirectDrawSurface7* Make(int width, int height, int key = -1, const DDPIXELFORMAT* pf = nullptr);
    // The primary of a flip chain; its back buffer goes to `back`.
    IDirectDrawSurface7* MakePrimaryChain();
    static void SetKey(IDirectDrawSurface7* surface, int key);
    // The whole picture read, or written, through a lock, row by row with the lock's pitch.
    static Picture ReadPicture(IDirectDrawSurface7* surface);
    static Pixels Read(IDirectDrawSurface7* surface) { return ReadPicture(surface).pixels; }
    static void Write(IDirectDrawSurface7* surface, const Pixels& pixels);
    static HRESULT Fill(IDirectDrawSurface7* surface, DWORD colour, RECT* rect = nullptr);
    // A clipper with these rectangles, or bound to a window when one is given.
    void Clip(IDirectDrawSurface7* surface, const std::vector<RECT>& rects, HWND window = nullptr);

    IDirectDraw7* dd = nullptr;
    IDirectDrawSurface7* back = nullptr;
    std::vector<IDirectDrawSurface7*> owned;
};

class RecordingHost : public host::NullHost {
public:
    // A presented picture: its rows packed without padding, and the palette's 1024 bytes.
    struct Shot {
        int width, height;
        host::PixelLayout layout;
        std::vector<std::uint8_t> bytes, palette;
    };
    std::vector<Shot> shots;

    void Present(const host::Frame& f) override;
    // A clock that stands still: these tests never wait on it.
    std::uint32_t Milliseconds() override { return 0; }
};

// The surface fixture with the recording host installed, and the surfaces' pitch padding
// back to none after each test.
class DDrawTest : public SurfaceTest {
protected:
    void SetUp() override;
    void TearDown() override;

    RecordingHost rec;
    InstalledHost installed{rec};
};

}  // namespace gametest
