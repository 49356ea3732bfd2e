// Checks bitmap files and images: loading, colour packing, row order, cutting, drawing, and refusal of lying files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "support/bmp_builder.h"

namespace {

namespace fs = std::filesystem;
using Byte = std::uint8_t;
using gametest::BmpFile;
using gametest::BottomUp;
using gametest::Bytes;

const std::uint16_t* Pixels16(const BitmapFile& f) {
    return reinterpret_cast<const std::uint16_t*>(f.pixels);
}
const std::uint16_t* Image16(const BitmapImage& i) {
    return reinterpret_cast<const std::uint16_t*>(i.buffer);
}

int OpenDescriptorCount() {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

class BitmapFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("trundlebop_bitmaps_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        savedFormat_ = pixelFormat;
    }
    void TearDown() override {
        UnloadBitmapFile(&file_);
        DestroyBitmapImage(&image_);
        pixelFormat = savedFormat_;
        fs::remove_all(dir_);
    }
    std::string Write(const std::string& name, const BmpFile& c) {
        return gametest::WriteBmp((dir_ / name).string(), c);
    }
    // A 16-bit picture whose pixel (x, y) holds value(x, y); loaded into file_.
    template <typename F>
    void Load16(int width, int height, F value) {
        Bytes top;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) gametest::PutLittleEndian(top, static_cast<std::uint16_t>(value(x, y)), 2);
        BmpFile c{width, height, 16, BottomUp(top, width * 2)};
        ASSERT_EQ(LoadBitmapFile(&file_, Write("picture16.bmp", c).c_str()), 1);
    }
    fs::path dir_;
    int savedFormat_ = 16;
    BitmapFile file_{};
    BitmapImage image_{};
};
class BitmapFileTest : public BitmapFixture {};
class BitmapImageTest : public BitmapFixture {};

TEST_F(BitmapFileTest, TwentyFourBitPixelsTakeTheDisplayPacking) {
    // Top row: white, red, green, blue; bottom row: a mixed colour and three dark ones that
    // tell the 6-bit green of 5.6.5 from the 5-bit green of 5.5.5.
    const Bytes top = {255, 255, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 19, 70, 140, 0, 4, 0, 8, 4, 8, 8, 8, 8};
    const std::string path = Write("colours.bmp", {4, 2, 24, BottomUp(top, 12)});
    const std::vector<std::uint16_t> packed565 = {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8A22, 0x0020, 0x0821, 0x0841};
    const std::vector<std::uint16_t> packed555 = {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x4502, 0x0000, 0x0401, 0x0421};
    for (int format : {16, 15, 32}) {
        SCOPED_TRACE(format);
        pixelFormat = format;
        ASSERT_EQ(LoadBitmapFile(&file_, path.c_str()), 1);
        EXPECT_EQ(file_.infoHeader.biBitCount, 16);
        EXPECT_EQ(file_.infoHeader.biSizeImage, 24u);
        const auto& want = format == 15 ? packed555 : packed565;
        EXPECT_EQ(std::vector<std::uint16_t>(Pixels16(file_), Pixels16(file_) + 8), want);
    }
}

TEST_F(BitmapFileTest, FullScreenPictureLoadsTopRowFirst) {
    // Pixel (x, y) has red (y % 32) * 8, green (x % 64) * 4, blue (y / 32) * 8: in 5.6.5 each
    // row and column can be read back from the packed value.
    Bytes top;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            top.insert(top.end(), {Byte((y / 32) * 8), Byte((x % 64) * 4), Byte((y % 32) * 8)});
    pixelFormat = 16;
    ASSERT_EQ(LoadBitmapFile(&file_, Write("screen.bmp", {640, 480, 24, BottomUp(top, 640 * 3)}).c_str()), 1);
    const BitmapInfoHeader& info = file_.infoHeader;
    EXPECT_EQ(std::vector<int>({info.biBitCount, info.biWidth, info.biHeight}), std::vector<int>({16, 640, 480}));
    int wrong = 0;  // all 614400 bytes are read, so a shorter buffer fails under the address checker
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            wrong += Pixels16(file_)[y * 640 + x] != (((y % 32) << 11) | ((x % 64) << 5) | (y / 32));
    EXPECT_EQ(wrong, 0);
}

