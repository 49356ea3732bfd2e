// Builds .bmp files for the tests: honest ones, and ones whose headers lie about their
// size, depth or magic, or that end early, to see what the bitmap loader makes of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gametest {

using Bytes = std::vector<std::uint8_t>;

// Appends the unsigned little-endian value of `count` bytes.
void PutLittleEndian(Bytes& out, std::uint64_t value, int count);

// What a test .bmp holds; the first four fields make an honest file, the others make it lie.
// 8-bit files get the colour table (blue i, green 255 - i, red 3i, 0) for entry i.
struct BmpFile {
    BmpFile(int w, int h, int b, Bytes stored = {});
    int width, height, bits;
    Bytes pixels;                  // pixel bytes as stored: bottom row first
    std::uint64_t zeros = 0;       // zero bytes after them, written as a hole so that a vast file costs nothing
    long long sizeImage = -1;      // biSizeImage; -1 means all the pixel data, zeros included
    std::uint16_t magic = 0x4D42;  // "BM"
    long long keep = -1;           // bytes of the whole file to write; -1 means all
};

// Writes the file and returns its path.
std::string WriteBmp(const std::string& path, const BmpFile& file);

// Stored order (bottom row first) from a picture given top row first.
Bytes BottomUp(const Bytes& topDown, int rowBytes);

}  // namespace gametest
