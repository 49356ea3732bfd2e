// A colour fill of a whole surface is written only when something needs its pixels, and not
// at all where opaque blits cover it first. Whatever the order of fills, blits, locks, text
// and flips, every pixel read back or presented must be what doing each step at once leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "hosts/null_host.h"
#include "platform/ddraw.h"
#include "platform/windows.h"
#include "support/ddraw_fixture.h"
#include "support/installed_host.h"

namespace {

using gametest::kKey;
using gametest::kKeyed;
using gametest::Pixels;

// Keeps the last presented picture, rows packed.
class LastPictureHost : public host::NullHost {
public:
    Pixels last;
    void Present(const host::Frame& f) override {
        last.clear();
        for (int y = 0; y < f.height; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint16_t*>(static_cast<const std::uint8_t*>(f.pixels) + y * f.pitch);
            last.insert(last.end(), row, row + f.width);
        }
    }
    // A clock that stands still: these tests never wait on it.
    std::uint32_t Milliseconds() override { return 0; }
};

class DeferredClear : public gametest::SurfaceTest {
protected:
    LastPictureHost host_;
    gametest::InstalledHost installed_{host_};
};

// The screen as the test expects it, drawn pixel by pixel.
struct Model {
    int width, height;
    std::vector<RECT> clips;  // empty: no clipper
    Pixels pixels;
    bool Drawn(int x, int y) const {
        if (clips.empty()) return true;
        for (const RECT& c : clips)
            if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) return true;
        return false;
    }
    void Fill(const RECT& r, std::uint16_t colour) {
        for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y)
            for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x)
                if (Drawn(x, y)) pixels[static_cast<std::size_t>(y) * width + x] = colour;
    }
    void Copy(const RECT& dest, const Pixels& from, int fromWidth, bool keyed) {
        for (int y = std::max<LONG>(dest.top, 0); y < std::min<LONG>(dest.bottom, height); ++y)
            for (int x = std::max<LONG>(dest.left, 0); x < std::min<LONG>(dest.right, width); ++x) {
                const std::uint16_t p = from[static_cast<std::size_t>(y - dest.top) * fromWidth + (x - dest.left)];
                if (Drawn(x, y) && (!keyed || p != kKey)) pixels[static_cast<std::size_t>(y) * width + x] = p;
            }
    }
};

TEST_F(DeferredClear, AnyRunOfFillsAndBlitsReadsBackAsIfEachWereDoneAtOnce) {
    std::mt19937 random(31337);
    constexpr int kW = 48, kH = 32;
    // Pictures to blit: one opaque, one with holes of the key, one whose pixels are all the key.
    constexpr int kPw = 30, kPh = 20;
    Pixels opaque(kPw * kPh), holes(kPw * kPh), allKey(kPw * kPh, kKey);
    for (int i = 0; i < kPw * kPh; ++i) {
        opaque[i] = static_cast<std::uint16_t>(0x1000 + i);
        holes[i] = i % 7 < 2 ? kKey : static_cast<std::uint16_t>(0x4000 + i);
    }
    IDirectDrawSurface7* pictures[3] = {Make(kPw, kPh, kKey), Make(kPw, kPh, kKey), Make(kPw, kPh, kKey)};
    const Pixels* contents[3] = {&opaque, &holes, &allKey};
    for (int i = 0; i < 3; ++i) Write(pictures[i], *contents[i]);

    const std::vector<std::vector<RECT>> clipChoices = {
        {RECT{0, 0, kW, kH}}, {RECT{0, 0, 30, kH}, RECT{30, 0, kW, kH}}, {RECT{4, 2, 40, 30}}, {}};
    for (int run = 0; run < 300; ++run) {
        const std::vector<RECT>& clips = clipChoices[static_cast<std::size_t>(run) % clipChoices.size()];
        IDirectDrawSurface7* screen = Make(kW, kH);
        if (!clips.empty()) Clip(screen, clips);
        Model model{kW, kH, clips, Pixels(kW * kH, 0)};
        const int steps = 1 + static_cast<int>(random() % 6);
        std::string story;
        for (int step = 0; step < steps; ++step) {
            const auto colour = static_cast<std::uint16_t>(random() % 0xFFFF);
            // Rectangles hang over the edges only where a clipper trims them.
            auto rect = [&](int w, int h) {
                const int slack = clips.empty() ? 0 : 10;
                const LONG x = static_cast<LONG>(random() % (kW - w + 1 + 2 * slack)) - slack;
                const LONG y = static_cast<LONG>(random() % (kH - h + 1 + 2 * slack)) - slack;
                return RECT{x, y, x + w, y + h};
            };
            switch (random() % 4) {
                case 0: {  // clear the whole screen
                    ASSERT_EQ(S_OK, Fill(screen, colour));
                    model.Fill(RECT{0, 0, kW, kH}, colour);
                    story += "clear ";
                    break;
                }
                case 1: {  // fill a part
                    RECT r = rect(1 + static_cast<int>(random() % kW), 1 + static_cast<int>(random() % kH));
                    ASSERT_EQ(S_OK, Fill(screen, colour, &r));
                    model.Fill(r, colour);
                    story += "fill ";
                    break;
                }
                default: {  // blit a picture or a part of one, keyed or not
                    const int which = static_cast<int>(random() % 3);
                    const bool keyed = random() % 4 != 0;
                    const int w = 1 + static_cast<int>(random() % kPw), h = 1 + static_cast<int>(random() % kPh);
                    RECT src{0, 0, w, h};
                    RECT dest = rect(w, h);
                    // Some blits take a whole band of the screen: the full height or width.
                    if (random() % 3 == 0) {
                        src = RECT{0, 0, kPw, kPh};
                        dest = RECT{static_cast<LONG>(random() % kW) - kPw + 1, 0, 0, kPh};
                        dest.right = dest.left + kPw;
                        if (clips.empty()) dest = RECT{0, 0, kPw, kPh};
                    }
                    ASSERT_EQ(S_OK, screen->Blt(&dest, pictures[which], &src, keyed ? kKeyed : DDBLT_WAIT, nullptr));
                    Pixels part(static_cast<std::size_t>(src.right) * src.bottom);
                    for (int y = 0; y < src.bottom; ++y)
                        for (int x = 0; x < src.right; ++x)
                            part[static_cast<std::size_t>(y) * src.right + x] = (*contents[which])[y * kPw + x];
                    model.Copy(dest, part, src.right, keyed);
                    story += keyed ? "keyed " : "plain ";
                    break;
                }
            }
        }
        ASSERT_EQ(model.pixels, Read(screen)) << "run " << run << ": " << story;
    }
}

