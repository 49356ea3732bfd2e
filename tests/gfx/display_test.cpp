// Tests of the display layer: pixel packings, locks and flips, fills, the 8-bit palette,
// and what it asks of the drawing device for fills, flips and clippers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gfx/display.h"
#include "gfx/text.h"
#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
#include "support/fake_surface.h"
#include "support/installed_host.h"
#include "support/loop_host.h"
#include "support/run_game.h"

namespace {

using gametest::LoopHost;

// The display layer, with the error file open on a scratch stream to catch its log lines.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        log_ = std::tmpfile();
        ASSERT_NE(nullptr, log_);
        ASSERT_EQ(1, OpenErrorFile("err.log", log_));
    }
    void TearDown() override {
        CloseErrorFile();  // closes log_ too
        if (backBuffer) UnlockBackSurface();
        ShutdownDisplay();
        SetDesktopBitsPerPixel(16);
        SetSurfacePitchPadding(0);
    }
    std::string Logged() {
        std::fflush(log_);
        std::rewind(log_);
        std::string text;
        for (int c; (c = std::fgetc(log_)) != EOF;) text += static_cast<char>(c);
        std::fseek(log_, 0, SEEK_END);
        return text;
    }
    WORD BackPixel(int x, int y) {
        WORD* p = LockBackSurface();
        const WORD value = p ? p[y * (backPitch / 2) + x] : 0xDEAD;
        UnlockBackSurface();
        return value;
    }
    LoopHost host_{host::HeadlessOptions{}};
    gametest::InstalledHost installed_{host_};
    std::FILE* log_ = nullptr;
};

TEST_F(DisplayTest, PixelFormatPicksThePacking) {
    ASSERT_EQ(1, InitDisplay(640, 480, 15, 0));
    EXPECT_EQ(15, pixelFormat);
    EXPECT_EQ(0x7FFF, PackRgb16(255, 255, 255));
    EXPECT_EQ(0x7C00 | 0x0200 | 0x0001, PackRgb16(0xFF, 0x87, 0x0F));  // low bits dropped
    EXPECT_EQ(639, ClipRect.maxX);
    EXPECT_EQ(479, ClipRect.maxY);
    ShutdownDisplay();
    ASSERT_EQ(1, InitDisplay(640, 480, 16, 0));
    EXPECT_EQ(16, pixelFormat);
    EXPECT_EQ(0xFFFF, PackRgb16(255, 255, 255));
    EXPECT_EQ(0xF800 | 0x0420 | 0x0001, PackRgb16(0xFF, 0x87, 0x0F));
    const std::string log = Logged();
    EXPECT_NE(std::string::npos,
              log.find("\npixel format = 15\npixel format = 5.5.5\npixel format = 16\npixel format = 5.6.5"))
        << log;
}

TEST_F(DisplayTest, LocksNestOnceAndFlipWaitsForTheUnlock) {
    SetSurfacePitchPadding(8);
    ASSERT_EQ(1, InitDisplay(640, 480, 16, 0));
    WORD* first = LockBackSurface();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(640 * 2 + 8, backPitch);
    EXPECT_EQ(first, LockBackSurface());
    const int presented = host_.FramesPresented();
    EXPECT_EQ(0, FlipDisplay());
    EXPECT_EQ(presented, host_.FramesPresented());
    EXPECT_EQ(1, UnlockBackSurface());
    EXPECT_EQ(nullptr, backBuffer);
    EXPECT_EQ(0, backPitch);
    EXPECT_EQ(0, UnlockBackSurface());
    EXPECT_EQ(1, FlipDisplay());
    EXPECT_EQ(presented + 1, host_.FramesPresented());
    EXPECT_NE(nullptr, LockBackSurface()) << "the surface itself was left locked";
}

TEST_F(DisplayTest, FillsKeepTheLowSixteenBitsOnASixteenBitSurface) {
    ASSERT_EQ(1, InitDisplay(640, 480, 16, 0));
    EXPECT_EQ(1, FillSurface(backSurface, 0x12345678u, nullptr));
    EXPECT_EQ(0x5678, BackPixel(0, 0));
    EXPECT_EQ(0x5678, BackPixel(639, 479));
    EXPECT_EQ(1, FillRectangle(10, 20, 30, 40, 0xABCD1234u, backSurface));
    EXPECT_EQ(0x1234, BackPixel(10, 20));
    EXPECT_EQ(0x1234, BackPixel(29, 39));
    EXPECT_EQ(0x5678, BackPixel(30, 39)) << "right and bottom are exclusive";
    EXPECT_EQ(0x5678, BackPixel(29, 40));
}

TEST_F(DisplayTest, EightBitWindowedPaletteReservesTwentyEntries) {
    const auto here = std::filesystem::current_path();
    gamerun::ScratchFolder scratch;
    std::filesystem::current_path(scratch.Path());
    {
        std::ofstream pal("PALDATA2.PAL");
        for (int i = 0; i < 256; ++i) pal << i << ' ' << 255 - i << ' ' << (i == 7 ? 300 : i / 2) << " 4\n";
    }
    for (const int windowed : {1, 0}) {
        SetDesktopBitsPerPixel(8);
        ASSERT_EQ(1, InitDisplay(640, 480, 8, windowed));
        ASSERT_NE(nullptr, displayPalette);
        PALETTEENTRY handed[256];
        ASSERT_EQ(S_OK, displayPalette->GetEntries(0, 0, 256, handed));
        for (int i = 0; i < 256; ++i) {
            const int wanted = windowed && (i < 10 || i > 245) ? 2 : 4;
            EXPECT_EQ(wanted, handed[i].peFlags) << "entry " << i << " windowed " << windowed;
            EXPECT_EQ(i, handed[i].peRed);
            EXPECT_EQ(255 - i, handed[i].peGreen);
        }
        EXPECT_EQ(300 & 0xFF, handed[7].peBlue);
        ShutdownDisplay();
    }
    std::filesystem::current_path(here);
}

