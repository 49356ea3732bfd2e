// The 256-entry palette of the 8-bit display: a table of red, green, blue and flags bytes.
#include <cstring>

#include "platform/ddraw/ddraw_internal.h"

namespace ddraw_detail {
namespace {

constexpr DWORD kEntries = 256;

bool RangeFits(DWORD base, DWORD count) {
    return base <= kEntries && count <= kEntries - base;
}

}  // namespace

Palette::Palette(const PALETTEENTRY* entries) {
    std::memcpy(entries_, entries, sizeof(entries_));
}

HRESULT Palette::GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) {
    (void)flags;
    if (entries == nullptr || !RangeFits(base, count)) return E_INVALIDARG;
    std::memcpy(entries, entries_ + base, count * sizeof(PALETTEENTRY));
    return S_OK;
}

HRESULT Palette::SetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) {
    (void)flags;
    if (entries == nullptr || !RangeFits(base, count)) return E_INVALIDARG;
    std::memcpy(entries_ + base, entries, count * sizeof(PALETTEENTRY));
    return S_OK;
}

}  // namespace ddraw_detail
