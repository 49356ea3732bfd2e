// Tests of the colour probe on plain pixel buffers.
// Exact pixels, clamping to the screen, reversed corners, exact colours, wide pitches and
// the 8-bit range member.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/display.h"
#include "levels/colour_probe.h"

namespace {

constexpr std::uint16_t kWhite = 0xFFFF;

// A 640 x 480 16-bit surface, rowPixels pixels per row, filled with one value.
struct Surface {
    explicit Surface(std::uint16_t fill = 0x1234, int rowPixels = 640)
        : row(rowPixels), pixels(static_cast<std::size_t>(rowPixels) * 480, fill) {}
    std::uint16_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * row + x]; }
    int Find(int x1, int y1, int x2, int y2, std::uint16_t a, std::uint16_t b) const {
        return FindColourInRect(x1, y1, x2, y2, a, b, pixels.data(), row * 2);
    }
    int Find(int x1, int y1, int x2, int y2, std::uint16_t colour) const {
        return Find(x1, y1, x2, y2, colour, colour);
    }
    int row;
    std::vector<std::uint16_t> pixels;
};

// The clamp follows the screen's size, which every display the game sets up gives as 640 x 480.
class ColourProbeTest : public ::testing::Test {
    void SetUp() override {
        screenWidth = 640;
        screenHeight = 480;
    }
};

TEST_F(ColourProbeTest, OnePixelRectangleTestsExactlyThatPixelAndCornersAreInclusive) {
    Surface s;
    s.At(100, 200) = kWhite;
    EXPECT_EQ(1, s.Find(100, 200, 100, 200, kWhite));
    EXPECT_EQ(0, s.Find(99, 200, 99, 200, kWhite));
    EXPECT_EQ(0, s.Find(101, 200, 101, 200, kWhite));
    EXPECT_EQ(0, s.Find(100, 199, 100, 199, kWhite));
    EXPECT_EQ(0, s.Find(100, 201, 100, 201, kWhite));
    EXPECT_EQ(1, s.Find(90, 190, 100, 200, kWhite)) << "bottom-right corner";
    EXPECT_EQ(1, s.Find(100, 200, 110, 210, kWhite)) << "top-left corner";
}

TEST_F(ColourProbeTest, CoordinatesBeyondTheScreenAreClampedToItsEdges) {
    Surface s;
    s.At(639, 10) = kWhite;
    s.At(50, 0) = kWhite;
    s.At(60, 479) = kWhite;
    EXPECT_EQ(1, s.Find(700, 10, 700, 10, kWhite)) << "x 700 reads column 639";
    EXPECT_EQ(1, s.Find(50, -5, 50, -5, kWhite)) << "y -5 reads row 0";
    EXPECT_EQ(1, s.Find(60, 600, 60, 900, kWhite)) << "y beyond the bottom reads row 479";
    EXPECT_EQ(1, s.Find(-30, 10, -1, 10, 0x1234)) << "negative x reads column 0";
    s.At(639, 10) = 0;
    s.At(638, 10) = kWhite;
    EXPECT_EQ(0, s.Find(700, 10, 700, 10, kWhite)) << "only column 639, not its neighbour";
    s.At(50, 0) = 0;
    s.At(50, 1) = kWhite;
    EXPECT_EQ(0, s.Find(50, -5, 50, -5, kWhite)) << "only row 0";

    // A rectangle wholly to the right of the screen tests column 639 only.
    Surface right;
    for (int y = 0; y < 480; ++y) right.At(638, y) = kWhite;
    EXPECT_EQ(0, right.Find(650, 0, 900, 479, kWhite));
    right.At(639, 479) = kWhite;
    EXPECT_EQ(1, right.Find(650, 0, 900, 479, kWhite));
}

