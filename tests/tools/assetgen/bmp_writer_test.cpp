// The BMP writer: pictures written by the generator and read back by the game's own loader,
// pixel for pixel, and the widths whose rows the loader could not read refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "kit/bmp_writer.h"
#include "kit/canvas.h"

namespace {

namespace fs = std::filesystem;

std::uint16_t Pack565(Rgb c) {
    return static_cast<std::uint16_t>(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
}

// Every pixel a different colour, with low bits that the 5.6.5 packing must drop and high bits
// it must keep.
Canvas Pattern(int w, int h) {
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.Set(x, y, Rgb(x * 37 + y * 11, 255 - x * 23, (y * 53 + x * 7) & 0xFF));
    c.Set(0, 0, kKey);
    c.Set(w - 1, h - 1, pal::kInk);
    return c;
}

class BmpWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / ("assetgen_bmp_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        savedFormat_ = pixelFormat;
        pixelFormat = 16;
    }
    void TearDown() override {
        UnloadBitmapFile(&file_);
        pixelFormat = savedFormat_;
        fs::remove_all(dir_);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // Loads the file with the game's loader and checks every pixel, top row first.
    void ExpectLoadsAs(const std::string& path, const Canvas& canvas) {
        ASSERT_EQ(LoadBitmapFile(&file_, path.c_str()), 1);
        const BitmapInfoHeader& info = file_.infoHeader;
        ASSERT_EQ(info.biWidth, canvas.Width());
        ASSERT_EQ(info.biHeight, canvas.Height());
        ASSERT_EQ(info.biBitCount, 16);
        const auto* pixels = reinterpret_cast<const std::uint16_t*>(file_.pixels);
        int wrong = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if (pixels[y * canvas.Width() + x] != Pack565(canvas.Get(x, y))) {
                    if (++wrong <= 5) ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                }
        EXPECT_EQ(wrong, 0);
    }

    fs::path dir_;
    int savedFormat_ = 16;
    BitmapFile file_{};
};

TEST_F(BmpWriterTest, TwentyFourBitPicturesLoadPixelForPixel) {
    for (const auto& size : {std::pair<int, int>{4, 1}, {4, 3}, {8, 5}, {132, 66}}) {
        SCOPED_TRACE(std::to_string(size.first) + " x " + std::to_string(size.second));
        const Canvas canvas = Pattern(size.first, size.second);
        const std::string path = Path("picture.bmp");
        ASSERT_TRUE(WriteBmp24(path, canvas));
        EXPECT_EQ(fs::file_size(path), 54u + 3u * size.first * size.second);
        ExpectLoadsAs(path, canvas);
    }
}

TEST_F(BmpWriterTest, HeadersDescribeAnUncompressedBottomUpPicture) {
    const std::string path = Path("headers.bmp");
    Canvas canvas(4, 2, Rgb(1, 2, 3));
    canvas.Set(0, 1, Rgb(10, 20, 30));  // first pixel of the bottom row, which is stored first
    ASSERT_TRUE(WriteBmp24(path, canvas));
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(b.size(), 54u + 24u);
    const auto u32 = [&](std::size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24; };
    const auto u16 = [&](std::size_t at) { return b[at] | b[at + 1] << 8; };
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(2), 78);   // whole file
    EXPECT_EQ(u32(10), 54);  // pixels start right after the two headers
    EXPECT_EQ(u32(14), 40);
    EXPECT_EQ(u32(18), 4);
    EXPECT_EQ(u32(22), 2);  // positive height: bottom row first
    EXPECT_EQ(u16(26), 1);
    EXPECT_EQ(u16(28), 24);
    EXPECT_EQ(u32(30), 0);   // uncompressed
    EXPECT_EQ(u32(34), 24);  // pixel bytes
    // Blue, green, red.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.begin() + 60),
              std::vector<std::uint8_t>({30, 20, 10, 3, 2, 1}));
}

TEST_F(BmpWriterTest, WidthsWhoseRowsNeedPaddingAreRefused) {
    // The game's loader reads rows back to back and skips no padding, so a 24-bit row must be
    // a whole number of four-byte words: widths that are not a multiple of four are refused,
    // and no file is left behind.
    for (int width : {1, 2, 3, 5, 6, 7, 131}) {
        SCOPED_TRACE(width);
        const std::string path = Path("odd_" + std::to_string(width) + ".bmp");
        EXPECT_FALSE(WriteBmp24(path, Pattern(width, 3)));
        EXPECT_FALSE(fs::exists(path));
    }
    // Sixteen-bit rows need only an even width.
    EXPECT_FALSE(WriteBmp16(Path("odd16.bmp"), Pattern(3, 2)));
    EXPECT_TRUE(WriteBmp16(Path("even16.bmp"), Pattern(6, 2)));
}

TEST_F(BmpWriterTest, SixteenBitPicturesHoldTheGamesPacking) {
    const Canvas canvas = Pattern(6, 4);
    const std::string path = Path("packed.bmp");
    ASSERT_TRUE(WriteBmp16(path, canvas));
    EXPECT_EQ(fs::file_size(path), 54u + 2u * 6 * 4);
    ExpectLoadsAs(path, canvas);
}

TEST_F(BmpWriterTest, UnwritablePathsFail) {
    EXPECT_FALSE(WriteBmp24(Path("no/such/folder/x.bmp"), Pattern(4, 4)));
}

}  // namespace