TEST_F(BitmapFileTest, EightBitKeepsOneBytePerPixelAndTheColourTable) {
    const Bytes top = {1, 2, 3, 4, 250, 251, 252, 255};
    ASSERT_EQ(LoadBitmapFile(&file_, Write("indexed.bmp", {4, 2, 8, BottomUp(top, 4)}).c_str()), 1);
    EXPECT_EQ(file_.infoHeader.biBitCount, 8);
    EXPECT_EQ(Bytes(file_.pixels, file_.pixels + 8), top);
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = file_.palette[i];
        ASSERT_EQ(Bytes({e.peRed, e.peGreen, e.peBlue, e.peFlags}), Bytes({Byte(i * 3), Byte(255 - i), Byte(i), 4}))
            << "entry " << i;
    }
    // Unloading drops the pixels but keeps what was read of the headers.
    UnloadBitmapFile(&file_);
    EXPECT_EQ(file_.pixels, nullptr);
    EXPECT_EQ(file_.infoHeader.biWidth, 4);
    EXPECT_EQ(file_.fileHeader.bfType, 0x4D42);
    EXPECT_EQ(UnloadBitmapFile(&file_), 1);
}

TEST_F(BitmapFileTest, SixteenBitValuesAreKeptAndOneRowIsNotMoved) {
    Load16(4, 3, [](int x, int y) { return y == 1 && x == 2 ? 0xF81F : 0x1000 * y + x; });
    EXPECT_EQ(Pixels16(file_)[0], 0x0000);
    EXPECT_EQ(Pixels16(file_)[6], 0xF81F);
    EXPECT_EQ(Pixels16(file_)[11], 0x2003);
    Load16(4, 1, [](int x, int) { return 0x0100 + x; });
    EXPECT_EQ(std::vector<std::uint16_t>(Pixels16(file_), Pixels16(file_) + 4),
              (std::vector<std::uint16_t>{0x0100, 0x0101, 0x0102, 0x0103}));
    Bytes row = {1, 2, 3, 4, 5};
    EXPECT_EQ(FlipBitmapRows(row.data(), 5, 1), 1);
    EXPECT_EQ(row, (Bytes{1, 2, 3, 4, 5}));
}

TEST_F(BitmapFileTest, RefusedBitCountsAndMagicLeaveThePixels) {
    Load16(4, 2, [](int x, int y) { return 0x0700 + y * 4 + x; });
    const std::uint8_t* held = file_.pixels;
    const Bytes before(held, held + 16);
    for (int bits : {1, 4, 32}) {
        SCOPED_TRACE(bits);
        EXPECT_EQ(LoadBitmapFile(&file_, Write("depth.bmp", {8, 2, bits, Bytes(64, 0x33)}).c_str()), 0);
        EXPECT_EQ(file_.pixels, held);
        EXPECT_EQ(Bytes(held, held + 16), before);
        EXPECT_EQ(file_.infoHeader.biBitCount, bits);  // the headers read stay, as with any file
    }
    BmpFile wrongMagic{4, 2, 24, Bytes(24, 0x44)};
    wrongMagic.magic = 0x424D;  // "MB"
    EXPECT_EQ(LoadBitmapFile(&file_, Write("magic.bmp", wrongMagic).c_str()), 0);
    EXPECT_EQ(file_.fileHeader.bfType, 0x424D);
    EXPECT_EQ(file_.pixels, held);
    EXPECT_EQ(Bytes(held, held + 16), before);
    // With the headers now those of a 32-bit file, nothing may be cut from the old pixels.
    ASSERT_EQ(CreateBitmapImage(&image_, 0, 0, 1, 1, 16), 1);
    EXPECT_EQ(LoadImageFromBitmap(&image_, &file_, 0, 0, 1), 0);
}

