// Builds .bmp files for the tests, honest or lying.
#include "support/bmp_builder.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace gametest {

void PutLittleEndian(Bytes& out, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

BmpFile::BmpFile(int w, int h, int b, Bytes stored) : width(w), height(h), bits(b), pixels(std::move(stored)) {}

std::string WriteBmp(const std::string& path, const BmpFile& file) {
    const std::uint32_t offset = file.bits == 8 ? 54 + 1024 : 54;
    const std::uint64_t data = file.pixels.size() + file.zeros;
    const std::uint64_t sizeImage = file.sizeImage < 0 ? data : static_cast<std::uint64_t>(file.sizeImage);
    Bytes out;
    PutLittleEndian(out, file.magic, 2);
    PutLittleEndian(out, offset + data, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, offset, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(file.width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(file.height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, static_cast<std::uint32_t>(file.bits), 2);
    PutLittleEndian(out, 0, 4);  // no compression
    PutLittleEndian(out, sizeImage, 4);
    out.insert(out.end(), 16, 0);  // resolution and colour counts
    for (int i = 0; file.bits == 8 && i < 256; ++i)
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3), 0});
    out.insert(out.end(), file.pixels.begin(), file.pixels.end());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), out.size());
    if (file.zeros > 0) std::filesystem::resize_file(path, out.size() + file.zeros);
    if (file.keep >= 0) std::filesystem::resize_file(path, static_cast<std::uintmax_t>(file.keep));
    return path;
}

Bytes BottomUp(const Bytes& topDown, int rowBytes) {
    Bytes out;
    for (std::size_t end = topDown.size(); end >= static_cast<std::size_t>(rowBytes); end -= rowBytes)
        out.insert(out.end(), topDown.begin() + (end - rowBytes), topDown.begin() + end);
    return out;
}

}  // namespace gametest