// A clipper and a device that only record what the display layer hands them.
struct RecordingClipper : IDirectDrawClipper {
    DWORD AddRef() override { return ++refs; }
    DWORD Release() override { return --refs; }
    HRESULT SetClipList(RGNDATA* region, DWORD flags) override {
        header = region->rdh;
        const RECT* list = reinterpret_cast<const RECT*>(region->Buffer);
        rects.assign(list, list + region->rdh.nCount);
        EXPECT_EQ(0u, flags);
        return failClipList ? E_FAIL : S_OK;
    }
    HRESULT SetHWnd(DWORD, HWND) override { return S_OK; }
    DWORD refs = 1;
    bool failClipList = false;
    RGNDATAHEADER header{};
    std::vector<RECT> rects;
};

struct RecordingDevice : IDirectDraw7 {
    DWORD AddRef() override { return 1; }
    DWORD Release() override { return 1; }
    HRESULT SetCooperativeLevel(HWND, DWORD) override { return E_FAIL; }
    HRESULT SetDisplayMode(DWORD, DWORD, DWORD, DWORD, DWORD) override { return E_FAIL; }
    HRESULT CreateSurface(DDSURFACEDESC2*, IDirectDrawSurface7**, IUnknown*) override { return E_FAIL; }
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** out, IUnknown*) override {
        EXPECT_EQ(0u, flags);
        *out = &clipper;
        return S_OK;
    }
    HRESULT CreatePalette(DWORD, PALETTEENTRY*, IDirectDrawPalette**, IUnknown*) override { return E_FAIL; }
    RecordingClipper clipper;
};

TEST(DisplayCalls, FillsAndFlipsAskTheDeviceAsTheyShould) {
    gametest::FakeSurface surface;
    primarySurface = &surface;
    WORD pixel = 0;
    backBuffer = &pixel;  // as if locked
    EXPECT_EQ(0, FlipDisplay());
    EXPECT_EQ(0, surface.flips) << "no flip is asked for while the back surface is locked";
    backBuffer = nullptr;
    EXPECT_EQ(1, FlipDisplay());
    EXPECT_EQ(1, surface.flips);
    primarySurface = nullptr;
    FillSurface(&surface, 0x12345678u, nullptr);
    FillRectangle(1, 2, 3, 4, 0x12345678u, &surface);
    ASSERT_EQ(2u, surface.fills.size());
    EXPECT_EQ(0x5678u, surface.fills[0].colour);
    EXPECT_EQ(-1, surface.fills[0].rect.left) << "null rectangle: the whole surface";
    EXPECT_EQ(0x12345678u, surface.fills[1].colour);
    EXPECT_EQ(4, surface.fills[1].rect.bottom);
    for (const auto& f : surface.fills) EXPECT_EQ(DDBLT_COLORFILL | DDBLT_WAIT, f.flags);
}

std::string Box(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(DisplayCalls, ClipperRegionBoundIsTheUnionBox) {
    RecordingDevice device;
    gametest::FakeSurface surface;
    LPDIRECTDRAW7 saved = directDraw;
    directDraw = &device;
    const RGNDATAHEADER& h = device.clipper.header;
    const RECT screen = {0, 0, 640, 480};
    EXPECT_EQ(&device.clipper, AttachClipper(&surface, 1, &screen));
    EXPECT_EQ(&device.clipper, surface.clipper);
    EXPECT_EQ("32,1,1,16", std::to_string(h.dwSize) + "," + std::to_string(h.iType) + "," + std::to_string(h.nCount) +
                               "," + std::to_string(h.nRgnSize));
    EXPECT_EQ("0,0,640,480", Box(h.rcBound));

    EXPECT_NE(nullptr, AttachClipper(&surface, 0, nullptr));
    EXPECT_EQ(0u, h.nCount + h.nRgnSize);
    EXPECT_EQ("64000,64000,-64000,-64000", Box(h.rcBound));

    const RECT several[3] = {{100, 50, 200, 60}, {-5, 70, 20, 90}, {30, 10, 40, 500}};
    EXPECT_NE(nullptr, AttachClipper(&surface, 3, several));
    EXPECT_EQ(48u, h.nRgnSize);
    EXPECT_EQ("-5,10,200,500", Box(h.rcBound));
    ASSERT_EQ(3u, device.clipper.rects.size());
    EXPECT_EQ("-5,70,20,90", Box(device.clipper.rects[1]));

    device.clipper.failClipList = true;
    const DWORD refs = device.clipper.refs;
    EXPECT_EQ(nullptr, AttachClipper(&surface, 1, &screen));
    EXPECT_EQ(refs - 1, device.clipper.refs) << "a clipper that could not be set up is given back";
    directDraw = saved;
}

}  // namespace
