// A presented frame as the canvas's RGBA bytes.
#include "hosts/web/canvas_pixels.h"

#include <cstring>

namespace host::web {
namespace {

// Red, green and blue bytes and an opaque alpha as the word whose bytes lie in that order
// in memory (WebAssembly is little-endian).
std::uint32_t Rgba(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16) | 0xFF000000u;
}

std::uint32_t Expand5(std::uint32_t v) {
    return (v << 3) | (v >> 2);
}

std::uint32_t SixteenBitPixel(PixelLayout layout, std::uint32_t p) {
    if (layout == PixelLayout::Rgb565) {
        const std::uint32_t g = (p >> 5) & 63;
        return Rgba(Expand5((p >> 11) & 31), (g << 2) | (g >> 4), Expand5(p & 31));
    }
    return Rgba(Expand5((p >> 10) & 31), Expand5((p >> 5) & 31), Expand5(p & 31));
}

}  // namespace

const std::uint8_t* CanvasPixels::Convert(const Frame& frame) {
    rgba_.resize(static_cast<std::size_t>(frame.width) * frame.height);
    const auto* bytes = static_cast<const std::uint8_t*>(frame.pixels);
    std::uint32_t palette[256];
    if (frame.layout == PixelLayout::Indexed8) {
        for (int i = 0; i < 256; ++i) {
            const std::uint8_t* entry = frame.palette ? frame.palette + i * 4 : nullptr;
            palette[i] = entry ? Rgba(entry[0], entry[1], entry[2]) : Rgba(0, 0, 0);
        }
    } else if (table_.empty() || tableLayout_ != frame.layout) {
        table_.resize(65536);
        for (std::uint32_t p = 0; p < 65536; ++p) table_[p] = SixteenBitPixel(frame.layout, p);
        tableLayout_ = frame.layout;
    }
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = bytes + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::uint32_t* out = rgba_.data() + static_cast<std::size_t>(y) * frame.width;
        if (frame.layout == PixelLayout::Indexed8) {
            for (int x = 0; x < frame.width; ++x) out[x] = palette[row[x]];
        } else {
            for (int x = 0; x < frame.width; ++x) {
                std::uint16_t p;
                std::memcpy(&p, row + 2 * x, 2);
                out[x] = table_[p];
            }
        }
    }
    return reinterpret_cast<const std::uint8_t*>(rgba_.data());
}

}  // namespace host::web
