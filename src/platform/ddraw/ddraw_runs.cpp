// Finding, asking about and copying the opaque runs of a colour-keyed picture.
#include "platform/ddraw/ddraw_runs.h"

#include <algorithm>
#include <cstring>

namespace ddraw_detail {
namespace {

// Below this many pixels per run on average, a memcpy per run costs more than the kernel
// that compares every pixel with the key.
constexpr std::size_t kShortestWorthwhileRun = 8;

template <typename Pixel>
Pixel LoadPixel(const std::uint8_t* p) {
    Pixel v;
    std::memcpy(&v, p, sizeof(Pixel));
    return v;
}

// Appends the runs of one row of `width` pixels.
template <typename Pixel>
void FindRowRuns(const std::uint8_t* row, int width, Pixel key, std::vector<OpaqueRuns::Run>& out) {
    int x = 0;
    while (x < width) {
        while (x < width && LoadPixel<Pixel>(row + x * sizeof(Pixel)) == key) ++x;
        if (x == width) break;
        const int begin = x;
        while (x < width && LoadPixel<Pixel>(row + x * sizeof(Pixel)) != key) ++x;
        out.push_back({static_cast<std::uint16_t>(begin), static_cast<std::uint16_t>(x)});
    }
}

}  // namespace

bool OpaqueRuns::Build(const std::uint8_t* pixels, int pitch, int width, int height, int bytesPerPixel, DWORD key) {
    Clear();
    if (width <= 0 || height <= 0 || width > 0xFFFF) return false;
    rowStart_.reserve(static_cast<std::size_t>(height) + 1);
    std::size_t opaque = 0;
    for (int y = 0; y < height; ++y) {
        rowStart_.push_back(static_cast<std::uint32_t>(runs_.size()));
        const std::size_t before = runs_.size();
        const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        if (bytesPerPixel == 2)
            FindRowRuns<std::uint16_t>(row, width, static_cast<std::uint16_t>(key), runs_);
        else
            FindRowRuns<std::uint8_t>(row, width, static_cast<std::uint8_t>(key), runs_);
        for (std::size_t i = before; i < runs_.size(); ++i) opaque += runs_[i].end - runs_[i].begin;
    }
    rowStart_.push_back(static_cast<std::uint32_t>(runs_.size()));
    if (runs_.size() * kShortestWorthwhileRun > opaque) {
        Clear();
        return false;
    }
    return true;
}

void OpaqueRuns::Clear() {
    rowStart_.clear();
    rowStart_.shrink_to_fit();
    runs_.clear();
    runs_.shrink_to_fit();
}

bool OpaqueRuns::Covers(const RECT& area) const {
    for (LONG y = area.top; y < area.bottom; ++y) {
        const Run* first = runs_.data() + rowStart_[y];
        const Run* last = runs_.data() + rowStart_[y + 1];
        // Runs never touch each other, so only one run can hold all the columns.
        const Run* holder = std::find_if(first, last, [&](const Run& r) { return r.end > area.left; });
        if (holder == last || holder->begin > area.left || holder->end < area.right) return false;
    }
    return true;
}

void OpaqueRuns::Copy(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, int sx, int sy, int width,
                      int height, int bytesPerPixel) const {
    const int right = sx + width;
    for (int j = 0; j < height; ++j) {
        const int y = sy + j;
        const std::uint8_t* from = src + static_cast<std::ptrdiff_t>(y) * srcPitch;
        std::uint8_t* to = dst + static_cast<std::ptrdiff_t>(j) * dstPitch;
        const Run* run = runs_.data() + rowStart_[y];
        const Run* last = runs_.data() + rowStart_[y + 1];
        for (; run != last && run->begin < right; ++run) {
            const int begin = std::max<int>(run->begin, sx);
            const int end = std::min<int>(run->end, right);
            if (begin < end)
                std::memcpy(to + static_cast<std::ptrdiff_t>(begin - sx) * bytesPerPixel,
                            from + static_cast<std::ptrdiff_t>(begin) * bytesPerPixel,
                            static_cast<std::size_t>(end - begin) * bytesPerPixel);
        }
    }
}

}  // namespace ddraw_detail
