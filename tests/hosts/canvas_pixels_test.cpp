// The web host's canvas bytes against the pixels the captures and screenshots take from the
// same frames: every 16-bit value of both layouts, and a paletted frame, with a row pitch
// wider than the row.
#include "hosts/web/canvas_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "hosts/common/frame_pixels.h"

namespace {

void ExpectSameAsCaptures(const host::Frame& frame) {
    host::web::CanvasPixels canvas;
    const std::uint8_t* rgba = canvas.Convert(frame);
    const std::vector<std::uint32_t> rgb = host::FrameToRgb(frame);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        ASSERT_EQ(rgb[i] >> 16 & 255, rgba[4 * i]) << "pixel " << i;
        ASSERT_EQ(rgb[i] >> 8 & 255, rgba[4 * i + 1]) << "pixel " << i;
        ASSERT_EQ(rgb[i] & 255, rgba[4 * i + 2]) << "pixel " << i;
        ASSERT_EQ(255, rgba[4 * i + 3]) << "pixel " << i;
    }
}

TEST(CanvasPixels, EverySixteenBitValueOfBothLayoutsIsTheCapturesColour) {
    const int width = 256, height = 256, pitch = 2 * width + 6;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(pitch) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int value = y * width + x;
            pixels[y * pitch + 2 * x] = static_cast<std::uint8_t>(value);
            pixels[y * pitch + 2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
        }
    }
    for (host::PixelLayout layout : {host::PixelLayout::Rgb565, host::PixelLayout::Rgb555})
        ExpectSameAsCaptures({pixels.data(), width, height, pitch, layout, nullptr});
}

TEST(CanvasPixels, APalettedFrameIsTheCapturesColour) {
    std::uint8_t palette[256 * 4];
    for (int i = 0; i < 256; ++i) {
        palette[4 * i] = static_cast<std::uint8_t>(i);
        palette[4 * i + 1] = static_cast<std::uint8_t>(255 - i);
        palette[4 * i + 2] = static_cast<std::uint8_t>(i * 7);
        palette[4 * i + 3] = 0;
    }
    const int width = 16, height = 16, pitch = 20;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(pitch) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * pitch + x] = static_cast<std::uint8_t>(y * width + x);
    ExpectSameAsCaptures({pixels.data(), width, height, pitch, host::PixelLayout::Indexed8, palette});
}

}  // namespace
