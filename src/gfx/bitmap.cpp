// Bitmap files and images.
#include "gfx/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/game_services.h"
#include "gfx/display.h"

BitmapFile sharedBitmapFile = {};

namespace {

constexpr std::uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kColourTableBytes = 1024;
// More pixel data than this is never a picture of ours: kLargestBitmapPixels at 24 bits is
// 12 MiB, and rows may be padded or followed by a little more.
constexpr std::uint64_t kLargestPixelData = 16ull << 20;

std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

BitmapFileHeader ParseFileHeader(const std::uint8_t* p) {
    return BitmapFileHeader{Read16(p), Read32(p + 2), Read16(p + 6), Read16(p + 8), Read32(p + 10)};
}

BitmapInfoHeader ParseInfoHeader(const std::uint8_t* p) {
    BitmapInfoHeader h;
    h.biSize = Read32(p);
    h.biWidth = static_cast<std::int32_t>(Read32(p + 4));
    h.biHeight = static_cast<std::int32_t>(Read32(p + 8));
    h.biPlanes = Read16(p + 12);
    h.biBitCount = Read16(p + 14);
    h.biCompression = Read32(p + 16);
    h.biSizeImage = Read32(p + 20);
    h.biXPelsPerMeter = static_cast<std::int32_t>(Read32(p + 24));
    h.biYPelsPerMeter = static_cast<std::int32_t>(Read32(p + 28));
    h.biClrUsed = Read32(p + 32);
    h.biClrImportant = Read32(p + 36);
    return h;
}

void Convert24To16(const std::uint8_t* source, std::uint16_t* dest, std::size_t count);

// Reads exactly `count` bytes into `out`.
bool ReadInto(HFILE file, std::uint8_t* out, std::size_t count) {
    constexpr std::size_t kChunk = 1 << 20;
    while (count > 0) {
        const std::size_t want = std::min(kChunk, count);
        const UINT got = _lread(file, out, static_cast<UINT>(want));
        if (got == static_cast<UINT>(-1) || got != want) return false;
        out += want;
        count -= want;
    }
    return true;
}

// Reads the pixel data into `pixels` and turns its rows top row first (the file keeps the
// bottom row first), 24-bit rows turned into 16-bit ones on the way. Every byte of
// the buffer is written, so it need not be cleared first; data past the rows (a file may
// say it has more than they need) follows them as it is, or for 24 bits is read and dropped.
bool ReadPixels(HFILE file, const BitmapInfoHeader& info, std::uint8_t* pixels) {
    const std::size_t width = static_cast<std::size_t>(info.biWidth);
    const std::size_t rows = static_cast<std::size_t>(info.biHeight);
    const std::size_t rowBytes = width * (info.biBitCount / 8);
    if (info.biBitCount != 24) {
        if (!ReadInto(file, pixels, info.biSizeImage)) return false;
        std::unique_ptr<std::uint8_t[]> swap(new std::uint8_t[rowBytes]);
        for (std::size_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
            std::memcpy(swap.get(), pixels + top * rowBytes, rowBytes);
            std::memcpy(pixels + top * rowBytes, pixels + bottom * rowBytes, rowBytes);
            std::memcpy(pixels + bottom * rowBytes, swap.get(), rowBytes);
        }
        return true;
    }
    // 24-bit rows come in a few at a time through a small buffer that stays warm, rather
    // than through a buffer of the whole picture that is touched only once.
    constexpr std::size_t kPieceBytes = 64 * 1024;
    const std::size_t rowsAPiece = std::max<std::size_t>(1, kPieceBytes / rowBytes);
    std::unique_ptr<std::uint8_t[]> piece(new std::uint8_t[rowsAPiece * rowBytes]);
    auto* out = reinterpret_cast<std::uint16_t*>(pixels);
    for (std::size_t row = 0; row < rows; row += rowsAPiece) {
        const std::size_t count = std::min(rowsAPiece, rows - row);
        if (!ReadInto(file, piece.get(), count * rowBytes)) return false;
        for (std::size_t i = 0; i < count; ++i)
            Convert24To16(piece.get() + i * rowBytes, out + (rows - 1 - row - i) * width, width);
    }
    for (std::size_t rest = info.biSizeImage - rows * rowBytes; rest > 0;) {
        const std::size_t count = std::min(rest, rowsAPiece * rowBytes);
        if (!ReadInto(file, piece.get(), count)) return false;
        rest -= count;
    }
    return true;
}

// The sizes a well-formed picture of ours can have: positive sides up to the largest we
// accept, and pixel data at least as large as the rows it must hold, at most what any of
// our pictures needs.
bool SizesArePossible(const BitmapInfoHeader& info) {
    if (info.biWidth <= 0 || info.biHeight <= 0) return false;
    if (info.biWidth > kLargestBitmapSide || info.biHeight > kLargestBitmapSide) return false;
    if (static_cast<long long>(info.biWidth) * info.biHeight > kLargestBitmapPixels) return false;
    const std::uint64_t needed =
        static_cast<std::uint64_t>(info.biWidth) * static_cast<std::uint64_t>(info.biHeight) * (info.biBitCount / 8);
    return info.biSizeImage >= needed && info.biSizeImage <= kLargestPixelData;
}

void Convert24To16(const std::uint8_t* source, std::uint16_t* dest, std::size_t count) {
    const bool fiveFiveFive = pixelFormat == 15;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned blue = source[i * 3], green = source[i * 3 + 1], red = source[i * 3 + 2];
        dest[i] = fiveFiveFive ? static_cast<std::uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3))
                               : static_cast<std::uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
    }
}

