// The runs of pixels in a picture that differ from its colour key, row by row: exactly the
// pixels a colour-keyed blit copies. A sprite frame or a scrolling background keeps the same
// picture for many frames, so the surface finds its runs once and every keyed blit after that
// copies them with memcpy instead of comparing each pixel with the key.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ddraw.h"

namespace ddraw_detail {

class OpaqueRuns {
public:
    struct Run {
        std::uint16_t begin;  // first column
        std::uint16_t end;    // one past the last column
    };

    // Finds the runs of a width x height picture (width at most 65535). Returns false, and
    // keeps nothing, when the runs are so short on average that copying them one at a time
    // would cost more than comparing the pixels with the key.
    bool Build(const std::uint8_t* pixels, int pitch, int width, int height, int bytesPerPixel, DWORD key);
    void Clear();

    // True when no pixel in the area (inside the picture, right and bottom exclusive) holds
    // the key.
    bool Covers(const RECT& area) const;

    // The keyed copy of the width x height area whose top-left pixel is (sx, sy) of the
    // picture `src` (whose runs these are) to `dst`: the pixels of the runs, nothing else.
    void Copy(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, int sx, int sy, int width,
              int height, int bytesPerPixel) const;

private:
    std::vector<std::uint32_t> rowStart_;  // runs of row y: rowStart_[y] .. rowStart_[y + 1]
    std::vector<Run> runs_;
};

}  // namespace ddraw_detail
