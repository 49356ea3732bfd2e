// The picture bound: a bitmap may have at most kLargestBitmapPixels pixels (over three times
// the 2560 x 480 world, the largest thing the game draws) and 16 MiB of pixel data, so a
// file claiming a vast picture is refused before anything is read or made.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "gfx/bitmap.h"
#include "support/bmp_builder.h"
#include "support/run_game.h"

namespace {

class BitmapBoundTest : public ::testing::Test {
protected:
    void TearDown() override { UnloadBitmapFile(&file_); }
    // A bitmap file of the given sides and bit count whose pixel data (all zero, stored
    // sparsely so that even a large one costs nothing) is `dataBytes` long and declared so.
    std::string Write(const std::string& name, int width, int height, int bits, std::uint64_t dataBytes) {
        gametest::BmpFile file{width, height, bits};
        file.zeros = dataBytes;
        return gametest::WriteBmp(folder_.Path() + "/" + name, file);
    }
    gamerun::ScratchFolder folder_;
    BitmapFile file_{};
};

TEST_F(BitmapBoundTest, PicturesUpToTheBoundLoad) {
    EXPECT_EQ(4ll << 20, kLargestBitmapPixels);
    // The game's own largest picture, and pictures of exactly the bound in either shape.
    EXPECT_EQ(1, LoadBitmapFile(&file_, Write("world.bmp", 2560, 480, 24, 2560ull * 480 * 3).c_str()));
    EXPECT_EQ(1, LoadBitmapFile(&file_, Write("square.bmp", 2048, 2048, 24, 2048ull * 2048 * 3).c_str()));
    EXPECT_EQ(2048, file_.infoHeader.biWidth);
    EXPECT_EQ(1, LoadBitmapFile(&file_, Write("strip.bmp", 16384, 256, 8, 16384ull * 256).c_str()));
    EXPECT_EQ(16384, file_.infoHeader.biWidth);
}

TEST_F(BitmapBoundTest, PicturesPastTheBoundAreRefusedAndLeaveTheRecordAlone) {
    ASSERT_EQ(1, LoadBitmapFile(&file_, Write("small.bmp", 4, 2, 16, 16).c_str()));
    std::uint8_t* const held = file_.pixels;
    // One row or column over the bound, though each side is allowed on its own and the
    // file holds every byte it claims.
    EXPECT_EQ(0, LoadBitmapFile(&file_, Write("square.bmp", 2049, 2048, 8, 2049ull * 2048).c_str()));
    EXPECT_EQ(0, LoadBitmapFile(&file_, Write("strip.bmp", 16384, 257, 8, 16384ull * 257).c_str()));
    EXPECT_EQ(0, LoadBitmapFile(&file_, Write("vast.bmp", 16384, 16384, 24, 16384ull * 16384 * 3).c_str()));
    // Pixel data past 16 MiB on a picture inside the bound.
    EXPECT_EQ(0, LoadBitmapFile(&file_, Write("padded.bmp", 4, 4, 24, (16ull << 20) + 1).c_str()));
    EXPECT_EQ(held, file_.pixels);
    EXPECT_EQ(4, file_.infoHeader.biWidth);
    EXPECT_EQ(2, file_.infoHeader.biHeight);
    EXPECT_EQ(1, LoadBitmapFile(&file_, Write("roomy.bmp", 4, 4, 24, 16ull << 20).c_str()));
}

}  // namespace