// Copies a row of pixels, leaving the destination where the source is 0 (black): eight
// pixels at a time where the processor allows, the rest one by one.
void CopyRowSkippingBlack(std::uint16_t* dest, const std::uint16_t* source, int count) {
    int c = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; c + 8 <= count; c += 8) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + c));
        const __m128i black = _mm_cmpeq_epi16(pixels, zero);
        if (_mm_movemask_epi8(black) == 0xFFFF) continue;  // all black: nothing to draw
        const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + c));
        const __m128i mixed = _mm_or_si128(_mm_and_si128(black, under), _mm_andnot_si128(black, pixels));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + c), mixed);
    }
#endif
    for (; c < count; ++c)
        if (source[c] != 0) dest[c] = source[c];
}

}  // namespace

int LoadBitmapFile(BitmapFile* bitmapFile, const char* fileName) {
    if (!bitmapFile || !fileName) return 0;
    OFSTRUCT info;
    const HFILE file = OpenFile(fileName, &info, OF_READ);
    if (file == HFILE_ERROR) return 0;
    // A picture that is there but cannot be used shows as black: the player hears which.
    const auto fail = [file, fileName]() {
        _lclose(file);
        services::ReportDamagedFile(fileName);
        return 0;
    };

    std::uint8_t headerBytes[kFileHeaderBytes + kInfoHeaderBytes];
    if (_lread(file, headerBytes, kFileHeaderBytes) != kFileHeaderBytes) return fail();
    const BitmapFileHeader fileHeader = ParseFileHeader(headerBytes);
    if (fileHeader.bfType != kBitmapMagic) {
        bitmapFile->fileHeader = fileHeader;
        return fail();
    }
    if (_lread(file, headerBytes + kFileHeaderBytes, kInfoHeaderBytes) != kInfoHeaderBytes) return fail();
    BitmapInfoHeader infoHeader = ParseInfoHeader(headerBytes + kFileHeaderBytes);
    const int bits = infoHeader.biBitCount;
    if (bits != 8 && bits != 16 && bits != 24) {
        bitmapFile->fileHeader = fileHeader;
        bitmapFile->infoHeader = infoHeader;
        return fail();
    }
    // A file whose headers claim impossible sizes is refused before anything is taken
    // from it, so that no copy can ever run past a buffer.
    if (!SizesArePossible(infoHeader)) return fail();

    PALETTEENTRY palette[256];
    if (bits == 8) {
        std::uint8_t table[kColourTableBytes];
        if (_lread(file, table, kColourTableBytes) != kColourTableBytes) return fail();
        for (int i = 0; i < 256; ++i) {
            palette[i].peRed = table[i * 4 + 2];
            palette[i].peGreen = table[i * 4 + 1];
            palette[i].peBlue = table[i * 4];
            palette[i].peFlags = PC_NOCOLLAPSE;
        }
    }

    // The headers' sizes are bounded (SizesArePossible), so a file that holds less than
    // they claim costs at most an allocation of that bound, never touched.
    const std::size_t pixelCount = static_cast<std::size_t>(infoHeader.biWidth) * infoHeader.biHeight;
    const std::size_t bufferBytes = bits == 24 ? pixelCount * 2 : infoHeader.biSizeImage;
    auto* pixels = static_cast<std::uint8_t*>(std::malloc(bufferBytes == 0 ? 1 : bufferBytes));
    if (!pixels) return fail();
    if (!ReadPixels(file, infoHeader, pixels)) {
        std::free(pixels);
        return fail();
    }
    _lclose(file);
    if (bits == 24) infoHeader.biBitCount = 16;

    std::free(bitmapFile->pixels);
    bitmapFile->pixels = pixels;
    bitmapFile->fileHeader = fileHeader;
    bitmapFile->infoHeader = infoHeader;
    if (bits == 8) std::memcpy(bitmapFile->palette, palette, sizeof(palette));
    return 1;
}

