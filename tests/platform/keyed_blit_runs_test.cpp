// Colour-keyed blits from pictures that are drawn again and again, which the drawing
// stand-in copies by their opaque runs: every such blit must leave exactly the pixels that
// comparing each source pixel with the key would, also after the picture or its key changes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "platform/ddraw.h"
#include "platform/windows.h"
#include "support/ddraw_fixture.h"

namespace {

using gametest::kKey;
using gametest::kKeyed;

using gametest::Picture;

class KeyedBlitRuns : public gametest::SurfaceTest {
protected:
    // Surfaces made after this are 8-bit.
    void EightBitMode() { FullScreen(8); }
    static Picture Read(IDirectDrawSurface7* surface) { return ReadPicture(surface); }
    static void Write(IDirectDrawSurface7* surface, const Picture& p) { SurfaceTest::Write(surface, p.pixels); }

    // What a keyed blit of `from` (the source picture, area `src`) to `dest` in `onto` leaves,
    // pixel by pixel, with only the pixels inside one of `clips` drawn (all when none).
    static Picture Expected(Picture onto, Picture from, RECT src, RECT dest, std::uint16_t key,
                            const std::vector<RECT>& clips) {
        for (int y = 0; y < onto.height; ++y)
            for (int x = 0; x < onto.width; ++x) {
                if (x < dest.left || x >= dest.right || y < dest.top || y >= dest.bottom) continue;
                bool inClip = clips.empty();
                for (const RECT& c : clips) inClip |= x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                if (!inClip) continue;
                const std::uint16_t pixel = from.At(src.left + x - dest.left, src.top + y - dest.top);
                if (pixel != key) onto.At(x, y) = pixel;
            }
        return onto;
    }
};

// A picture whose rows mix long opaque runs, short runs and single key pixels, so that it is
// worth copying by runs; or, when busy, one that alternates key and colour every pixel or two.
Picture Sprite(int width, int height, int bytes, std::uint16_t key, bool busy, std::mt19937& random) {
    Picture p{width, height, bytes, std::vector<std::uint16_t>(static_cast<std::size_t>(width) * height)};
    const std::uint16_t mask = bytes == 1 ? 0xFF : 0xFFFF;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint16_t colour = static_cast<std::uint16_t>(random() & mask);
            if (colour == key) colour ^= 1;
            p.At(x, y) = colour;
        }
    for (int y = 0; y < height; ++y) {
        if (busy) {
            for (int x = 0; x < width; ++x)
                if (random() % 2) p.At(x, y) = key;
            continue;
        }
        const int holes = static_cast<int>(random() % 4);
        for (int h = 0; h < holes; ++h) {
            const int length = 1 + static_cast<int>(random() % 12);
            const int start = static_cast<int>(random() % width);
            for (int x = start; x < start + length && x < width; ++x) p.At(x, y) = key;
        }
    }
    return p;
}

TEST_F(KeyedBlitRuns, RepeatedBlitsLeaveWhatComparingEachPixelLeaves) {
    std::mt19937 random(20240601);
    for (int bytes : {2, 1}) {
        if (bytes == 1) EightBitMode();
        const std::uint16_t key = bytes == 2 ? 0xF81F : 0xE3;
        for (bool busy : {false, true}) {
            for (int round = 0; round < 6; ++round) {
                const int w = 3 + static_cast<int>(random() % 200);
                const int h = 1 + static_cast<int>(random() % 40);
                Picture art = Sprite(w, h, bytes, key, busy, random);
                IDirectDrawSurface7* source = Make(w, h, key);
                Write(source, art);
                IDirectDrawSurface7* screen = Make(160, 90);
                const std::vector<RECT> clips = round % 2
                                                    ? std::vector<RECT>{RECT{0, 0, 160, 90}}
                                                    : std::vector<RECT>{RECT{0, 0, 70, 50}, RECT{60, 30, 160, 90}};
                Clip(screen, clips);
                ASSERT_EQ(S_OK, Fill(screen, bytes == 2 ? 0x1234 : 0x34));
                // The same picture drawn again and again, whole and in parts, over the edges.
                for (int blit = 0; blit < 8; ++blit) {
                    RECT src{0, 0, w, h};
                    if (blit % 2) {
                        src.left = static_cast<LONG>(random() % w);
                        src.right = src.left + 1 + static_cast<LONG>(random() % (w - src.left));
                        src.top = static_cast<LONG>(random() % h);
                        src.bottom = src.top + 1 + static_cast<LONG>(random() % (h - src.top));
                    }
                    const LONG x = static_cast<LONG>(random() % 220) - 40;
                    const LONG y = static_cast<LONG>(random() % 130) - 20;
                    RECT dest{x, y, x + src.right - src.left, y + src.bottom - src.top};
                    const Picture want = Expected(Read(screen), art, src, dest, key, clips);
                    ASSERT_EQ(S_OK, screen->Blt(&dest, source, &src, kKeyed, nullptr));
                    ASSERT_EQ(want.pixels, Read(screen).pixels)
                        << bytes << "-byte, " << (busy ? "busy" : "plain") << " " << w << "x" << h << ", blit " << blit;
                }
            }
        }
    }
}