TEST_F(ColourProbeTest, ReversedCornersFindNothingEvenOnASurfaceOfTheColour) {
    const Surface s(kWhite);
    EXPECT_EQ(0, s.Find(20, 10, 19, 10, kWhite));
    EXPECT_EQ(0, s.Find(20, 10, 20, 9, kWhite));
    EXPECT_EQ(0, s.Find(10, 10, -5, 20, kWhite)) << "reversed once x2 is clamped to 0";
    EXPECT_EQ(0, s.Find(0, 500, 10, -1, kWhite)) << "reversed once both ys are clamped";
    EXPECT_EQ(1, s.Find(700, 10, 650, 10, kWhite)) << "both clamp to 639: one column, not reversed";
}

TEST_F(ColourProbeTest, ColoursCompareExactlyAndEitherOfTheTwoMatches) {
    Surface s(0x0001);
    EXPECT_EQ(0, s.Find(0, 0, 639, 479, 0)) << "0x0001 is not black";
    s.At(320, 240) = 0;
    EXPECT_EQ(1, s.Find(0, 0, 639, 479, 0));
    EXPECT_EQ(1, s.Find(300, 200, 400, 300, 0x4444, 0x0001)) << "the second colour counts too";
    EXPECT_EQ(0, s.Find(0, 0, 639, 479, 0x001F, 0xF81F));
}

TEST_F(ColourProbeTest, RowsFollowThePitchNotTheWidth) {
    Surface s(0, 700);  // 1400 bytes a row, 60 pixels of padding
    s.At(5, 3) = kWhite;
    EXPECT_EQ(1, s.Find(5, 3, 5, 3, kWhite));
    EXPECT_EQ(0, s.Find(5, 2, 5, 2, kWhite));
    s.At(5, 3) = 0;
    s.pixels[3 * 640 + 5] = kWhite;  // where a probe ignoring the pitch would look
    EXPECT_EQ(0, s.Find(5, 3, 5, 3, kWhite));
    s.At(650, 10) = kWhite;  // padding: never part of the screen
    EXPECT_EQ(0, s.Find(700, 10, 700, 10, kWhite));
    s.At(639, 10) = kWhite;
    EXPECT_EQ(1, s.Find(700, 10, 700, 10, kWhite));
}

TEST_F(ColourProbeTest, EightBitMemberLooksForARangeWithTheSameClamping) {
    const int pitch = 641;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(pitch) * 480, 4);
    const auto at = [&](int x, int y) -> std::uint8_t& { return bytes[static_cast<std::size_t>(y) * pitch + x]; };
    const auto find = [&](int x1, int y1, int x2, int y2, int lo, int hi) {
        return FindColourInRect8(x1, y1, x2, y2, static_cast<std::uint8_t>(lo), static_cast<std::uint8_t>(hi),
                                 bytes.data(), pitch);
    };
    EXPECT_EQ(0, find(0, 0, 639, 479, 5, 20));
    EXPECT_EQ(1, find(0, 0, 639, 479, 4, 4));
    at(30, 40) = 20;
    EXPECT_EQ(1, find(30, 40, 30, 40, 5, 20)) << "the upper bound is inside";
    at(30, 40) = 5;
    EXPECT_EQ(1, find(30, 40, 30, 40, 5, 20)) << "the lower bound is inside";
    at(30, 40) = 21;
    EXPECT_EQ(0, find(0, 0, 639, 479, 5, 20));
    EXPECT_EQ(0, find(0, 0, 639, 479, 30, 10)) << "an empty range";
    at(639, 0) = 9;
    at(640, 1) = 9;  // the byte of padding
    EXPECT_EQ(1, find(700, -5, 700, -5, 9, 9)) << "clamped to (639, 0)";
    EXPECT_EQ(0, find(700, 1, 800, 1, 9, 9));
    EXPECT_EQ(0, find(640, 0, 600, 0, 9, 9)) << "reversed";
    at(3, 2) = 9;
    EXPECT_EQ(1, find(3, 2, 3, 2, 9, 9)) << "rows follow the byte pitch";
    EXPECT_EQ(0, find(5, 2, 5, 2, 9, 9));
}

}  // namespace
