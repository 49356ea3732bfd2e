// The surface object: pixel memory, lifetime, locks, the flip chain, colour key, attached
// clipper and palette, the device context for text, and the opaque runs of its picture.
#include <cstring>
#include <new>
#include <utility>

#include "platform/ddraw/ddraw_internal.h"

namespace ddraw_detail {
namespace {

constexpr long long kLargestSurfaceBytes = 256ll * 1024 * 1024;
constexpr int kLargestSide = 16384;

// What an 8-bit picture is shown with when no palette was attached: a grey ramp.
const std::uint8_t* GreyRamp() {
    static const auto ramp = [] {
        struct Table {
            std::uint8_t bytes[256 * 4];
        } table{};
        for (int i = 0; i < 256; ++i) {
            table.bytes[i * 4 + 0] = static_cast<std::uint8_t>(i);
            table.bytes[i * 4 + 1] = static_cast<std::uint8_t>(i);
            table.bytes[i * 4 + 2] = static_cast<std::uint8_t>(i);
        }
        return table;
    }();
    return ramp.bytes;
}

bool RectInside(const RECT& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width && r.bottom <= height;
}

}  // namespace

Surface* Surface::Create(int width, int height, const Format& format, DWORD caps, HRESULT* result) {
    *result = E_INVALIDARG;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return nullptr;
    const long long rowBytes = static_cast<long long>(width) * format.bytesPerPixel;
    const long long pitch = ((rowBytes + 3) & ~3ll) + SurfacePitchPadding();
    const long long bytes = pitch * height;
    if (bytes > kLargestSurfaceBytes) {
        *result = E_OUTOFMEMORY;
        return nullptr;
    }
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]());
    if (!pixels) {
        *result = E_OUTOFMEMORY;
        return nullptr;
    }
    Surface* surface =
        new (std::nothrow) Surface(width, height, static_cast<int>(pitch), format, caps, std::move(pixels));
    *result = surface != nullptr ? S_OK : E_OUTOFMEMORY;
    return surface;
}

Surface::Surface(int width, int height, int pitch, const Format& format, DWORD caps,
                 std::unique_ptr<std::uint8_t[]> pixels)
    : width_(width), height_(height), pitch_(pitch), format_(&format), caps_(caps), pixels_(std::move(pixels)) {}

Surface::~Surface() {
    if (clipper_ != nullptr) clipper_->Release();
    if (palette_ != nullptr) palette_->Release();
    if (backBuffer_ != nullptr) {
        backBuffer_->front_ = nullptr;
        backBuffer_->Release();
    }
}

void Surface::AttachBackBuffer(Surface* back) {
    backBuffer_ = back;
    back->front_ = this;
}

bool Surface::IsWindowedPrimary() const {
    return (caps_ & DDSCAPS_PRIMARYSURFACE) != 0 && backBuffer_ == nullptr;
}

const Palette* Surface::ColourTable() const {
    if (palette_ != nullptr) return palette_;
    return front_ != nullptr ? front_->palette_ : nullptr;
}

void Surface::PresentRegion(const Surface& picture, const RECT& area) const {
    host::Frame frame{};
    frame.pixels = picture.Pixels() + static_cast<std::size_t>(area.top) * picture.pitch_ +
                   static_cast<std::size_t>(area.left) * picture.format_->bytesPerPixel;
    frame.width = area.right - area.left;
    frame.height = area.bottom - area.top;
    frame.pitch = picture.pitch_;
    frame.layout = LayoutOf(*picture.format_);
    frame.palette = nullptr;
    if (frame.layout == host::PixelLayout::Indexed8) {
        const Palette* table = picture.ColourTable();
        if (table == nullptr) table = ColourTable();
        frame.palette = table != nullptr ? reinterpret_cast<const std::uint8_t*>(table->Entries()) : GreyRamp();
    }
    host::Current().Present(frame);
}

HRESULT Surface::Flip(IDirectDrawSurface7* target, DWORD flags) {
    (void)flags;  // there is no hardware to wait for: every flip is taken at once
    if (backBuffer_ == nullptr) return DDERR_NOTFLIPPABLE;
    if (target != nullptr && target != static_cast<IDirectDrawSurface7*>(backBuffer_)) return E_INVALIDARG;
    if (locked_ || backBuffer_->locked_ || dc_.valid || backBuffer_->dc_.valid) return DDERR_SURFACEBUSY;
    WritePendingFill();
    backBuffer_->WritePendingFill();
    // The surface objects keep their roles; only the pictures change places.
    std::swap(pixels_, backBuffer_->pixels_);
    PixelsChanged();
    backBuffer_->PixelsChanged();
    PresentRegion(*this, RECT{0, 0, width_, height_});
    return S_OK;
}

HRESULT Surface::GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** attached) {
    if (attached == nullptr) return E_INVALIDARG;
    *attached = nullptr;
    if (caps == nullptr) return E_INVALIDARG;
    if (backBuffer_ == nullptr || (caps->dwCaps & (DDSCAPS_BACKBUFFER | DDSCAPS_FLIP)) == 0) return DDERR_NOTFOUND;
    backBuffer_->AddRef();
    *attached = backBuffer_;
    return S_OK;
}

HRESULT Surface::GetPixelFormat(DDPIXELFORMAT* format) {
    if (format == nullptr) return E_INVALIDARG;
    DescribeFormat(*format_, format);
    return S_OK;
}