TEST_F(KeyedBlitRuns, EveryWayOfChangingThePictureShowsInTheNextBlit) {
    std::mt19937 random(7);
    const int w = 120, h = 16;
    Picture art = Sprite(w, h, 2, kKey, false, random);
    IDirectDrawSurface7* source = Make(w, h, kKey);
    Write(source, art);
    IDirectDrawSurface7* screen = Make(w, h);
    // Draws the source onto a cleared screen and compares with the source as it now reads;
    // then draws it twice more, so that whatever shortcut is kept for a picture drawn often
    // is in use when the next change comes.
    auto check = [&](const char* change) {
        ASSERT_EQ(S_OK, Fill(screen, 0x0841));
        ASSERT_EQ(S_OK, screen->Blt(nullptr, source, nullptr, kKeyed, nullptr));
        const Picture shown = Read(screen);
        const Picture now = Read(source);
        DDCOLORKEY key{};
        ASSERT_EQ(S_OK, source->GetColorKey(DDCKEY_SRCBLT, &key));
        Picture blank = shown;
        for (std::uint16_t& p : blank.pixels) p = 0x0841;
        const auto keyColour = static_cast<std::uint16_t>(key.dwColorSpaceLowValue);
        ASSERT_EQ(Expected(blank, now, RECT{0, 0, w, h}, RECT{0, 0, w, h}, keyColour, {}).pixels, shown.pixels)
            << "after " << change;
        for (int i = 0; i < 2; ++i) ASSERT_EQ(S_OK, screen->Blt(nullptr, source, nullptr, kKeyed, nullptr));
    };
    check("the first drawing");
    check("drawing again");

    // Key pixels written into opaque runs, and colour into key holes, through a lock.
    for (int x = 0; x < w; x += 7) art.At(x, 3) = kKey;
    for (int x = 0; x < w; ++x) art.At(x, 5) = static_cast<std::uint16_t>(0x0100 + x);
    Write(source, art);
    check("a lock");

    RECT band{10, 2, 90, 9};
    ASSERT_EQ(S_OK, Fill(source, kKey, &band));
    check("a fill of the key");
    ASSERT_EQ(S_OK, Fill(source, 0x07E0, &band));
    check("a fill of a colour");

    IDirectDrawSurface7* patch = Make(30, 4);
    Picture holes{30, 4, 2, std::vector<std::uint16_t>(120, kKey)};
    holes.At(4, 1) = 0x001F;
    Write(patch, holes);
    RECT at{50, 10, 80, 14};
    ASSERT_EQ(S_OK, source->Blt(&at, patch, nullptr, DDBLT_WAIT, nullptr));
    check("a plain blit onto it");

    SetKey(source, 0x07E0);
    check("a new key");

    HDC dc = nullptr;
    ASSERT_EQ(S_OK, source->GetDC(&dc));
    SetTextColor(dc, RGB(0, 255, 0));  // the key colour: the letters punch holes
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 20, 2, "HW", 2);
    ASSERT_EQ(S_OK, source->ReleaseDC(dc));
    check("text");
}

TEST_F(KeyedBlitRuns, TextDrawnWhileAContextIsOutShowsInBlitsMadeMeanwhile) {
    IDirectDrawSurface7* source = Make(64, 16, kKey);
    ASSERT_EQ(S_OK, Fill(source, kKey));
    IDirectDrawSurface7* screen = Make(64, 16);
    HDC dc = nullptr;
    ASSERT_EQ(S_OK, source->GetDC(&dc));
    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, screen->Blt(nullptr, source, nullptr, kKeyed, nullptr));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 2, 2, "M", 1);
    ASSERT_EQ(S_OK, screen->Blt(nullptr, source, nullptr, kKeyed, nullptr));
    ASSERT_EQ(S_OK, source->ReleaseDC(dc));
    const Picture shown = Read(screen);
    int white = 0;
    for (std::uint16_t p : shown.pixels) white += p == 0xFFFF;
    EXPECT_GT(white, 5) << "the letter drawn after the blits began shows in the next one";
}

TEST_F(KeyedBlitRuns, ABackBufferDrawnFromAfterAFlipShowsItsNewPicture) {
    FullScreen(16, 64, 8);
    IDirectDrawSurface7* primary = MakePrimaryChain();
    SetKey(back, 0);
    IDirectDrawSurface7* screen = Make(64, 8);

    ASSERT_EQ(S_OK, Fill(back, 0x1111));
    for (int i = 0; i < 3; ++i) ASSERT_EQ(S_OK, screen->Blt(nullptr, back, nullptr, kKeyed, nullptr));
    ASSERT_EQ(S_OK, primary->Flip(nullptr, DDFLIP_WAIT));  // the back buffer now holds zeros: all key
    ASSERT_EQ(S_OK, Fill(screen, 0x2222));
    ASSERT_EQ(S_OK, screen->Blt(nullptr, back, nullptr, kKeyed, nullptr));
    EXPECT_EQ(std::vector<std::uint16_t>(64 * 8, 0x2222), Read(screen).pixels);
}

}  // namespace
