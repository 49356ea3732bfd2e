// make_windows_resources: writes the program's icon (16 and 32 pixels) and its pointing-hand
// cursor, the same pictures the window shows on Linux, as OUTDIR/trundlebop.ico and
// OUTDIR/trundlebop.cur, with OUTDIR/trundlebop.rc naming them by the resource numbers the
// game asks for, so the Windows build (scripts/windows.sh) carries them as resources.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/window/resources.h"

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One image of an icon or cursor file: a 32-bit bottom-up colour bitmap of twice the height
// (the colour rows, then the transparency mask rows), as the file formats lay it out.
std::vector<std::uint8_t> IconImage(const host::Picture& art) {
    std::vector<std::uint8_t> out;
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(art.width), 4);
    Put(out, static_cast<std::uint32_t>(art.height * 2), 4);
    Put(out, 1, 2);
    Put(out, 32, 2);
    for (int i = 0; i < 6; ++i) Put(out, 0, 4);
    for (int y = art.height - 1; y >= 0; --y) {
        for (int x = 0; x < art.width; ++x) Put(out, art.argb[static_cast<std::size_t>(y) * art.width + x], 4);
    }
    const int maskRowBytes = ((art.width + 31) / 32) * 4;
    for (int y = art.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskRowBytes), 0);
        for (int x = 0; x < art.width; ++x) {
            if ((art.argb[static_cast<std::size_t>(y) * art.width + x] >> 24) == 0) row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// An icon (type 1) or cursor (type 2) file holding the pictures; a cursor's entry gives its
// point where an icon's gives planes and bit count.
bool WriteIconFile(const std::string& path, int type, const std::vector<const host::Picture*>& pictures) {
    std::vector<std::uint8_t> out;
    Put(out, 0, 2);
    Put(out, static_cast<std::uint32_t>(type), 2);
    Put(out, static_cast<std::uint32_t>(pictures.size()), 2);
    std::vector<std::vector<std::uint8_t>> images;
    for (const host::Picture* art : pictures) images.push_back(IconImage(*art));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const host::Picture& art = *pictures[i];
        Put(out, static_cast<std::uint32_t>(art.width & 255), 1);
        Put(out, static_cast<std::uint32_t>(art.height & 255), 1);
        Put(out, 0, 2);
        Put(out, static_cast<std::uint32_t>(type == 2 ? art.hotX : 1), 2);
        Put(out, static_cast<std::uint32_t>(type == 2 ? art.hotY : 32), 2);
        Put(out, static_cast<std::uint32_t>(images[i].size()), 4);
        Put(out, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argc > 0 ? argv[0] : "make_windows_resources");
        return 2;
    }
    const std::string dir = argv[1];
    const host::Picture* small = platform::FindIconImage(platform::kHeroIconResource, 16);
    const host::Picture* large = platform::FindIconImage(platform::kHeroIconResource, 32);
    const host::Picture* cursor = platform::FindCursorImage(platform::kHandCursorResource);
    if (!small || !large || !cursor) return 1;
    if (!WriteIconFile(dir + "/trundlebop.ico", 1, {small, large}) ||
        !WriteIconFile(dir + "/trundlebop.cur", 2, {cursor})) {
        std::fprintf(stderr, "make_windows_resources: cannot write into %s\n", dir.c_str());
        return 1;
    }
    std::FILE* rc = std::fopen((dir + "/trundlebop.rc").c_str(), "w");
    if (!rc) return 1;
    std::fprintf(rc, "%d ICON \"trundlebop.ico\"\n%d CURSOR \"trundlebop.cur\"\n", platform::kHeroIconResource,
                 platform::kHandCursorResource);
    return std::fclose(rc) == 0 ? 0 : 1;
}
