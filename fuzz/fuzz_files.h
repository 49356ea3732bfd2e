// What the fuzz targets share: the loaders read files by name, so each input is written
// to a scratch file first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Writes the bytes to the file, replacing it; false when any of it could not be written.
inline bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool whole = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && whole;
}
