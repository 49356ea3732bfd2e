// The pixel kernels behind Blt: colour fill, plain copy, colour-keyed copy and nearest-pixel
// scaled copy, for 16-bit and 8-bit pictures. The hot ones use SSE2 where the compiler has it.
#include <cstring>

#include "platform/ddraw/ddraw_internal.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ddraw_detail {
namespace {

// 16-bit pixels are read and written through memcpy: the memory is bytes, and this keeps the
// compiler's aliasing rules happy while still compiling to plain moves.
inline std::uint16_t Load16(const std::uint8_t* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline void Store16(std::uint8_t* p, std::uint16_t v) {
    std::memcpy(p, &v, 2);
}

void FillRow16(std::uint8_t* row, int width, std::uint16_t colour) {
    int x = 0;
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    // Long spans (a whole contiguous picture is one span) go to the processor's string store,
    // which writes as fast as memset does; four copies of the pixel fit any even address.
    if (width >= 256) {
        void* at = row;
        std::size_t words = static_cast<std::size_t>(width) / 4;
        const std::uint64_t pattern = 0x0001000100010001ull * colour;
        asm volatile("rep stosq" : "+D"(at), "+c"(words) : "a"(pattern) : "memory");
        x = width & ~3;
    }
#endif
#if defined(__SSE2__)
    const __m128i pattern16 = _mm_set1_epi16(static_cast<short>(colour));
    for (; x + 32 <= width; x += 32) {
        __m128i* p = reinterpret_cast<__m128i*>(row + x * 2);
        _mm_storeu_si128(p, pattern16);
        _mm_storeu_si128(p + 1, pattern16);
        _mm_storeu_si128(p + 2, pattern16);
        _mm_storeu_si128(p + 3, pattern16);
    }
    for (; x + 8 <= width; x += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x * 2), pattern16);
#endif
    for (; x < width; ++x) Store16(row + x * 2, colour);
}

#if defined(__SSE2__)
// Eight pixels whose key lanes are set in `isKey`: none key, stored straight; all key, left
// alone; otherwise the old destination shows through the key lanes.
inline void StoreKeyedGroup(std::uint8_t* dst, __m128i pixels, __m128i isKey) {
    __m128i* d = reinterpret_cast<__m128i*>(dst);
    const int mask = _mm_movemask_epi8(isKey);
    if (mask == 0) {
        _mm_storeu_si128(d, pixels);
    } else if (mask != 0xFFFF) {
        const __m128i old = _mm_loadu_si128(d);
        _mm_storeu_si128(d, _mm_or_si128(_mm_and_si128(isKey, old), _mm_andnot_si128(isKey, pixels)));
    }
}
#endif

void CopyKeyedRow16(std::uint8_t* dst, const std::uint8_t* src, int width, std::uint16_t key) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
    // Four groups of eight at a time, so that the common run of opaque pixels costs one
    // test per 32 pixels; a block with any key pixel goes group by group.
    for (; x + 32 <= width; x += 32) {
        const __m128i* s = reinterpret_cast<const __m128i*>(src + x * 2);
        const __m128i s0 = _mm_loadu_si128(s);
        const __m128i s1 = _mm_loadu_si128(s + 1);
        const __m128i s2 = _mm_loadu_si128(s + 2);
        const __m128i s3 = _mm_loadu_si128(s + 3);
        const __m128i k0 = _mm_cmpeq_epi16(s0, keys);
        const __m128i k1 = _mm_cmpeq_epi16(s1, keys);
        const __m128i k2 = _mm_cmpeq_epi16(s2, keys);
        const __m128i k3 = _mm_cmpeq_epi16(s3, keys);
        std::uint8_t* d = dst + x * 2;
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(k0, k1), _mm_or_si128(k2, k3))) == 0) {
            __m128i* out = reinterpret_cast<__m128i*>(d);
            _mm_storeu_si128(out, s0);
            _mm_storeu_si128(out + 1, s1);
            _mm_storeu_si128(out + 2, s2);
            _mm_storeu_si128(out + 3, s3);
        } else {
            StoreKeyedGroup(d, s0, k0);
            StoreKeyedGroup(d + 16, s1, k1);
            StoreKeyedGroup(d + 32, s2, k2);
            StoreKeyedGroup(d + 48, s3, k3);
        }
    }
    for (; x + 8 <= width; x += 8) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x * 2));
        StoreKeyedGroup(dst + x * 2, s, _mm_cmpeq_epi16(s, keys));
    }
#endif
    for (; x < width; ++x) {
        const std::uint16_t pixel = Load16(src + x * 2);
        if (pixel != key) Store16(dst + x * 2, pixel);
    }
}

void CopyKeyedRow8(std::uint8_t* dst, const std::uint8_t* src, int width, std::uint8_t key) {
    for (int x = 0; x < width; ++x)
        if (src[x] != key) dst[x] = src[x];
}

}  // namespace

void FillPixels(std::uint8_t* dst, int dstPitch, int width, int height, int bytesPerPixel, DWORD colour) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    // A picture whose rows follow each other without a gap is filled as one long row.
    if (static_cast<std::size_t>(dstPitch) == rowBytes) {
        width *= height;
        height = 1;
    }
    const std::size_t bytes = static_cast<std::size_t>(width) * bytesPerPixel;
    const std::uint8_t low = static_cast<std::uint8_t>(colour);
    const std::uint8_t high = static_cast<std::uint8_t>(colour >> 8);
    const bool byteFill = bytesPerPixel == 1 || low == high;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dst + static_cast<std::ptrdiff_t>(y) * dstPitch;
        if (byteFill)
            std::memset(row, low, bytes);
        else
            FillRow16(row, width, static_cast<std::uint16_t>(colour));
    }
}

void CopyPixels(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, int width, int height,
                int bytesPerPixel) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    if (static_cast<std::size_t>(dstPitch) == rowBytes && static_cast<std::size_t>(srcPitch) == rowBytes) {
        std::memcpy(dst, src, rowBytes * static_cast<std::size_t>(height));
        return;
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(dst + static_cast<std::ptrdiff_t>(y) * dstPitch, src + static_cast<std::ptrdiff_t>(y) * srcPitch,
                    rowBytes);
}

void CopyKeyedPixels(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, int width, int height,
                     int bytesPerPixel, DWORD key) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    if (static_cast<std::size_t>(dstPitch) == rowBytes && static_cast<std::size_t>(srcPitch) == rowBytes) {
        width *= height;
        height = 1;
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* d = dst + static_cast<std::ptrdiff_t>(y) * dstPitch;
        const std::uint8_t* s = src + static_cast<std::ptrdiff_t>(y) * srcPitch;
        if (bytesPerPixel == 2)
            CopyKeyedRow16(d, s, width, static_cast<std::uint16_t>(key));
        else
            CopyKeyedRow8(d, s, width, static_cast<std::uint8_t>(key));
    }
}

void CopyScaledPixels(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, const int* columns,
                      int width, const int* rows, int height, int bytesPerPixel, bool keyed, DWORD key) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* d = dst + static_cast<std::ptrdiff_t>(y) * dstPitch;
        const std::uint8_t* s = src + static_cast<std::ptrdiff_t>(rows[y]) * srcPitch;
        if (bytesPerPixel == 2) {
            for (int x = 0; x < width; ++x) {
                const std::uint16_t pixel = Load16(s + columns[x] * 2);
                if (!keyed || pixel != key) Store16(d + x * 2, pixel);
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const std::uint8_t pixel = s[columns[x]];
                if (!keyed || pixel != key) d[x] = pixel;
            }
        }
    }
}

}  // namespace ddraw_detail
