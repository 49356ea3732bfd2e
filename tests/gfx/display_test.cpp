// Tests of the program shell in process: the main loop and frame clock, the display layer and the error file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/winmain.h"
#include "gfx/display.h"
#include "gfx/text.h"
#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
#include "support/run_game.h"

namespace {

// A headless host that notes what each pass did, and can end a run with a given code.
class LoopHost : public host::HeadlessHost {
public:
    explicit LoopHost(host::HeadlessOptions o) : HeadlessHost(std::move(o)) {}
    void PumpInput() override {
        passStarts.push_back(lastTick);
        HeadlessHost::PumpInput();
        if (Pass() == quitAtPass) host::DeliverQuit(quitCode);
    }
    void Present(const host::Frame& frame) override {
        HeadlessHost::Present(frame);
        frames.push_back({Pass(), ScreenId, menuCursor});
    }
    std::uint32_t Milliseconds() override {
        if (++readings > 1000000) throw std::runtime_error("the frame clock never stops waiting");
        return lastTick = HeadlessHost::Milliseconds();
    }
    host::CalendarTime Calendar() override { return host::CalendarTime{calendarSeconds, calendarMs}; }

    struct Shown { int pass, screen, cursor; };
    std::vector<Shown> frames;
    std::vector<std::uint32_t> passStarts;
    std::uint32_t lastTick = 0;
    long readings = 0;
    int quitAtPass = -1, quitCode = 0;
    std::int64_t calendarSeconds = 1000000000;
    WORD calendarMs = 0;
};

host::HeadlessOptions Scripted(const char* script) {
    host::HeadlessOptions o;
    std::string error;
    EXPECT_TRUE(host::ParseScript(script, o.script, error)) << error;
    return o;
}

int RunWinMain() {
    char commandLine[1] = {'\0'};
    return WinMain(nullptr, nullptr, commandLine, SW_SHOW);
}

TEST(MainLoop, EachPassDispatchesOneMessageThenRunsItsFrame) {
    LoopHost loop(Scripted("2 down S\n3 down Escape\n3 down Down\n"));
    loop.quitAtPass = 6;
    loop.quitCode = 7;
    host::Install(&loop);
    EXPECT_EQ(7, RunWinMain()) << "the exit code is the quit message's wParam";
    host::Install(nullptr);
    // Pass 2's frame already shows play; pass 3 and 4 each take one of the two keys; the
    // quit pass runs no frame.
    const std::vector<std::vector<int>> expected = {{1, -1, 0}, {2, 0, 0}, {3, -1, 0}, {4, -1, 1}, {5, -1, 1}};
    ASSERT_EQ(expected.size(), loop.frames.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i][0], loop.frames[i].pass);
        EXPECT_EQ(expected[i][1], loop.frames[i].screen) << "pass " << expected[i][0];
        EXPECT_EQ(expected[i][2], loop.frames[i].cursor) << "pass " << expected[i][0];
    }
    for (std::size_t p = 1; p < loop.passStarts.size(); ++p) {
        const std::uint32_t period = loop.passStarts[p] - loop.passStarts[p - 1];
        EXPECT_GE(period, 30u);
        EXPECT_LE(period, 34u);
    }
}

TEST(MainLoop, FailedClassRegistrationMakesNoWindowAndExitsZero) {
    WNDCLASSEXA taken{};
    taken.cbSize = sizeof(taken);
    taken.lpfnWndProc = WindowProcedure;
    taken.lpszClassName = "WINCLASS1";
    // A class left by an earlier test in this process would do, but make our own.
    if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
    UnregisterClassA("WINCLASS1", nullptr);
    ASSERT_NE(0, RegisterClassExA(&taken));
    LoopHost loop(host::HeadlessOptions{});
    loop.quitAtPass = 3;  // in case it went on anyway
    host::Install(&loop);
    EXPECT_EQ(0, RunWinMain());
    host::Install(nullptr);
    EXPECT_FALSE(loop.WindowOpen());
    EXPECT_TRUE(loop.frames.empty());
}

TEST(FrameClock, WaitIsRightAcrossTheTickWrap) {
    for (const std::uint32_t start : {0xFFFFFFF0u, 0xFFFFFFFFu, 0xFFFFFFE2u}) {
        for (const std::uint32_t step : {1u, 7u}) {
            host::HeadlessOptions o;
            o.millisecondsPerReading = step;
            LoopHost clock(o);
            clock.SetClock(start);
            host::Install(&clock);
            EXPECT_EQ(start, StartFrameClock());
            EXPECT_EQ(start, frameStartTick);
            std::uint32_t after = 0;
            EXPECT_NO_THROW(after = WaitFrameClock(30));
            host::Install(nullptr);
            EXPECT_GE(after - start, 30u) << std::hex << start << " step " << step;
            EXPECT_LE(after - start, 30u + 2 * step) << std::hex << start << " step " << step;
        }
    }
}

// The display layer, with the error file open on a scratch stream to catch its log lines.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::Install(&host_);
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
        host::Install(nullptr);
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

