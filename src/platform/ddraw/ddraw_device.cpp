// The drawing device: cooperative level, display mode, pixel formats, and the making of
// surfaces, clippers and palettes.
#include <new>

#include "platform/ddraw/ddraw_internal.h"

const GUID IID_IDirectDraw7 = {0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

namespace ddraw_detail {
namespace {

constexpr Format kFormat565 = {16, 2, 0xF800, 0x07E0, 0x001F};
constexpr Format kFormat555 = {15, 2, 0x7C00, 0x03E0, 0x001F};
constexpr Format kFormat8 = {8, 1, 0, 0, 0};

// The size of the window's picture when no display mode decides it.
constexpr int kWindowedWidth = 640;
constexpr int kWindowedHeight = 480;
constexpr DWORD kLargestModeSide = 16384;

int pitchPadding = 0;
int desktopBits = 16;

bool SameGuid(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

class Device final : public CountedObject<IDirectDraw7> {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override {
        (void)window;
        const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
        const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
        const bool normal = (flags & DDSCL_NORMAL) != 0;
        // Full screen and exclusive come as a pair, and neither goes with the normal level.
        if (fullscreen != exclusive || (normal && fullscreen) || (!normal && !fullscreen)) return E_INVALIDARG;
        cooperativeFlags_ = flags;
        levelSet_ = true;
        return S_OK;
    }

    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bpp, DWORD refreshRate, DWORD flags) override {
        (void)refreshRate;
        (void)flags;
        if (!IsFullscreen()) return DDERR_NOEXCLUSIVEMODE;
        // The DWORDs may carry negative numbers cast by the caller: those are huge here.
        if (width == 0 || height == 0 || width > kLargestModeSide || height > kLargestModeSide)
            return DDERR_INVALIDMODE;
        const Format* format = FormatForBits(static_cast<int>(bpp));
        if (format == nullptr) return DDERR_INVALIDMODE;
        modeSet_ = true;
        modeWidth_ = static_cast<int>(width);
        modeHeight_ = static_cast<int>(height);
        modeFormat_ = format;
        return S_OK;
    }

    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, IUnknown* outer) override {
        if (surface == nullptr) return E_INVALIDARG;
        *surface = nullptr;
        if (desc == nullptr || outer != nullptr) return E_INVALIDARG;
        const DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
        const Format* format = &DisplayFormat();
        if (desc->dwFlags & DDSD_PIXELFORMAT) {
            format = FormatForDescription(desc->ddpfPixelFormat);
            if (format == nullptr) return DDERR_INVALIDPIXELFORMAT;
        }
        if (caps & DDSCAPS_PRIMARYSURFACE) return CreatePrimary(*desc, caps, surface);
        if (caps & (DDSCAPS_FLIP | DDSCAPS_BACKBUFFER)) return DDERR_INVALIDCAPS;
        if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) return E_INVALIDARG;
        if (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > kLargestModeSide ||
            desc->dwHeight > kLargestModeSide)
            return E_INVALIDARG;
        HRESULT result = S_OK;
        Surface* made = Surface::Create(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), *format,
                                        caps | DDSCAPS_OFFSCREENPLAIN, &result);
        *surface = made;
        return result;
    }

    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override {
        (void)flags;
        if (clipper == nullptr) return E_INVALIDARG;
        *clipper = nullptr;
        if (outer != nullptr) return E_INVALIDARG;
        *clipper = new (std::nothrow) Clipper();
        return *clipper != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT CreatePalette(DWORD flags, PALETTEENTRY* entries, IDirectDrawPalette** palette, IUnknown* outer) override {
        if (palette == nullptr) return E_INVALIDARG;
        *palette = nullptr;
        if (entries == nullptr || outer != nullptr) return E_INVALIDARG;
        // Only the 256-colour palettes of the 8-bit display are made here.
        if ((flags & DDPCAPS_8BIT) == 0) return E_NOTIMPL;
        *palette = new (std::nothrow) Palette(entries);
        return *palette != nullptr ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~Device() override = default;

    bool IsFullscreen() const { return levelSet_ && (cooperativeFlags_ & DDSCL_FULLSCREEN) != 0; }

    const Format& DisplayFormat() const {
        if (modeSet_) return *modeFormat_;
        const Format* desktop = FormatForBits(desktopBits);
        return desktop != nullptr ? *desktop : kFormat565;
    }

    HRESULT CreatePrimary(const DDSURFACEDESC2& desc, DWORD caps, IDirectDrawSurface7** surface) {
        if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
        const bool chain = (caps & DDSCAPS_FLIP) != 0;
        if (chain) {
            if ((caps & DDSCAPS_COMPLEX) == 0 || (desc.dwFlags & DDSD_BACKBUFFERCOUNT) == 0) return DDERR_INVALIDCAPS;
            // One back buffer is the chain this platform makes.
            if (desc.dwBackBufferCount != 1) return desc.dwBackBufferCount == 0 ? E_INVALIDARG : E_NOTIMPL;
            if (!IsFullscreen()) return DDERR_NOEXCLUSIVEMODE;
        }
        const bool useMode = IsFullscreen() && modeSet_;
        const int width = useMode ? modeWidth_ : kWindowedWidth;
        const int height = useMode ? modeHeight_ : kWindowedHeight;
        const Format& format = DisplayFormat();
        HRESULT result = S_OK;
        const DWORD primaryCaps = DDSCAPS_PRIMARYSURFACE | (chain ? (DDSCAPS_FLIP | DDSCAPS_COMPLEX) : 0);
        Surface* primary = Surface::Create(width, height, format, primaryCaps, &result);
        if (primary == nullptr) return result;
        if (chain) {
            Surface* back =
                Surface::Create(width, height, format, DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX, &result);
            if (back == nullptr) {
                primary->Release();
                return result;
            }
            primary->AttachBackBuffer(back);
        }
        *surface = primary;
        return S_OK;
    }

    bool levelSet_ = false;
    DWORD cooperativeFlags_ = 0;
    bool modeSet_ = false;
    int modeWidth_ = 0;
    int modeHeight_ = 0;
    const Format* modeFormat_ = nullptr;
};

}  // namespace

const Format* FormatForBits(int bits) {
    switch (bits) {
        case 16:
            return &kFormat565;
        case 15:
            return &kFormat555;
        case 8:
            return &kFormat8;
        default:
            return nullptr;
    }
}

const Format* FormatForDescription(const DDPIXELFORMAT& wanted) {
    if (wanted.dwFlags & DDPF_PALETTEINDEXED8)
        return wanted.dwRGBBitCount == 8 || wanted.dwRGBBitCount == 0 ? &kFormat8 : nullptr;
    if ((wanted.dwFlags & DDPF_RGB) == 0) return nullptr;
    for (const Format* format : {&kFormat565, &kFormat555}) {
        if (wanted.dwRBitMask == format->redMask && wanted.dwGBitMask == format->greenMask &&
            wanted.dwBBitMask == format->blueMask)
            return format;
    }
    return nullptr;
}

void DescribeFormat(const Format& format, DDPIXELFORMAT* out) {
    out->dwSize = sizeof(DDPIXELFORMAT);
    out->dwFlags = format.bits == 8 ? DDPF_PALETTEINDEXED8 : DDPF_RGB;
    out->dwFourCC = 0;
    out->dwRGBBitCount = static_cast<DWORD>(format.bits);
    out->dwRBitMask = format.redMask;
    out->dwGBitMask = format.greenMask;
    out->dwBBitMask = format.blueMask;
    out->dwRGBAlphaBitMask = 0;
}

host::PixelLayout LayoutOf(const Format& format) {
    if (format.bits == 8) return host::PixelLayout::Indexed8;
    return format.bits == 15 ? host::PixelLayout::Rgb555 : host::PixelLayout::Rgb565;
}

DWORD NarrowToFormat(const Format& format, DWORD value) {
    return format.bytesPerPixel == 1 ? (value & 0xFFu) : (value & 0xFFFFu);
}

int SurfacePitchPadding() {
    return pitchPadding;
}

}  // namespace ddraw_detail

HRESULT DirectDrawCreateEx(GUID* driver, void** directDraw, REFIID iid, IUnknown* outer) {
    (void)driver;  // every driver is the one memory device
    if (directDraw == nullptr) return E_INVALIDARG;
    *directDraw = nullptr;
    if (outer != nullptr || !ddraw_detail::SameGuid(iid, IID_IDirectDraw7)) return E_INVALIDARG;
    IDirectDraw7* device = new (std::nothrow) ddraw_detail::Device();
    if (device == nullptr) return E_OUTOFMEMORY;
    *directDraw = device;
    return S_OK;
}

void SetSurfacePitchPadding(int extraBytes) {
    // Kept within reason so that pitch arithmetic never overflows.
    if (extraBytes < 0) extraBytes = 0;
    if (extraBytes > 65536) extraBytes = 65536;
    ddraw_detail::pitchPadding = extraBytes;
}

void SetDesktopBitsPerPixel(int bitsPerPixel) {
    if (ddraw_detail::FormatForBits(bitsPerPixel) != nullptr) ddraw_detail::desktopBits = bitsPerPixel;
}
