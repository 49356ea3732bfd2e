// Writes 0xRRGGBB pictures as PNG files (frame captures and screenshots), through libpng,
// into a file of a temporary name that is renamed once whole. libpng's errors come to us
// rather than to the terminal.
#include "hosts/common/png_writer.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace host {
namespace {

// What the writing callbacks share: the file, and the first failure's reason.
struct Output {
    int fd = -1;
    std::string reason;
};

void Fail(png_structp png, const std::string& reason) {
    auto* out = static_cast<Output*>(png_get_error_ptr(png));
    if (out->reason.empty()) out->reason = reason;
    png_longjmp(png, 1);
}

void OnError(png_structp png, png_const_charp message) {
    Fail(png, message ? message : "the picture could not be encoded");
}

void OnWarning(png_structp, png_const_charp) {}

void WriteBytes(png_structp png, png_bytep bytes, png_size_t size) {
    auto* out = static_cast<Output*>(png_get_error_ptr(png));
    while (size > 0) {
        const ssize_t wrote = ::write(out->fd, bytes, size);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) Fail(png, wrote < 0 ? std::strerror(errno) : "the disk took no more");
        bytes += wrote;
        size -= static_cast<png_size_t>(wrote);
    }
}

void Flush(png_structp) {}

// Encodes the picture into out.fd; false (with out.reason) when libpng or a write failed.
bool Encode(Output& out, const std::vector<std::uint32_t>& rgb, int width, int height) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &out, OnError, OnWarning);
    if (!png) {
        out.reason = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        if (out.reason.empty()) out.reason = "out of memory";
        return false;
    }
    png_set_write_fn(png, &out, WriteBytes, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = rgb[static_cast<std::size_t>(y) * width + x];
            row[x * 3 + 0] = static_cast<png_byte>(p >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(p);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Creates a new file of a name no other file has, beside `path`; -1 when none can be made.
int CreateBeside(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".part" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool WritePng(const std::string& path, const std::vector<std::uint32_t>& rgb, int width, int height,
              std::string& error) {
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<std::size_t>(width) * height) {
        error = "cannot write " + path + ": the picture has no size";
        return false;
    }
    std::string temporary;
    Output out;
    out.fd = CreateBeside(path, temporary);
    if (out.fd < 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = Encode(out, rgb, width, height);
    if (::close(out.fd) != 0 && ok) {
        ok = false;
        out.reason = std::strerror(errno);
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        out.reason = std::strerror(errno);
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = "cannot write " + path + ": " + out.reason;
    }
    return ok;
}

}  // namespace host
