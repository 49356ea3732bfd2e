// Surface::Blt: checks a blit's arguments, clips it to the destination's clipper, hands the
// clipped pieces to the pixel kernels, and shows the picture when it lands on a window.
#include <algorithm>
#include <vector>

#include "platform/ddraw/ddraw_internal.h"

namespace ddraw_detail {
namespace {

constexpr DWORD kUnderstoodBltFlags = DDBLT_COLORFILL | DDBLT_KEYSRC | DDBLT_WAIT;

bool Empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

bool Inside(const RECT& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// Calls draw(piece) for each part of `dest` that may be drawn: the whole rectangle without a
// clipper, else its overlap with each clip rectangle (or, for a clipper bound to a window,
// with the surface). Every piece lies inside the surface.
template <typename Draw>
void ForEachPiece(const Clipper* clipper, const RECT& dest, int width, int height, Draw draw) {
    const RECT bounds{0, 0, width, height};
    if (clipper == nullptr) {
        draw(dest);
        return;
    }
    if (!clipper->HasList()) {
        const RECT piece = Intersect(dest, bounds);
        if (!Empty(piece)) draw(piece);
        return;
    }
    for (const RECT& clip : clipper->Rects()) {
        const RECT piece = Intersect(Intersect(clip, bounds), dest);
        if (!Empty(piece)) draw(piece);
    }
}

// Nearest source pixel for each destination pixel from `first` to `last` (exclusive) of a
// span that maps destStart..destStart+destLength onto 0..sourceLength: each destination
// pixel takes the source pixel under its centre.
void MapSpan(std::vector<int>& out, long long first, long long last, long long destStart, long long destLength,
             long long sourceLength) {
    out.clear();
    for (long long d = first; d < last; ++d)
        out.push_back(static_cast<int>(((2 * (d - destStart) + 1) * sourceLength) / (2 * destLength)));
}

}  // namespace

// A blit whose arguments have been checked: the rectangles in force and what to draw with.
struct BltPlan {
    RECT dest{};
    bool fill = false;
    DWORD colour = 0;         // fill: the value as the format holds it
    Surface* from = nullptr;  // copy: the source surface
    RECT src{};
    bool keyed = false;
    DWORD key = 0;
};

namespace {

// The source pixels an unscaled blit puts on `area` of the destination.
RECT SourceUnder(const BltPlan& plan, const RECT& area) {
    return RECT{static_cast<LONG>(plan.src.left + (static_cast<long long>(area.left) - plan.dest.left)),
                static_cast<LONG>(plan.src.top + (static_cast<long long>(area.top) - plan.dest.top)),
                static_cast<LONG>(plan.src.left + (static_cast<long long>(area.right) - plan.dest.left)),
                static_cast<LONG>(plan.src.top + (static_cast<long long>(area.bottom) - plan.dest.top))};
}

}  // namespace

HRESULT Surface::PlanBlt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags, DDBLTFX* effects,
                         BltPlan* plan) {
    if (flags & ~kUnderstoodBltFlags) return E_NOTIMPL;
    if (locked_) return DDERR_SURFACEBUSY;
    plan->dest = destRect != nullptr ? *destRect : RECT{0, 0, width_, height_};
    if (Empty(plan->dest)) return DDERR_INVALIDRECT;
    if (clipper_ == nullptr && !Inside(plan->dest, width_, height_)) return DDERR_INVALIDRECT;
    if (clipper_ != nullptr && !clipper_->HasList() && clipper_->Window() == nullptr) return DDERR_NOCLIPLIST;

    if (flags & DDBLT_COLORFILL) {
        if (effects == nullptr) return E_INVALIDARG;
        plan->fill = true;
        plan->colour = NarrowToFormat(*format_, effects->dwFillColor);
        return S_OK;
    }

    if (source == nullptr) return E_INVALIDARG;
    Surface* from = dynamic_cast<Surface*>(source);
    if (from == nullptr) return DDERR_INVALIDOBJECT;
    // A blit within one surface is not offered: overlapping copies would need a scratch picture.
    if (from == this) return E_INVALIDARG;
    if (from->locked_) return DDERR_SURFACEBUSY;
    if (from->format_ != format_) return DDERR_INVALIDPIXELFORMAT;
    plan->src = sourceRect != nullptr ? *sourceRect : RECT{0, 0, from->width_, from->height_};
    if (Empty(plan->src) || !Inside(plan->src, from->width_, from->height_)) return DDERR_INVALIDRECT;
    plan->keyed = (flags & DDBLT_KEYSRC) != 0;
    if (plan->keyed && !from->hasKey_) return DDERR_NOCOLORKEY;
    plan->from = from;
    plan->key = from->key_;
    return S_OK;
}

HRESULT Surface::Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags, DDBLTFX* effects) {
    BltPlan plan;
    const HRESULT checked = PlanBlt(destRect, source, sourceRect, flags, effects, &plan);
    if (FAILED(checked)) return checked;
    PixelsChanged();

    const RECT& dest = plan.dest;
    const int bpp = format_->bytesPerPixel;
    std::uint8_t* const pixels = pixels_.get();
    auto at = [bpp](std::uint8_t* base, int pitch, LONG x, LONG y) {
        return base + static_cast<std::ptrdiff_t>(y) * pitch + static_cast<std::ptrdiff_t>(x) * bpp;
    };

    if (plan.fill) {
        if (KeepFillPending(dest, plan.colour)) return S_OK;
        WritePendingFill();
        ForEachPiece(clipper_, dest, width_, height_, [&](const RECT& piece) {
            FillPixels(at(pixels, pitch_, piece.left, piece.top), pitch_, piece.right - piece.left,
                       piece.bottom - piece.top, bpp, plan.colour);
        });
        return S_OK;
    }

    Surface* const from = plan.from;
    const RECT& src = plan.src;
    from->WritePendingFill();
    std::uint8_t* const srcPixels = from->pixels_.get();
    const int srcPitch = from->pitch_;

    // Wide arithmetic: a clipped destination may reach far outside the surface.
    const long long destWidth = static_cast<long long>(dest.right) - dest.left;
    const long long destHeight = static_cast<long long>(dest.bottom) - dest.top;
    const long long srcWidth = src.right - src.left;
    const long long srcHeight = src.bottom - src.top;

    const bool sameSize = destWidth == srcWidth && destHeight == srcHeight;
    // A pending fill need not be written where this blit overwrites every pixel.
    if (pendingFill_.active) {
        RECT drawn;
        if (sameSize && DrawnAsOneRect(dest, &drawn) && !Empty(drawn) &&
            (!plan.keyed || from->OpaqueOver(SourceUnder(plan, drawn))))
            CoverPendingFill(drawn);
        else
            WritePendingFill();
    }

    if (sameSize) {
        const OpaqueRuns* runs = plan.keyed ? from->RunsForKeyedBlit() : nullptr;
        ForEachPiece(clipper_, dest, width_, height_, [&](const RECT& piece) {
            // Same sizes, so these offsets stay within the source.
            const LONG sx = static_cast<LONG>(src.left + (static_cast<long long>(piece.left) - dest.left));
            const LONG sy = static_cast<LONG>(src.top + (static_cast<long long>(piece.top) - dest.top));
            std::uint8_t* d = at(pixels, pitch_, piece.left, piece.top);
            const int w = piece.right - piece.left;
            const int h = piece.bottom - piece.top;
            if (runs != nullptr)
                runs->Copy(d, pitch_, srcPixels, srcPitch, sx, sy, w, h, bpp);
            else if (plan.keyed)
                CopyKeyedPixels(d, pitch_, at(srcPixels, srcPitch, sx, sy), srcPitch, w, h, bpp, plan.key);
            else
                CopyPixels(d, pitch_, at(srcPixels, srcPitch, sx, sy), srcPitch, w, h, bpp);
        });
    } else {
        // Scaled: each clipped piece reads through the mapping of the unclipped rectangles.
        std::vector<int> columns;
        std::vector<int> rows;
        ForEachPiece(clipper_, dest, width_, height_, [&](const RECT& piece) {
            MapSpan(columns, piece.left, piece.right, dest.left, destWidth, srcWidth);
            MapSpan(rows, piece.top, piece.bottom, dest.top, destHeight, srcHeight);
            CopyScaledPixels(at(pixels, pitch_, piece.left, piece.top), pitch_,
                             at(srcPixels, srcPitch, src.left, src.top), srcPitch, columns.data(),
                             static_cast<int>(columns.size()), rows.data(), static_cast<int>(rows.size()), bpp,
                             plan.keyed, plan.key);
        });
    }

    // A windowed game shows its frame by blitting it onto the primary through a clipper
    // bound to its window: that blit is what reaches the screen.
    if (IsWindowedPrimary() && clipper_ != nullptr && clipper_->Window() != nullptr) PresentRegion(*from, src);
    return S_OK;
}

}  // namespace ddraw_detail
