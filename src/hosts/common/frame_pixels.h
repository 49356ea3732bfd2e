// A presented frame as 0xRRGGBB pixels, for captures and screenshots.
#pragma once

#include <cstdint>
#include <vector>

#include "hosts/host.h"

namespace host {

// Converts a presented frame to 0xRRGGBB pixels, row-major, top row first.
std::vector<std::uint32_t> FrameToRgb(const Frame& frame);

}  // namespace host