HRESULT Surface::GetSurfaceDesc(DDSURFACEDESC2* desc) {
    if (desc == nullptr) return E_INVALIDARG;
    std::memset(desc, 0, sizeof(*desc));
    desc->dwSize = sizeof(DDSURFACEDESC2);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    if (backBuffer_ != nullptr) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    if (hasKey_) desc->ddckCKSrcBlt = DDCOLORKEY{key_, key_};
    DescribeFormat(*format_, &desc->ddpfPixelFormat);
    desc->ddsCaps.dwCaps = caps_;
    return S_OK;
}

HRESULT Surface::Lock(LPRECT rect, DDSURFACEDESC2* desc, DWORD flags, void* event) {
    (void)flags;
    (void)event;
    if (desc == nullptr) return E_INVALIDARG;
    if (locked_) return DDERR_SURFACEBUSY;
    if (rect != nullptr && !RectInside(*rect, width_, height_)) return DDERR_INVALIDRECT;
    WritePendingFill();
    GetSurfaceDesc(desc);
    std::uint8_t* first = pixels_.get();
    if (rect != nullptr)
        first += static_cast<std::size_t>(rect->top) * pitch_ +
                 static_cast<std::size_t>(rect->left) * format_->bytesPerPixel;
    desc->dwFlags |= DDSD_PITCH;
    desc->lpSurface = first;
    locked_ = true;
    PixelsChanged();
    return S_OK;
}

HRESULT Surface::Unlock(LPRECT rect) {
    (void)rect;  // one lock at a time, so the rectangle adds nothing
    if (!locked_) return DDERR_NOTLOCKED;
    locked_ = false;
    PixelsChanged();
    return S_OK;
}

HRESULT Surface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (flags != DDCKEY_SRCBLT) return E_NOTIMPL;  // only source keys are honoured on this platform
    PixelsChanged();
    if (key == nullptr) {
        hasKey_ = false;
        key_ = 0;
        return S_OK;
    }
    // A key range is not supported: the low value is the key.
    key_ = NarrowToFormat(*format_, key->dwColorSpaceLowValue);
    hasKey_ = true;
    return S_OK;
}

HRESULT Surface::GetColorKey(DWORD flags, DDCOLORKEY* key) {
    if (key == nullptr) return E_INVALIDARG;
    if (flags != DDCKEY_SRCBLT) return E_NOTIMPL;
    if (!hasKey_) return DDERR_NOCOLORKEY;
    *key = DDCOLORKEY{key_, key_};
    return S_OK;
}

HRESULT Surface::SetClipper(IDirectDrawClipper* clipper) {
    Clipper* ours = nullptr;
    if (clipper != nullptr) {
        ours = dynamic_cast<Clipper*>(clipper);
        if (ours == nullptr) return DDERR_INVALIDOBJECT;
        ours->AddRef();
    }
    if (clipper_ != nullptr) clipper_->Release();
    clipper_ = ours;
    return S_OK;
}

HRESULT Surface::GetClipper(IDirectDrawClipper** clipper) {
    if (clipper == nullptr) return E_INVALIDARG;
    *clipper = clipper_;
    if (clipper_ == nullptr) return DDERR_NOCLIPPERATTACHED;
    clipper_->AddRef();
    return S_OK;
}

HRESULT Surface::SetPalette(IDirectDrawPalette* palette) {
    Palette* ours = nullptr;
    if (palette != nullptr) {
        ours = dynamic_cast<Palette*>(palette);
        if (ours == nullptr) return DDERR_INVALIDOBJECT;
        if (format_->bits != 8) return DDERR_INVALIDPIXELFORMAT;
        ours->AddRef();
    }
    if (palette_ != nullptr) palette_->Release();
    palette_ = ours;
    return S_OK;
}

HRESULT Surface::GetDC(HDC* dc) {
    if (dc == nullptr) return E_INVALIDARG;
    *dc = nullptr;
    if (dc_.valid) return DDERR_DCALREADYCREATED;
    // A fresh context each time, with the usual starting text colour and background mode.
    // Taking it while the surface is locked is allowed: text can go into a locked surface.
    WritePendingFill();
    dc_ = PlatformDeviceContext{};
    dc_.surface = this;
    dc_.valid = true;
    *dc = &dc_;
    PixelsChanged();
    return S_OK;
}

HRESULT Surface::ReleaseDC(HDC dc) {
    if (!dc_.valid) return DDERR_NODC;
    if (dc != &dc_) return E_INVALIDARG;
    dc_.valid = false;
    PixelsChanged();
    return S_OK;
}

// ---------------------------------------------------------------- opaque runs
// Whoever holds a lock or a device context may write any pixel at any time, so while either
// is out the runs are neither found nor trusted; each of those calls, every blit onto the
// surface, a flip and a new key forget them.

void Surface::PixelsChanged() {
    if (runState_ != RunState::Unknown) runs_.Clear();
    runState_ = RunState::Unknown;
    keyedBlitsSinceChange_ = 0;
}

void Surface::FindRuns() {
    if (runState_ != RunState::Unknown) return;
    WritePendingFill();
    runState_ = runs_.Build(pixels_.get(), pitch_, width_, height_, format_->bytesPerPixel, key_) ? RunState::Ready
                                                                                                  : RunState::TooBusy;
}

const OpaqueRuns* Surface::RunsForKeyedBlit() {
    if (!hasKey_ || locked_ || dc_.valid) return nullptr;
    if (runState_ == RunState::Unknown && ++keyedBlitsSinceChange_ >= 2) FindRuns();
    return runState_ == RunState::Ready ? &runs_ : nullptr;
}

bool Surface::OpaqueOver(const RECT& area) {
    if (!hasKey_ || locked_ || dc_.valid) return false;
    FindRuns();
    return runState_ == RunState::Ready && runs_.Covers(area);
}

}  // namespace ddraw_detail
