// Inner parts of the drawing-service stand-in shared by its source files: pixel formats,
// the surface, clipper and palette objects, the device context record and the pixel kernels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "hosts/host.h"
#include "platform/com/com_object.h"
#include "platform/ddraw.h"
#include "platform/ddraw/ddraw_runs.h"

namespace ddraw_detail {

// ---------------------------------------------------------------- pixel formats
struct Format {
    int bits;           // 16 (5.6.5), 15 (5.5.5) or 8 (palette indices)
    int bytesPerPixel;  // 2, 2, 1
    DWORD redMask;
    DWORD greenMask;
    DWORD blueMask;
};

// The format for a bit count of 16, 15 or 8; null for anything else.
const Format* FormatForBits(int bits);
// The format a DDPIXELFORMAT asks for (by bit count and masks); null when we have none like it.
const Format* FormatForDescription(const DDPIXELFORMAT& wanted);
void DescribeFormat(const Format& format, DDPIXELFORMAT* out);
host::PixelLayout LayoutOf(const Format& format);
// The colour key or fill value as the format holds it (low 16 or low 8 bits).
DWORD NarrowToFormat(const Format& format, DWORD value);

// ---------------------------------------------------------------- settings
int SurfacePitchPadding();

// ---------------------------------------------------------------- clipper
class Clipper final : public CountedObject<IDirectDrawClipper> {
public:
    HRESULT SetClipList(RGNDATA* region, DWORD flags) override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;

    bool HasList() const { return hasList_; }
    const std::vector<RECT>& Rects() const { return rects_; }
    HWND Window() const { return window_; }

private:
    ~Clipper() override = default;

    bool hasList_ = false;
    std::vector<RECT> rects_;
    HWND window_ = nullptr;
};

// ---------------------------------------------------------------- palette
class Palette final : public CountedObject<IDirectDrawPalette> {
public:
    explicit Palette(const PALETTEENTRY* entries);
    HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) override;
    HRESULT SetEntries(DWORD flags, DWORD base, DWORD count, PALETTEENTRY* entries) override;

    const PALETTEENTRY* Entries() const { return entries_; }

private:
    ~Palette() override = default;

    PALETTEENTRY entries_[256] = {};
};

class Surface;

}  // namespace ddraw_detail

// What an HDC points at. A context taken from a surface draws into that surface until it is
// given back; one with no surface (a window's paint context) accepts text and draws nothing.
struct PlatformDeviceContext {
    ddraw_detail::Surface* surface = nullptr;
    bool valid = false;  // false once the context has been given back
    COLORREF textColour = 0;
    int backgroundMode = OPAQUE;
};

namespace ddraw_detail {

// ---------------------------------------------------------------- surface
struct BltPlan;

class Surface final : public CountedObject<IDirectDrawSurface7> {
public:
    // A surface of the given size and format with zeroed pixels. Fails (null, with the
    // reason in *result) for sizes we refuse or memory we cannot get.
    static Surface* Create(int width, int height, const Format& format, DWORD caps, HRESULT* result);

    HRESULT Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags,
                DDBLTFX* effects) override;
    HRESULT Flip(IDirectDrawSurface7* target, DWORD flags) override;
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface7** attached) override;
    HRESULT GetPixelFormat(DDPIXELFORMAT* format) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override;
    HRESULT Lock(LPRECT rect, DDSURFACEDESC2* desc, DWORD flags, void* event) override;
    HRESULT Unlock(LPRECT rect) override;
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key) override;
    HRESULT GetColorKey(DWORD flags, DDCOLORKEY* key) override;
    HRESULT SetClipper(IDirectDrawClipper* clipper) override;
    HRESULT GetClipper(IDirectDrawClipper** clipper) override;
    HRESULT SetPalette(IDirectDrawPalette* palette) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT ReleaseDC(HDC dc) override;

    // The device makes a flip chain by handing the primary its back buffer, whose one
    // reference the primary then owns.
    void AttachBackBuffer(Surface* back);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    // The picture in memory. A pending fill is not in it yet: Lock, GetDC and Flip write it
    // before anyone outside reads the picture.
    std::uint8_t* Pixels() { return pixels_.get(); }
    const std::uint8_t* Pixels() const { return pixels_.get(); }
    const Format& PixelFormat() const { return *format_; }
    // The palette that gives this surface's indices their colours: its own, else the one of
    // the primary it is the back buffer of; null when there is none.
    const Palette* ColourTable() const;

    // The opaque runs a keyed blit from this surface may copy, or null when it must compare
    // each pixel with the key. Runs are found on the second keyed blit after the pixels or
    // the key last changed, so a picture redrawn before every use is never searched.
    const OpaqueRuns* RunsForKeyedBlit();
    // True when the surface has a colour key and no pixel of `area` (inside it) holds it.
    bool OpaqueOver(const RECT& area);

