// Writes 0xRRGGBB pictures as PNG files without a compression library (the web build, which
// has none): the image data goes in deflate's stored blocks, so the file is about as large
// as the pixels, and any PNG reader reads it.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "hosts/common/png_writer.h"

namespace host {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static std::uint32_t table[256];
    if (table[1] == 0) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBe32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& body) {
    PutBe32(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

// The zlib stream of `raw` in stored blocks of at most 65,535 bytes.
Bytes StoredZlib(const Bytes& raw) {
    Bytes out = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - at, 65535);
        out.push_back(at + length == raw.size() ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
    } while (at < raw.size());
    PutBe32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool WritePng(const std::string& path, const std::vector<std::uint32_t>& rgb, int width, int height,
              std::string& error) {
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<std::size_t>(width) * height) {
        error = "no picture to write to " + path;
        return false;
    }
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(width * 3 + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = rgb[static_cast<std::size_t>(y) * width + x];
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    Bytes header;
    PutBe32(header, static_cast<std::uint32_t>(width));
    PutBe32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", StoredZlib(raw));
    PutChunk(file, "IEND", {});
    // Whole or not at all: the picture goes to a temporary name, renamed once all of it is there.
    const std::string temporary = path + ".part";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool whole = std::fwrite(file.data(), 1, file.size(), out) == file.size() && std::fflush(out) == 0;
    const int writeErrno = errno;
    if (std::fclose(out) != 0 || !whole || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(whole ? errno : writeErrno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace host
