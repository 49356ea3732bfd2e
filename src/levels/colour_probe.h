// The colour probe: does a rectangle of a locked 16-bit surface hold either of two colours.
// Levels 2 and 3 find floors, walls and ladders this way.
#pragma once

#include <cstdint>

#include "platform/windows.h"

// 1 when a pixel equal to colourA or colourB lies in the inclusive rectangle, else 0. The
// corners are clamped to the screen first; a reversed pair finds nothing.
int FindColourInRect(int x1, int y1, int x2, int y2, std::uint16_t colourA, std::uint16_t colourB,
                     const std::uint16_t* pixels, int pitch);
// The pixels FindColourInRect reads for these corners, as a rectangle with right and bottom
// exclusive; false when it reads none.
bool ColourProbeArea(int x1, int y1, int x2, int y2, RECT* area);
// The 8-bit member of the family: 1 for the first byte b with colourA <= b <= colourB.
int FindColourInRect8(int x1, int y1, int x2, int y2, std::uint8_t colourA, std::uint8_t colourB,
                      const std::uint8_t* pixels, int pitch);
