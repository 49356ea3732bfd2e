// A presented frame as the canvas's pixels: red, green, blue and alpha bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "hosts/host.h"

namespace host::web {

// Turns frames into RGBA bytes in one buffer kept from frame to frame; each 16-bit pixel is
// one look-up in a table of its 65,536 values, made once for the frame's layout.
class CanvasPixels {
public:
    // The frame's pixels, row-major, top row first; valid until the next call.
    const std::uint8_t* Convert(const Frame& frame);

private:
    std::vector<std::uint32_t> rgba_;   // each pixel's bytes as one word, in memory order
    std::vector<std::uint32_t> table_;  // a 16-bit pixel's RGBA word, for tableLayout_
    PixelLayout tableLayout_ = PixelLayout::Indexed8;
};

}  // namespace host::web
