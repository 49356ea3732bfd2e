// The pictures built into the program: the window icon in two sizes and the pointing-hand cursor.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Resource numbers the game asks for.
constexpr int kHeroIconResource = 7;
constexpr int kHandCursorResource = 108;

struct ResourceImage {
    int width;
    int height;
    int hotX;  // the pixel that is the cursor's point; the centre for an icon
    int hotY;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, row-major, top row first; alpha 0 or 255
};

// Icon `resourceId` at `size` pixels square (16 or 32); nullptr when there is no such image.
const ResourceImage* FindIconImage(int resourceId, int size);

// Cursor `resourceId`, 32x32 black and white with a transparent surround; nullptr if unknown.
const ResourceImage* FindCursorImage(int resourceId);

}  // namespace platform
