// Coverage-guided fuzzer for the bitmap loader: any bytes as a .bmp file, then images and
// sprite frames cut from it and drawn.
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "gfx/sprite.h"

namespace {

// An honest 16-bit 8 x 8 picture, loaded before each input so that a refused input leaves
// real pixels behind next to whatever headers it brought.
std::vector<std::uint8_t> StartingPicture() {
    std::vector<std::uint8_t> out = {'B', 'M', 182, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0,   0, 0, 8,
                                     0,   0,   0,   8, 0, 0, 0, 1, 0, 16, 0,  0, 0, 0, 0,  128, 0, 0, 0};
    out.resize(54, 0);
    for (int i = 0; i < 64; ++i) {
        out.push_back(static_cast<std::uint8_t>(i * 3 + 1));
        out.push_back(static_cast<std::uint8_t>(i));
    }
    return out;
}

void CutAndDraw(BitmapFile* file, int width, int height, std::vector<WORD>& screen) {
    BitmapImage image{};
    if (!CreateBitmapImage(&image, 0, 0, width, height, 16)) return;
    const int places[][3] = {{0, 0, 0},  {1, 0, 0},  {2, 1, 0},       {0, 0, 1},       {1, 1, 1},
                             {-1, 0, 1}, {0, -1, 1}, {INT_MAX, 0, 0}, {0, INT_MAX, 1}, {INT_MIN, INT_MIN, 0}};
    for (const auto& p : places) {
        if (!LoadImageFromBitmap(&image, file, p[0], p[1], p[2])) continue;
        // The draw checks the row but not the height of the destination: that stays ours to keep.
        image.x = 640 - width > 3 ? 3 : 0;
        image.y = 480 - height > 2 ? 2 : 0;
        if (image.y + height <= 480) {
            DrawBitmapImage(&image, screen.data(), 640 * 2, 1);
            DrawBitmapImage(&image, screen.data(), 640 * 2, 0);
        }
    }
    DestroyBitmapImage(&image);
}

// The screen the sprites are drawn on, clipped to 640 x 480; null when it cannot be made.
LPDIRECTDRAWSURFACE7 Screen() {
    static LPDIRECTDRAWSURFACE7 screen = [] {
        LPDIRECTDRAWSURFACE7 made = nullptr;
        if (FAILED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7, nullptr)) ||
            FAILED(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL)))
            return made;
        made = CreateSurface(640, 480, DDSCAPS_SYSTEMMEMORY, 0);
        const RECT whole = {0, 0, 640, 480};
        if (made) {
            LPDIRECTDRAWCLIPPER clipper = AttachClipper(made, 1, &whole);
            if (clipper) clipper->Release();
        }
        return made;
    }();
    return screen;
}

// Sprite frames of one size cut from the picture as the levels cut them (cells, and pixel
// origins), from 16-bit and 8-bit pictures, animated through a sequence shared with a clone
// and drawn.
void CutSprite(BitmapFile* file, int width, int height) {
    LPDIRECTDRAWSURFACE7 screen = Screen();
    if (!screen) return;
    static Sprite sprite;
    static Sprite clone;
    if (!CreateSprite(&sprite, 5, 7, width, height, 4, MultiAnim | Visible, DDSCAPS_SYSTEMMEMORY, 0xF81F, 16)) {
        DestroySprite(&sprite);
        return;
    }
    const int origins[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 3, 1}, {0, 0, 1}, {-1, 0, 0}, {INT_MAX / 2, 0, 1}};
    int frame = 0;
    for (const auto& o : origins) {
        LoadSpriteFrame(&sprite, file, frame % 4, o[0], o[1], o[2]);
        LoadSpriteFrame8(&sprite, file, (frame + 1) % 4, o[0], o[1], o[2]);
        ++frame;
    }
    const int order[] = {3, 1, 2, 0, 9};
    LoadSpriteAnimation(&sprite, 0, 5, order);
    SetSpriteAnimSpeed(&sprite, 1);
    CloneSprite(&sprite, &clone);
    LoadSpriteAnimation(&sprite, 0, 2, order);  // the clone keeps the sequence it was made with
    for (int step = 0; step < 6; ++step) {
        AnimateSprite(&sprite);
        AnimateSprite(&clone);
        DrawSprite(&sprite, screen);
        DrawSprite(&clone, screen);
    }
    DestroySprite(&clone);
    DestroySprite(&sprite);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string inputPath = "/tmp/fuzz_bitmap_" + std::to_string(::getpid()) + ".bmp";
    static const std::string startPath = "/tmp/fuzz_bitmap_" + std::to_string(::getpid()) + "_start.bmp";
    static const bool ready = [] {
        std::atexit([] {
            std::remove(inputPath.c_str());
            std::remove(startPath.c_str());
        });
        const std::vector<std::uint8_t> start = StartingPicture();
        return WriteFile(startPath, start.data(), start.size());
    }();
    static std::vector<WORD> screen(640 * 480);
    if (!ready || !WriteFile(inputPath, data, size)) return 0;

    BitmapFile file{};
    LoadBitmapFile(&file, startPath.c_str());
    const int loaded = LoadBitmapFile(&file, inputPath.c_str());
    const int sizes[][2] = {{1, 1}, {3, 2}, {8, 8}, {32, 32}, {640, 480}};
    for (const auto& s : sizes) CutAndDraw(&file, s[0], s[1], screen);
    if (loaded && file.infoHeader.biWidth <= 640 && file.infoHeader.biHeight <= 480)
        CutAndDraw(&file, file.infoHeader.biWidth, file.infoHeader.biHeight, screen);
    const int spriteSizes[][2] = {{1, 1}, {8, 8}, {16, 16}, {3, 40}};
    for (const auto& s : spriteSizes) CutSprite(&file, s[0], s[1]);
    if (loaded && file.infoHeader.biWidth <= 640 && file.infoHeader.biHeight <= 480)
        CutSprite(&file, file.infoHeader.biWidth, file.infoHeader.biHeight);
    UnloadBitmapFile(&file);
    CutAndDraw(&file, 1, 1, screen);  // headers kept, pixels gone
    CutSprite(&file, 2, 2);
    return 0;
}
