// Writes canvases as uncompressed .bmp bitmaps (24-bit BGR or 16-bit 5.6.5), bottom row first.
#pragma once

#include <string>

#include "kit/canvas.h"

// Both return false (and print why) when the file cannot be written or a row's byte length
// is not a multiple of four (the game reads rows without skipping any padding).
bool WriteBmp24(const std::string& path, const Canvas& canvas);
bool WriteBmp16(const std::string& path, const Canvas& canvas);