int UnloadBitmapFile(BitmapFile* bitmapFile) {
    if (bitmapFile && bitmapFile->pixels) {
        std::free(bitmapFile->pixels);
        bitmapFile->pixels = nullptr;
    }
    return 1;
}

int FlipBitmapRows(std::uint8_t* buffer, int rowBytes, int rowCount) {
    if (!buffer || rowBytes <= 0 || rowCount <= 0) return 1;
    const std::size_t total = static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(rowCount);
    auto* copy = static_cast<std::uint8_t*>(std::malloc(total));
    if (!copy) return 0;
    std::memcpy(copy, buffer, total);
    for (int i = 0; i < rowCount; ++i)
        std::memcpy(buffer + static_cast<std::size_t>(rowCount - 1 - i) * rowBytes,
                    copy + static_cast<std::size_t>(i) * rowBytes, static_cast<std::size_t>(rowBytes));
    std::free(copy);
    return 1;
}

int CreateBitmapImage(BitmapImage* image, int x, int y, int width, int height, int bpp) {
    if (!image || width < 0 || height < 0 || bpp < 0) return 0;
    // One row stays below 2^59 bytes; the whole is refused before it could pass what a long long holds.
    const long long rowBytes = static_cast<long long>(bpp / 8) * width;
    if (height > 0 && rowBytes > 0x7FFFFFFFLL / height) return 0;
    const long long bytes = rowBytes * height;
    auto* buffer = static_cast<std::uint8_t*>(std::calloc(bytes > 0 ? static_cast<std::size_t>(bytes) : 1, 1));
    if (!buffer) return 0;
    std::free(image->buffer);
    image->buffer = buffer;
    image->x = x;
    image->y = y;
    image->width = width;
    image->height = height;
    image->byteCount = static_cast<int>(bytes);
    image->bpp = bpp;
    image->state = 1;
    image->attributes = 0;
    return 1;
}

int DestroyBitmapImage(BitmapImage* image) {
    if (!image || !image->buffer) return 0;
    std::free(image->buffer);
    *image = BitmapImage{};
    return 1;
}

