// Writes 0xRRGGBB pictures as PNG files (frame captures and screenshots).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

bool WritePng(const std::string& path, const std::vector<std::uint32_t>& rgb, int width, int height);

}  // namespace host
