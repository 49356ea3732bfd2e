// Tests of the drawing stand-in's surfaces: locks and their pitch, the flip chain and what
// a flip presents, in 16-bit and in 8-bit colour with the palette.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/ddraw.h"
#include "support/ddraw_fixture.h"

namespace {

using gametest::DDrawTest;
using gametest::Desc;
using gametest::Pixels;

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

}  // namespace