bool BitmapHoldsRegion(const BitmapFile* bitmapFile, long long x0, long long y0, long long width, long long height) {
    if (!bitmapFile || !bitmapFile->pixels || bitmapFile->infoHeader.biBitCount != 16) return false;
    const long long pictureWidth = bitmapFile->infoHeader.biWidth;
    const long long pictureHeight = bitmapFile->infoHeader.biHeight;
    return width >= 0 && height >= 0 && x0 >= 0 && y0 >= 0 && x0 + width <= pictureWidth &&
           y0 + height <= pictureHeight;
}

int LoadImageFromBitmap(BitmapImage* image, BitmapFile* bitmapFile, int cx, int cy, int mode) {
    if (!image || !image->buffer) return 0;
    long long x0 = cx, y0 = cy;
    if (mode == 0) {
        x0 = static_cast<long long>(cx) * (static_cast<long long>(image->width) + 1) + 1;
        y0 = static_cast<long long>(cy) * (static_cast<long long>(image->height) + 1) + 1;
    }
    // The region must lie inside the loaded 16-bit picture and fit the image's buffer;
    // otherwise nothing is copied.
    if (!BitmapHoldsRegion(bitmapFile, x0, y0, image->width, image->height)) return 0;
    if (static_cast<long long>(image->width) * image->height * 2 > image->byteCount) return 0;
    const auto* source = reinterpret_cast<const std::uint16_t*>(bitmapFile->pixels);
    auto* dest = reinterpret_cast<std::uint16_t*>(image->buffer);
    const long long sourceWidth = bitmapFile->infoHeader.biWidth;
    for (int r = 0; r < image->height; ++r)
        std::memcpy(dest + static_cast<std::size_t>(r) * image->width, source + (y0 + r) * sourceWidth + x0,
                    static_cast<std::size_t>(image->width) * 2);
    image->attributes |= imageLoaded;
    return 1;
}

int DrawBitmapImage(BitmapImage* image, WORD* destBuffer, int destPitch, int transparent) {
    if (!image) return 0;
    const long long right = static_cast<long long>(image->x) + image->width;
    const long long bottom = static_cast<long long>(image->y) + image->height;
    if (right > 0x7FFFFFFF || bottom > 0x7FFFFFFF) return 0;
    const RECT whole = {image->x, image->y, static_cast<LONG>(right), static_cast<LONG>(bottom)};
    return DrawBitmapImagePart(image, destBuffer, destPitch, transparent, whole);
}

int DrawBitmapImagePart(BitmapImage* image, WORD* destBuffer, int destPitch, int transparent, const RECT& part) {
    if (!image || !(image->attributes & imageLoaded) || !image->buffer) return 0;
    if (!destBuffer) return 0;
    const int destRow = destPitch / 2;
    // The destination's height is the caller's to keep to; its width we can check.
    if (image->x < 0 || image->y < 0 || static_cast<long long>(image->x) + image->width > destRow) return 0;
    // The part of the image under `part`, in destination pixels.
    const long long left = std::max<long long>(part.left, image->x);
    const long long top = std::max<long long>(part.top, image->y);
    const long long right = std::min<long long>(part.right, static_cast<long long>(image->x) + image->width);
    const long long bottom = std::min<long long>(part.bottom, static_cast<long long>(image->y) + image->height);
    if (left >= right || top >= bottom) return 1;
    const std::size_t count = static_cast<std::size_t>(right - left);
    const auto* source = reinterpret_cast<const std::uint16_t*>(image->buffer) +
                         static_cast<std::ptrdiff_t>(top - image->y) * image->width + (left - image->x);
    WORD* dest = destBuffer + static_cast<std::ptrdiff_t>(top) * destRow + left;
    for (long long r = top; r < bottom; ++r) {
        if (!transparent) {
            std::memcpy(dest, source, count * 2);
        } else {
            CopyRowSkippingBlack(dest, source, static_cast<int>(count));
        }
        source += image->width;
        dest += destRow;
    }
    return 1;
}
