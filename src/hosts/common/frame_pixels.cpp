// A presented frame as 0xRRGGBB pixels, whatever its layout.
#include "hosts/common/frame_pixels.h"

namespace host {

std::vector<std::uint32_t> FrameToRgb(const Frame& frame) {
    std::vector<std::uint32_t> rgb(static_cast<std::size_t>(frame.width) * frame.height);
    const auto* bytes = static_cast<const std::uint8_t*>(frame.pixels);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* row = bytes + static_cast<std::ptrdiff_t>(y) * frame.pitch;
        std::uint32_t* out = rgb.data() + static_cast<std::size_t>(y) * frame.width;
        for (int x = 0; x < frame.width; ++x) {
            std::uint32_t r = 0, g = 0, b = 0;
            if (frame.layout == PixelLayout::Indexed8) {
                const std::uint8_t* entry = frame.palette ? frame.palette + row[x] * 4 : nullptr;
                if (entry) {
                    r = entry[0];
                    g = entry[1];
                    b = entry[2];
                }
            } else {
                const std::uint32_t p = static_cast<std::uint32_t>(row[x * 2] | (row[x * 2 + 1] << 8));
                if (frame.layout == PixelLayout::Rgb565) {
                    r = (p >> 11) & 31;
                    g = (p >> 5) & 63;
                    b = p & 31;
                    r = (r << 3) | (r >> 2);
                    g = (g << 2) | (g >> 4);
                } else {
                    r = (p >> 10) & 31;
                    g = (p >> 5) & 31;
                    b = p & 31;
                    r = (r << 3) | (r >> 2);
                    g = (g << 3) | (g >> 2);
                }
                b = (b << 3) | (b >> 2);
            }
            out[x] = (r << 16) | (g << 8) | b;
        }
    }
    return rgb;
}

}  // namespace host