TEST_F(BitmapFileTest, LyingHeadersLeaveTheRecordUntouchedAndTheFileClosed) {
    Load16(4, 2, [](int x, int) { return x + 1; });
    unsigned char before[sizeof(BitmapFile)];
    std::memcpy(before, &file_, sizeof file_);
    const int descriptors = OpenDescriptorCount();
    auto lie = [](int w, int h, int bits, std::size_t have, long long sizeImage) {
        BmpFile c{w, h, bits, Bytes(have, 0x5A)};
        c.sizeImage = sizeImage;
        return c;
    };
    BmpFile shortTable{4, 2, 8, Bytes(8, 1)};
    shortTable.keep = 54 + 700;
    const std::vector<std::pair<const char*, BmpFile>> files = {
        {"short_pixels", lie(4, 4, 24, 47, 48)},
        {"size_below_rows", lie(4, 4, 24, 47, 47)},
        {"size_below_rows16", lie(3, 3, 16, 17, 17)},
        {"size_too_large", lie(16, 16, 24, 768, (800ll << 20) + 1)},
        {"size_huge", lie(4, 4, 24, 48, 0xFFFFFFF0ll)},
        {"width_zero", lie(0, 4, 24, 48, 48)},
        {"height_zero", lie(4, 0, 24, 48, 48)},
        {"width_negative", lie(-4, 4, 24, 48, 48)},
        {"height_negative", lie(4, -4, 24, 48, 48)},
        {"width_16385", lie(16385, 1, 8, 16385, 16385)},
        {"height_16385", lie(1, 16385, 8, 16385, 16385)},
        {"width_max", lie(INT_MAX, 1, 16, 64, 64)},
        {"product_wraps", lie(65536, 65536, 16, 64, 64)},
        {"short_colour_table", shortTable},
        {"header_only", lie(4, 4, 24, 0, 48)},
    };
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        EXPECT_EQ(LoadBitmapFile(&file_, Write(std::string(name) + ".bmp", content).c_str()), 0);
        EXPECT_EQ(std::memcmp(before, &file_, sizeof file_), 0);
    }
    // A claim past 800 MiB is refused even when the file really holds that much (sparse, so cheap).
    BmpFile vast{16384, 16384, 24};
    vast.zeros = (800ull << 20) + 4;
    EXPECT_EQ(LoadBitmapFile(&file_, Write("vast.bmp", vast).c_str()), 0);
    EXPECT_EQ(LoadBitmapFile(&file_, (dir_ / "missing.bmp").c_str()), 0);
    EXPECT_EQ(std::memcmp(before, &file_, sizeof file_), 0);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    // The largest side is accepted, and more data than the rows need is taken whole.
    EXPECT_EQ(LoadBitmapFile(&file_, Write("widest.bmp", lie(16384, 1, 8, 16384, 16384)).c_str()), 1);
    EXPECT_EQ(LoadBitmapFile(&file_, Write("roomy.bmp", lie(2, 2, 16, 12, 12)).c_str()), 1);
    EXPECT_EQ(file_.pixels[11], 0x5A);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(BitmapImageTest, FullScreenImageIsRefusedUntilLoaded) {
    ASSERT_EQ(CreateBitmapImage(&image_, 0, 0, 640, 480, 16), 1);
    EXPECT_EQ(std::vector<int>({image_.byteCount, image_.state, image_.attributes}), std::vector<int>({614400, 1, 0}));
    EXPECT_TRUE(std::all_of(image_.buffer, image_.buffer + 614400, [](std::uint8_t b) { return b == 0; }));
    std::vector<WORD> screen(640 * 480, 0x1111);
    EXPECT_EQ(DrawBitmapImage(&image_, screen.data(), 1280, 0), 0);
    EXPECT_TRUE(std::all_of(screen.begin(), screen.end(), [](WORD p) { return p == 0x1111; }));
    Load16(640, 480, [](int x, int y) { return x ^ (y << 6); });
    ASSERT_EQ(LoadImageFromBitmap(&image_, &file_, 0, 0, 1), 1);
    EXPECT_EQ(DrawBitmapImage(&image_, screen.data(), 1280, 0), 1);
    EXPECT_EQ(screen[479 * 640 + 639], 639 ^ (479 << 6));
    EXPECT_EQ(screen[1 * 640 + 3], 3 ^ (1 << 6));
}

TEST_F(BitmapImageTest, CellsAndAbsoluteOriginsPickTheRightPixels) {
    Load16(100, 70, [](int x, int y) { return (y << 8) | x; });
    ASSERT_EQ(CreateBitmapImage(&image_, 10, 20, 32, 32, 16), 1);
    image_.attributes = 0x01;
    ASSERT_EQ(LoadImageFromBitmap(&image_, &file_, 2, 1, 0), 1);
    EXPECT_EQ(Image16(image_)[0], (34 << 8) | 67);
    EXPECT_EQ(Image16(image_)[31], (34 << 8) | 98);
    EXPECT_EQ(Image16(image_)[31 * 32], (65 << 8) | 67);
    EXPECT_EQ(std::vector<int>({image_.attributes, image_.x, image_.y}),
              std::vector<int>({0x01 | imageLoaded, 10, 20}));
    ASSERT_EQ(LoadImageFromBitmap(&image_, &file_, 5, 7, 1), 1);
    EXPECT_EQ(Image16(image_)[0], (7 << 8) | 5);
    EXPECT_EQ(Image16(image_)[33], (8 << 8) | 6);
}