private:
    enum class RunState { Unknown, Ready, TooBusy };

    // Forgets the runs: the pixels or the key may have changed.
    void PixelsChanged();
    // Finds the runs now, unless they are known already.
    void FindRuns();

    // A colour fill of the whole surface is kept pending instead of written at once: the
    // game clears its back buffer every frame and then mostly covers it straight away with
    // opaque pictures. The pending pixels are written before anything reads them or draws
    // over part of them; a blit that overwrites them all only takes them off the list.
    struct PendingFill {
        bool active = false;
        DWORD colour = 0;
        RECT area{};  // still to be written
    };
    // The one rectangle a blit onto `dest` draws into, when its clipped pieces make one
    // (false when they make several); `drawn` may be empty.
    bool DrawnAsOneRect(const RECT& dest, RECT* drawn) const;
    // Keeps a fill of `dest` pending when it reaches every pixel; false when it must be
    // written now.
    bool KeepFillPending(const RECT& dest, DWORD colour);
    // Writes what is pending now.
    void WritePendingFill();
    // `drawn` is about to be overwritten whole: what is pending there need not be written.
    void CoverPendingFill(const RECT& drawn);
    // Checks a blit's arguments as Blt does; on S_OK the plan holds what it would draw.
    HRESULT PlanBlt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags, DDBLTFX* effects,
                    BltPlan* plan);

    Surface(int width, int height, int pitch, const Format& format, DWORD caps, std::unique_ptr<std::uint8_t[]> pixels);
    ~Surface() override;

    bool IsWindowedPrimary() const;
    void PresentRegion(const Surface& picture, const RECT& area) const;

    int width_;
    int height_;
    int pitch_;
    const Format* format_;
    DWORD caps_;
    std::unique_ptr<std::uint8_t[]> pixels_;
    bool locked_ = false;
    bool hasKey_ = false;
    DWORD key_ = 0;
    Clipper* clipper_ = nullptr;
    Palette* palette_ = nullptr;
    Surface* backBuffer_ = nullptr;  // primary of a flip chain: its back buffer (one reference)
    Surface* front_ = nullptr;       // back buffer: the primary that owns it (no reference)
    PlatformDeviceContext dc_;
    OpaqueRuns runs_;
    RunState runState_ = RunState::Unknown;
    int keyedBlitsSinceChange_ = 0;
    PendingFill pendingFill_;
};

// ---------------------------------------------------------------- pixel kernels
// Every kernel takes the first pixel of the area in each picture, the pitches in bytes, and
// the area's size in pixels; the area is already clipped and lies inside both pictures.
void FillPixels(std::uint8_t* dst, int dstPitch, int width, int height, int bytesPerPixel, DWORD colour);
void CopyPixels(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, int width, int height,
                int bytesPerPixel);
void CopyKeyedPixels(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, int width, int height,
                     int bytesPerPixel, DWORD key);
// Nearest-pixel copy: destination column i reads source column columns[i], row j reads row
// rows[j] (both counted from `src`).
void CopyScaledPixels(std::uint8_t* dst, int dstPitch, const std::uint8_t* src, int srcPitch, const int* columns,
                      int width, const int* rows, int height, int bytesPerPixel, bool keyed, DWORD key);

}  // namespace ddraw_detail
