// Writes canvases as uncompressed .bmp bitmaps (24-bit BGR or 16-bit 5.6.5), bottom row first.
#include "kit/bmp_writer.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "kit/byte_out.h"

namespace {

bool WriteBmp(const std::string& path, const Canvas& canvas, int bits) {
    const int w = canvas.Width(), h = canvas.Height();
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(w) * (bits / 8);
    if (rowBytes % 4 != 0) {
        std::fprintf(stderr, "assetgen: %s: row of %u bytes is not a multiple of 4\n", path.c_str(), rowBytes);
        return false;
    }
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageBytes);
    // File header (14 bytes).
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageBytes);  // bfSize
    Put16(out, 0);                // bfReserved1
    Put16(out, 0);                // bfReserved2
    Put32(out, 54);               // bfOffBits
    // Information header (40 bytes).
    Put32(out, 40);  // biSize
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));  // positive: bottom row first
    Put16(out, 1);                              // biPlanes
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);  // biCompression: BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);  // biClrUsed
    Put32(out, 0);  // biClrImportant
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgb c = canvas.Get(x, y);
            if (bits == 24) {
                out.push_back(c.b);
                out.push_back(c.g);
                out.push_back(c.r);
            } else {
                Put16(out, static_cast<std::uint32_t>(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)));
            }
        }
    }
    return WriteBytes(path, out);
}

}  // namespace

bool WriteBmp24(const std::string& path, const Canvas& canvas) {
    return WriteBmp(path, canvas, 24);
}
bool WriteBmp16(const std::string& path, const Canvas& canvas) {
    return WriteBmp(path, canvas, 16);
}
