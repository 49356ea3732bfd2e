// The display's less travelled paths: the windowed 16-bit flip, a flip the device keeps
// refusing, and an 8-bit palette file that is missing or short.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "common/program.h"
#include "gfx/display.h"
#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
#include "support/fake_surface.h"
#include "support/installed_host.h"
#include "support/run_game.h"

namespace {

TEST(DisplayFlip, ARefusedFlipIsAskedAgainFourTimesAtMostThenTheFrameIsSkipped) {
    gametest::FakeSurface surface;  // its flips fail a given number of times before they succeed
    LPDIRECTDRAWSURFACE7 saved = primarySurface;
    const int savedWindowed = windowedMode;
    primarySurface = &surface;
    windowedMode = 0;
    surface.refusals = 3;
    EXPECT_EQ(1, FlipDisplay()) << "the fourth try succeeds";
    EXPECT_EQ(4, surface.flips);
    surface.flips = 0;
    surface.refusals = 1000;
    EXPECT_EQ(0, FlipDisplay()) << "a display that keeps refusing skips the frame";
    EXPECT_EQ(4, surface.flips) << "and is never asked more than four times";
    primarySurface = saved;
    windowedMode = savedWindowed;
}

// The display on a headless host that keeps the last presented frame, with a window.
class DisplayWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::HeadlessOptions options;
        options.keepLastFrame = true;
        host_ = std::make_unique<host::HeadlessHost>(options);
        installed_.emplace(host_.get());
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "DISPLAYPATHS";
        RegisterClassExA(&wc);
        mainWindow =
            CreateWindowExA(0, "DISPLAYPATHS", "Display", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, mainWindow);
        here_ = std::filesystem::current_path();
        std::filesystem::current_path(scratch_.Path());
    }
    void TearDown() override {
        std::filesystem::current_path(here_);
        if (backBuffer) UnlockBackSurface();
        ShutdownDisplay();
        SetDesktopBitsPerPixel(16);
        DestroyWindow(mainWindow);
        mainWindow = nullptr;
        UnregisterClassA("DISPLAYPATHS", nullptr);
        installed_.reset();
    }
    // The palette the display handed the device.
    static std::vector<PALETTEENTRY> Handed() {
        std::vector<PALETTEENTRY> entries(256);
        if (!displayPalette || displayPalette->GetEntries(0, 0, 256, entries.data()) != S_OK) entries.clear();
        return entries;
    }
    std::unique_ptr<host::HeadlessHost> host_;
    std::optional<gametest::InstalledHost> installed_;
    gamerun::ScratchFolder scratch_;
    std::filesystem::path here_;
};

TEST_F(DisplayWindowTest, WindowedSixteenBitFlipShowsTheBackSurfaceAndKeepsIt) {
    ASSERT_EQ(1, InitDisplay(640, 480, 16, 1));
    WORD* pixels = LockBackSurface();
    ASSERT_NE(nullptr, pixels);
    pixels[10 * (backPitch / 2) + 20] = PackRgb565(255, 0, 0);
    pixels[479 * (backPitch / 2) + 639] = PackRgb565(0, 0, 255);
    UnlockBackSurface();
    const int before = host_->FramesPresented();
    ASSERT_EQ(1, FlipDisplay());
    EXPECT_EQ(before + 1, host_->FramesPresented());
    ASSERT_EQ(640, host_->LastFrameWidth());
    ASSERT_EQ(480, host_->LastFrameHeight());
    EXPECT_EQ(0xFF0000u, host_->LastFrame()[10 * 640 + 20]);
    EXPECT_EQ(0x0000FFu, host_->LastFrame()[479 * 640 + 639]);
    EXPECT_EQ(0u, host_->LastFrame()[0]);
    // A window shows a copy: the back surface still holds the picture for the next frame.
    pixels = LockBackSurface();
    ASSERT_NE(nullptr, pixels);
    EXPECT_EQ(PackRgb565(255, 0, 0), pixels[10 * (backPitch / 2) + 20]);
    UnlockBackSurface();
    ASSERT_EQ(1, FlipDisplay());
    EXPECT_EQ(0xFF0000u, host_->LastFrame()[10 * 640 + 20]);
}

TEST_F(DisplayWindowTest, MissingPaletteFileLeavesEveryEntryBlack) {
    SetDesktopBitsPerPixel(8);
    ASSERT_EQ(1, InitDisplay(640, 480, 8, 0)) << "no palette file is no reason to fail";
    const auto entries = Handed();
    ASSERT_EQ(256u, entries.size());
    for (const PALETTEENTRY& e : entries) {
        EXPECT_EQ(0, e.peRed + e.peGreen + e.peBlue);
        EXPECT_EQ(0, e.peFlags);
    }
}

TEST_F(DisplayWindowTest, ShortPaletteFileFillsWhatItHoldsAndTheRestIsBlack) {
    SetDesktopBitsPerPixel(8);
    {
        // A full palette first, so that the second start-up could keep its entries.
        std::ofstream full("PALDATA2.PAL");
        for (int i = 0; i < 256; ++i) full << "200 100 50 4\n";
    }
    ASSERT_EQ(1, InitDisplay(640, 480, 8, 1));
    ShutdownDisplay();
    {
        std::ofstream shortFile("PALDATA2.PAL");
        shortFile << "1 2 3 4\n5 6 7 4\n9 10 11 4\n12 13";  // three whole entries and a cut one
    }
    ASSERT_EQ(1, InitDisplay(640, 480, 8, 1));
    const auto entries = Handed();
    ASSERT_EQ(256u, entries.size());
    EXPECT_EQ(1, entries[0].peRed);
    EXPECT_EQ(7, entries[1].peBlue);
    EXPECT_EQ(9, entries[2].peRed);
    for (int i = 3; i < 256; ++i) {
        EXPECT_EQ(0, entries[i].peRed + entries[i].peGreen + entries[i].peBlue) << "entry " << i;
        // In a window the lowest and highest ten belong to the desktop.
        EXPECT_EQ(i < 10 || i > 245 ? 2 : 0, entries[i].peFlags) << "entry " << i;
    }
}

}  // namespace
