// The clipper: a list of rectangles that limits where blits into a surface may draw, or the
// window whose picture a windowed primary surface shows.
#include <cstring>

#include "platform/ddraw/ddraw_internal.h"

namespace ddraw_detail {
namespace {

// More rectangles than any screen could use; a count past this is a damaged region.
constexpr DWORD kMostRectangles = 1u << 16;

}  // namespace

HRESULT Clipper::SetClipList(RGNDATA* region, DWORD flags) {
    if (flags != 0) return E_INVALIDARG;
    if (region == nullptr) {
        hasList_ = false;
        rects_.clear();
        return S_OK;
    }
    const DWORD count = region->rdh.nCount;
    if (count > kMostRectangles) return E_INVALIDARG;
    std::vector<RECT> copied(count);
    // The rectangles follow the 32-byte header; the region's block need not be aligned for RECT.
    if (count != 0) std::memcpy(copied.data(), region->Buffer, count * sizeof(RECT));
    rects_.swap(copied);
    hasList_ = true;
    return S_OK;
}

HRESULT Clipper::SetHWnd(DWORD flags, HWND window) {
    if (flags != 0) return E_INVALIDARG;
    window_ = window;
    return S_OK;
}

}  // namespace ddraw_detail
