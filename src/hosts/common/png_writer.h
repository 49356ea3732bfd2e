// Writes 0xRRGGBB pictures as PNG files (frame captures and screenshots).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Writes the picture to a new file beside `path` and, once all of it is there, renames it to
// `path`: a full disk or another failure never leaves a cut-off picture under the name, and
// the new file is removed. False, with one line of reason in `error`, when it failed.
bool WritePng(const std::string& path, const std::vector<std::uint32_t>& rgb, int width, int height,
              std::string& error);

}  // namespace host