// A surface and a device that only record what the display layer hands them.
struct RecordingClipper : IDirectDrawClipper {
    DWORD AddRef() override { return ++refs; }
    DWORD Release() override { return --refs; }
    HRESULT SetClipList(const RGNDATA* region, DWORD flags) override {
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

struct RecordingSurface : IDirectDrawSurface7 {
    DWORD AddRef() override { return 1; }
    DWORD Release() override { return 1; }
    HRESULT Blt(LPRECT dest, IDirectDrawSurface7*, LPRECT, DWORD flags, DDBLTFX* fx) override {
        fills.push_back({dest ? *dest : RECT{-1, -1, -1, -1}, flags, fx ? fx->dwFillColor : 0});
        return S_OK;
    }
    HRESULT Flip(IDirectDrawSurface7*, DWORD) override { return ++flips, S_OK; }
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
    struct Fill { RECT rect; DWORD flags; DWORD colour; };
    std::vector<Fill> fills;
    IDirectDrawClipper* clipper = nullptr;
    int flips = 0;
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
    RecordingSurface surface;
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
    RecordingSurface surface;
    LPDIRECTDRAW7 saved = directDraw;
    directDraw = &device;
    const RGNDATAHEADER& h = device.clipper.header;
    const RECT screen = {0, 0, 640, 480};
    EXPECT_EQ(&device.clipper, AttachClipper(&surface, 1, &screen));
    EXPECT_EQ(&device.clipper, surface.clipper);
    EXPECT_EQ("32,1,1,16", std::to_string(h.dwSize) + "," + std::to_string(h.iType) + "," +
                               std::to_string(h.nCount) + "," + std::to_string(h.nRgnSize));
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

// The error file and text.
class ErrorFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        CloseErrorFile();
        host::Install(nullptr);
    }
    // Runs `body` with a standard stream's descriptor pointed at a scratch file; returns what it got.
    static std::string Captured(std::FILE* stream, void (*body)(std::FILE*)) {
        const int fd = fileno(stream);
        std::fflush(stream);
        std::FILE* sink = std::tmpfile();
        const int saved = dup(fd);
        dup2(fileno(sink), fd);
        body(stream);
        std::fflush(stream);
        const bool stillOpen = fcntl(fd, F_GETFD) != -1;
        dup2(saved, fd);
        close(saved);
        std::string text;
        std::rewind(sink);
        for (int c; (c = std::fgetc(sink)) != EOF;) text += static_cast<char>(c);
        std::fclose(sink);
        return stillOpen ? text : "(closed)";
    }
};

TEST_F(ErrorFileTest, LogMessageWritesOnlyWhileOpen) {
    EXPECT_EQ(0, LogMessage("\nnobody hears %d", 1));
    std::FILE* log = std::tmpfile();
    ASSERT_EQ(1, OpenErrorFile("err.log", log));
    const long opened = std::ftell(log);
    const char* volatile noFormat = nullptr;
    EXPECT_EQ(0, LogMessage(noFormat));
    EXPECT_EQ(opened, std::ftell(log));
    EXPECT_EQ(1, LogMessage("|100%% and %%d|"));
    const std::string longText(200, 'x');
    EXPECT_EQ(1, LogMessage("%s", longText.c_str()));
    std::string text;
    std::fseek(log, opened, SEEK_SET);
    for (int c; (c = std::fgetc(log)) != EOF;) text += static_cast<char>(c);
    EXPECT_EQ("|100% and %d|" + std::string(79, 'x'), text);
}

TEST_F(ErrorFileTest, OpeningLineCarriesTheTimeStamp) {
    setenv("TZ", "UTC", 1);
    tzset();
    LoopHost clock(host::HeadlessOptions{});
    clock.calendarSeconds = 1000864000;  // Wed Sep 19 01:46:40 2001
    clock.calendarMs = 7;
    host::Install(&clock);
    std::FILE* log = std::tmpfile();
    ASSERT_EQ(1, OpenErrorFile("err.log", log));
    std::string text;
    std::rewind(log);
    for (int c; (c = std::fgetc(log)) != EOF;) text += static_cast<char>(c);
    EXPECT_EQ("\nOpening Error Output File (err.log) on Wed Sep 19 01:46:40.7, 2001\n\n", text);
    CloseErrorFile();

    clock.calendarMs = 123;
    clock.calendarSeconds = 1234567890;
    const std::string line = Captured(stdout, [](std::FILE* out) {
        OpenErrorFile("out", out);
        CloseErrorFile();
        EXPECT_EQ(0, CloseErrorFile());
    });
    const std::regex form(
        "\nOpening Error Output File \\(out\\) on [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
        "[0-9]{2}:[0-9]{2}:[0-9]{2}\\.123, [0-9]{4}\n\n\nClosing Error Output File\\.");
    EXPECT_TRUE(std::regex_match(line, form)) << line;
}

TEST_F(ErrorFileTest, ClosingLeavesTheStandardStreamsOpen) {
    for (std::FILE* standard : {stdout, stderr}) {
        const std::string text = Captured(standard, [](std::FILE* s) {
            ASSERT_EQ(1, OpenErrorFile("std", s));
            EXPECT_EQ(1, LogMessage("\nmiddle"));
            EXPECT_EQ(1, CloseErrorFile());
        });
        EXPECT_NE(std::string::npos, text.find("\nmiddle\nClosing Error Output File.")) << text;
        EXPECT_EQ(0, CloseErrorFile());
        EXPECT_NE(EOF, std::fflush(standard));
    }
}

TEST(Text, EmptyTextDrawsNothingAndSucceeds) {
    ASSERT_EQ(1, InitDisplay(640, 480, 16, 0));
    FillSurface(backSurface, 0x1234, nullptr);
    EXPECT_EQ(1, DrawString("", 0, 0, 0xFFFFFF, backSurface));
    EXPECT_EQ(0, DrawString("X", 0, 0, 0xFFFFFF, nullptr));
    WORD* pixels = LockBackSurface();
    ASSERT_NE(nullptr, pixels);
    int changed = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) changed += pixels[y * (backPitch / 2) + x] != 0x1234;
    EXPECT_EQ(0, changed);
    UnlockBackSurface();
    ShutdownDisplay();
}

}  // namespace
