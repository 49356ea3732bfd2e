// The surface's pending whole-surface fill: kept, narrowed by the opaque blits that cover it,
// and written when anything else touches its pixels.
#include <algorithm>

#include "platform/ddraw/ddraw_internal.h"

namespace ddraw_detail {
namespace {

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool Empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

bool Surface::DrawnAsOneRect(const RECT& dest, RECT* drawn) const {
    const RECT bounds{0, 0, width_, height_};
    if (clipper_ == nullptr) {
        *drawn = dest;  // Blt has checked that it lies inside the surface
        return true;
    }
    if (!clipper_->HasList()) {
        *drawn = Intersect(dest, bounds);
        return true;
    }
    const std::vector<RECT>& clips = clipper_->Rects();
    if (clips.size() != 1) return false;
    *drawn = Intersect(Intersect(clips.front(), bounds), dest);
    return true;
}

bool Surface::KeepFillPending(const RECT& dest, DWORD colour) {
    // Text may go into the surface at any moment while a context is out: fill at once then.
    if (dc_.valid) return false;
    const RECT bounds{0, 0, width_, height_};
    RECT drawn;
    if (!DrawnAsOneRect(dest, &drawn) || !Same(drawn, bounds)) return false;
    pendingFill_ = PendingFill{true, colour, bounds};
    return true;
}

void Surface::WritePendingFill() {
    if (!pendingFill_.active) return;
    pendingFill_.active = false;
    const RECT& a = pendingFill_.area;
    if (Empty(a)) return;
    const int bpp = format_->bytesPerPixel;
    FillPixels(pixels_.get() + static_cast<std::ptrdiff_t>(a.top) * pitch_ + static_cast<std::ptrdiff_t>(a.left) * bpp,
               pitch_, a.right - a.left, a.bottom - a.top, bpp, pendingFill_.colour);
}

void Surface::CoverPendingFill(const RECT& drawn) {
    if (!pendingFill_.active) return;
    RECT& pending = pendingFill_.area;
    const RECT covered = Intersect(pending, drawn);
    if (Empty(covered)) return;
    if (Same(covered, pending)) {
        pendingFill_.active = false;
        return;
    }
    // What stays pending is one rectangle when the cover spans the pending area one way and
    // reaches one of its edges the other way.
    const bool fullHeight = covered.top == pending.top && covered.bottom == pending.bottom;
    const bool fullWidth = covered.left == pending.left && covered.right == pending.right;
    if (fullHeight && covered.left == pending.left) {
        pending.left = covered.right;
    } else if (fullHeight && covered.right == pending.right) {
        pending.right = covered.left;
    } else if (fullWidth && covered.top == pending.top) {
        pending.top = covered.bottom;
    } else if (fullWidth && covered.bottom == pending.bottom) {
        pending.bottom = covered.top;
    } else {
        // Otherwise the bands around the cover are written now: above, below, left, right.
        const RECT whole = pending;
        const RECT bands[4] = {
            RECT{whole.left, whole.top, whole.right, covered.top},
            RECT{whole.left, covered.bottom, whole.right, whole.bottom},
            RECT{whole.left, covered.top, covered.left, covered.bottom},
            RECT{covered.right, covered.top, whole.right, covered.bottom},
        };
        for (const RECT& band : bands) {
            pendingFill_.area = band;
            pendingFill_.active = true;
            WritePendingFill();
        }
    }
}

}  // namespace ddraw_detail
