// make_icons: writes the program's icon, as the window shows it, into PNG files for the
// desktop: OUTDIR/<N>x<N>/apps/trundlebop.png for each size the desktop asks for. Each
// size is the 16 or 32 pixel art blown up by a whole number, so the pixels stay sharp.
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window/resources.h"

namespace {

// Writes 0xAARRGGBB pixels, scaled up by `scale`, as an RGBA PNG.
bool WriteScaledPng(const std::string& path, const host::Picture& art, int scale) {
    const int size = art.width * scale;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    std::vector<png_byte> row(static_cast<std::size_t>(size) * 4);
    if (ok && setjmp(png_jmpbuf(png))) ok = false;
    if (ok) {
        png_init_io(png, file);
        png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint32_t p = art.argb[static_cast<std::size_t>(y / scale) * art.width + x / scale];
                png_byte* out = &row[static_cast<std::size_t>(x) * 4];
                out[0] = static_cast<png_byte>(p >> 16);
                out[1] = static_cast<png_byte>(p >> 8);
                out[2] = static_cast<png_byte>(p);
                out[3] = static_cast<png_byte>(p >> 24);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argc > 0 ? argv[0] : "make_icons");
        return 2;
    }
    const host::Picture* small = platform::FindIconImage(platform::kHeroIconResource, 16);
    const host::Picture* large = platform::FindIconImage(platform::kHeroIconResource, 32);
    if (!small || !large) return 1;
    struct Size {
        int pixels;
        const host::Picture* art;
    };
    // Below 64 the small art reads better; from 64 on the large one has room to show.
    const Size sizes[] = {{16, small}, {32, large}, {48, small}, {64, large}, {128, large}, {256, large}};
    for (const Size& s : sizes) {
        const std::string folder =
            std::string(argv[1]) + "/" + std::to_string(s.pixels) + "x" + std::to_string(s.pixels) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec || !WriteScaledPng(folder + "/trundlebop.png", *s.art, s.pixels / s.art->width)) {
            std::fprintf(stderr, "make_icons: cannot write %s/trundlebop.png\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
