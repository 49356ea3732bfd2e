// Tests of the drawing stand-in's device: the surface sizes it refuses and the 15-bit
// display mode's pixel format, down to text drawn and the picture presented.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ddraw.h"
#include "support/ddraw_fixture.h"

namespace {

using gametest::DDrawTest;
using gametest::Desc;
using gametest::Pixels;

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

}  // namespace