TEST_F(DeferredClear, AClearedPictureIsWhatTheNextBlitFromItCopies) {
    IDirectDrawSurface7* picture = Make(16, 8, kKey);
    IDirectDrawSurface7* screen = Make(16, 8);
    ASSERT_EQ(S_OK, Fill(picture, 0x0123));
    ASSERT_EQ(S_OK, screen->Blt(nullptr, picture, nullptr, kKeyed, nullptr));
    EXPECT_EQ(Pixels(16 * 8, 0x0123), Read(screen));
    ASSERT_EQ(S_OK, Fill(picture, kKey));
    ASSERT_EQ(S_OK, Fill(screen, 0x0777));
    ASSERT_EQ(S_OK, screen->Blt(nullptr, picture, nullptr, kKeyed, nullptr));
    EXPECT_EQ(Pixels(16 * 8, 0x0777), Read(screen)) << "a picture cleared to its key draws nothing";
}

TEST_F(DeferredClear, TextGoesOverAClearMadeWhileTheContextIsOut) {
    IDirectDrawSurface7* screen = Make(32, 16);
    HDC dc = nullptr;
    ASSERT_EQ(S_OK, screen->GetDC(&dc));
    ASSERT_EQ(S_OK, Fill(screen, 0x0841));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(dc, 2, 2, "W", 1));
    ASSERT_EQ(S_OK, screen->ReleaseDC(dc));
    const Pixels shown = Read(screen);
    int ink = 0, clear = 0;
    for (std::uint16_t p : shown) {
        ink += p == 0xFFFF;
        clear += p == 0x0841;
    }
    EXPECT_GT(ink, 5) << "the letter stays on top of the clear";
    EXPECT_EQ(32 * 16, ink + clear);
}

TEST_F(DeferredClear, AFlipPresentsTheClearAndWhatCoversPartOfIt) {
    FullScreen(16, 40, 20);
    IDirectDrawSurface7* primary = MakePrimaryChain();
    Clip(back, {RECT{0, 0, 40, 20}});
    IDirectDrawSurface7* picture = Make(25, 20, kKey);
    ASSERT_EQ(S_OK, Fill(picture, 0x0F0F));

    for (int frame = 0; frame < 3; ++frame) {
        const auto clear = static_cast<std::uint16_t>(0x0100 * (frame + 1));
        ASSERT_EQ(S_OK, Fill(back, clear));
        RECT at{-5 + frame * 10, 0, 20 + frame * 10, 20};  // covers the left part of the screen, then a middle part
        ASSERT_EQ(S_OK, back->Blt(&at, picture, nullptr, kKeyed, nullptr));
        ASSERT_EQ(S_OK, primary->Flip(nullptr, DDFLIP_WAIT));
        ASSERT_EQ(40u * 20u, host_.last.size());
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool covered = x >= at.left && x < at.right;
                ASSERT_EQ(covered ? 0x0F0F : clear, host_.last[static_cast<std::size_t>(y) * 40 + x])
                    << "frame " << frame << " at " << x << "," << y;
            }
    }
}

}  // namespace