TEST_F(BitmapImageTest, TransparentDrawingSkipsOnlyZero) {
    Load16(4, 1, [](int x, int) { return std::vector<int>{0, 0x0001, 0xF81F, 0}[x]; });
    ASSERT_EQ(CreateBitmapImage(&image_, 1, 1, 4, 1, 16), 1);
    ASSERT_EQ(LoadImageFromBitmap(&image_, &file_, 0, 0, 1), 1);
    std::vector<WORD> dest(12, 0x1234);
    const WORD k = 0x1234;
    EXPECT_EQ(DrawBitmapImage(&image_, dest.data(), 12, 1), 1);
    EXPECT_EQ(dest, (std::vector<WORD>{k, k, k, k, k, k, k, k, 0x0001, 0xF81F, k, k}));
    EXPECT_EQ(DrawBitmapImage(&image_, dest.data(), 12, 0), 1);
    EXPECT_EQ(dest, (std::vector<WORD>{k, k, k, k, k, k, k, 0, 0x0001, 0xF81F, 0, k}));
}

TEST_F(BitmapImageTest, DrawingFollowsThePitchAndStaysInsideTheRow) {
    Load16(3, 2, [](int x, int y) { return 0x0A00 + y * 3 + x; });
    ASSERT_EQ(CreateBitmapImage(&image_, 4, 1, 3, 2, 16), 1);
    ASSERT_EQ(LoadImageFromBitmap(&image_, &file_, 0, 0, 1), 1);
    for (int pitch : {20, 21}) {  // ten pixels a row; an odd byte left over is dropped
        std::vector<WORD> dest(40, 0xEEEE);
        EXPECT_EQ(DrawBitmapImage(&image_, dest.data(), pitch, 0), 1);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool inside = y >= 1 && y < 3 && x >= 4 && x < 7;
                EXPECT_EQ(dest[y * 10 + x], inside ? 0x0A00 + (y - 1) * 3 + (x - 4) : 0xEEEE) << x << "," << y;
            }
    }
    // Nothing is drawn left of or above the buffer, nor past the end of a row.
    std::vector<WORD> dest(40, 0);
    const std::pair<int, int> spots[] = {{-1, 0}, {0, -1}, {8, 0}, {INT_MAX, 0}, {INT_MIN, 0}};
    for (const auto& [x, y] : spots) {
        image_.x = x, image_.y = y;
        EXPECT_EQ(DrawBitmapImage(&image_, dest.data(), 20, 0), 0) << x << "," << y;
    }
    EXPECT_TRUE(std::all_of(dest.begin(), dest.end(), [](WORD p) { return p == 0; }));
    image_.x = 7, image_.y = 2;
    EXPECT_EQ(DrawBitmapImage(&image_, dest.data(), 20, 0), 1);
    EXPECT_EQ(dest[39], 0x0A05);
}

