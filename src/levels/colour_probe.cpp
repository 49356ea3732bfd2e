// The colour probe over locked 16- and 8-bit surfaces.
#include "levels/colour_probe.h"

#include "gfx/display.h"

namespace {

// The clamp uses the screen's size, not the surface's: every surface probed is the
// screen's size.
int ClampTo(int value, int size) {
    if (value >= size) return size - 1;
    if (value < 0) return 0;
    return value;
}

}  // namespace

bool ColourProbeArea(int x1, int y1, int x2, int y2, RECT* area) {
    *area = RECT{ClampTo(x1, screenWidth), ClampTo(y1, screenHeight), ClampTo(x2, screenWidth) + 1,
                 ClampTo(y2, screenHeight) + 1};
    return area->left < area->right && area->top < area->bottom;
}

int FindColourInRect(int x1, int y1, int x2, int y2, std::uint16_t colourA, std::uint16_t colourB,
                     const std::uint16_t* pixels, int pitch) {
    if (!pixels) return 0;
    RECT area;
    if (!ColourProbeArea(x1, y1, x2, y2, &area)) return 0;
    const int rowPixels = pitch >> 1;
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * rowPixels;
        for (int x = area.left; x < area.right; ++x)
            if (row[x] == colourA || row[x] == colourB) return 1;
    }
    return 0;
}

int FindColourInRect8(int x1, int y1, int x2, int y2, std::uint8_t colourA, std::uint8_t colourB,
                      const std::uint8_t* pixels, int pitch) {
    if (!pixels) return 0;
    x1 = ClampTo(x1, screenWidth);
    x2 = ClampTo(x2, screenWidth);
    y1 = ClampTo(y1, screenHeight);
    y2 = ClampTo(y2, screenHeight);
    for (int y = y1; y <= y2; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = x1; x <= x2; ++x)
            if (row[x] >= colourA && row[x] <= colourB) return 1;
    }
    return 0;
}