TEST_F(BitmapImageTest, RegionsOutsideThePictureCopyNothing) {
    Load16(8, 6, [](int, int) { return 0x7777; });
    ASSERT_EQ(CreateBitmapImage(&image_, 0, 0, 4, 4, 16), 1);
    std::memset(image_.buffer, 0xAB, image_.byteCount);
    const Bytes untouched(image_.buffer, image_.buffer + image_.byteCount);
    const int cases[][3] = {{5, 0, 1},       {0, 3, 1},
                            {-1, 0, 1},      {0, -1, 1},
                            {INT_MAX, 0, 1}, {INT_MIN, INT_MIN, 1},
                            {1, 0, 0},       {0, 1, 0},
                            {-1, 0, 0},      {INT_MAX, INT_MAX, 0},
                            {INT_MIN, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(LoadImageFromBitmap(&image_, &file_, c[0], c[1], c[2]), 0) << c[0] << "," << c[1] << " mode " << c[2];
        EXPECT_EQ(Bytes(image_.buffer, image_.buffer + image_.byteCount), untouched);
        EXPECT_EQ(image_.attributes & imageLoaded, 0);
    }
    EXPECT_EQ(LoadImageFromBitmap(&image_, &file_, 4, 2, 1), 1);  // the bottom right corner exactly
    EXPECT_EQ(Image16(image_)[15], 0x7777);
    // An image too small for 16-bit pixels, an 8-bit picture, or no pixels at all: nothing is copied.
    BitmapImage narrow{};
    ASSERT_EQ(CreateBitmapImage(&narrow, 0, 0, 4, 4, 8), 1);
    EXPECT_EQ(LoadImageFromBitmap(&narrow, &file_, 0, 0, 1), 0);
    DestroyBitmapImage(&narrow);
    ASSERT_EQ(LoadBitmapFile(&file_, Write("indexed.bmp", {8, 6, 8, Bytes(48, 9)}).c_str()), 1);
    EXPECT_EQ(LoadImageFromBitmap(&image_, &file_, 0, 0, 1), 0);
    UnloadBitmapFile(&file_);
    EXPECT_EQ(LoadImageFromBitmap(&image_, &file_, 0, 0, 1), 0);
}

TEST_F(BitmapImageTest, DestroyTwiceAndExtremeSizes) {
    ASSERT_EQ(CreateBitmapImage(&image_, 3, 4, 8, 8, 16), 1);
    EXPECT_EQ(DestroyBitmapImage(&image_), 1);
    const BitmapImage zero{};
    EXPECT_EQ(std::memcmp(&image_, &zero, sizeof zero), 0);
    EXPECT_EQ(DestroyBitmapImage(&image_), 0);
    EXPECT_EQ(DestroyBitmapImage(nullptr), 0);
    EXPECT_EQ(CreateBitmapImage(&image_, 0, 0, INT_MAX, INT_MAX, INT_MAX), 0);
    EXPECT_EQ(CreateBitmapImage(&image_, 0, 0, 65536, 65536, 16), 0);
    EXPECT_EQ(CreateBitmapImage(&image_, 0, 0, -1, 4, 16), 0);
    // A zero-byte image of the widest possible row: no cell can be formed for it.
    Load16(4, 4, [](int, int) { return 1; });
    ASSERT_EQ(CreateBitmapImage(&image_, 0, 0, INT_MAX, 1, 0), 1);
    EXPECT_EQ(LoadImageFromBitmap(&image_, &file_, 1, 1, 0), 0);
}

// Cuts images of several sizes out of whatever the record holds and draws those that load.
int CutAndDraw(BitmapFile& file) {
    static std::vector<WORD> screen(640 * 480);
    const int sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {16, 16}, {32, 32}, {640, 480}};
    const int places[][3] = {{0, 0, 0},       {1, 1, 0},
                             {2, 1, 0},       {0, 0, 1},
                             {1, 2, 1},       {-1, 0, 1},
                             {0, -1, 1},      {INT_MAX, INT_MAX, 0},
                             {INT_MAX, 0, 1}, {INT_MIN, INT_MIN, 0}};
    int loads = 0;
    for (const auto& s : sizes) {
        BitmapImage image{};
        if (!CreateBitmapImage(&image, 0, 0, s[0], s[1], 16)) continue;
        for (const auto& p : places)
            if (LoadImageFromBitmap(&image, &file, p[0], p[1], p[2])) {
                ++loads;
                EXPECT_EQ(DrawBitmapImage(&image, screen.data(), 1280, 1), 1);
                EXPECT_EQ(DrawBitmapImage(&image, screen.data(), 1280, 0), 1);
            }
        DestroyBitmapImage(&image);
    }
    return loads;
}

TEST(BitmapCorruptFiles, EveryFileIsReadSafely) {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(fs::path(TRUNDLEBOP_TEST_DATA) / "bitmaps"))
        if (entry.path().extension() == ".bmp") paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    ASSERT_GE(paths.size(), 20u);
    for (const auto& path : paths) {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        BitmapFile file;
        std::memset(&file, 0xA5, sizeof file);
        file.pixels = static_cast<std::uint8_t*>(std::malloc(64));
        std::memset(file.pixels, 0x5C, 64);
        unsigned char before[sizeof(BitmapFile)];
        std::memcpy(before, &file, sizeof file);
        std::uint8_t* const held = file.pixels;
        const int loaded = LoadBitmapFile(&file, path.c_str());
        if (name.rfind("bad_", 0) == 0) {
            EXPECT_EQ(loaded, 0);
            // Refused for its first two bytes or its bit count, a file leaves its headers behind.
            if (name.find("magic") != std::string::npos || name.find("bitcount") != std::string::npos)
                EXPECT_EQ(std::memcmp(&before[offsetof(BitmapFile, palette)], &file.palette,
                                      sizeof(BitmapFile) - offsetof(BitmapFile, palette)),
                          0);
            else
                EXPECT_EQ(std::memcmp(before, &file, sizeof file), 0);
            ASSERT_EQ(file.pixels, held);
            EXPECT_TRUE(std::all_of(held, held + 64, [](std::uint8_t b) { return b == 0x5C; }));
        } else {
            EXPECT_EQ(loaded, 1);
        }
        const int loads = CutAndDraw(file);
        if (loaded && file.infoHeader.biBitCount == 16) {
            EXPECT_GT(loads, 0);
        }
        UnloadBitmapFile(&file);
        EXPECT_EQ(CutAndDraw(file), 0);
    }
}

}  // namespace
