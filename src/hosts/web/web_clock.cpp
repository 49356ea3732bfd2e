// The web host's clock: passes on a fixed timeline, and the browser runs while the game waits.
#include "hosts/web/web_clock.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host::web {

WebClock::WebClock(Now now, Wait wait, Yield yield)
    : now_(std::move(now)), wait_(std::move(wait)), yield_(std::move(yield)), origin_(now_()) {}

std::uint32_t WebClock::Read() {
    double elapsed = now_() - origin_;
    if (!waiting_ || overran_) return Answer(Honest(elapsed));
    const std::uint32_t end = passStart_ + static_cast<std::uint32_t>(kPassMilliseconds);
    if (!heldBack_ && static_cast<std::int32_t>(Honest(elapsed) - end) >= 0) {
        // The pass's own work outlasted it: its end is the true time.
        overran_ = true;
        return Answer(Honest(elapsed));
    }
    heldBack_ = true;
    const double left = due_ - elapsed;
    if (left > kTimerSlack) {
        wait_(left - kTimerSlack);
    } else if (left > 0.0) {
        yield_();
    }
    elapsed = now_() - origin_;
    // Not yet the pass's time on the timeline: the reading stops short of the pass's end.
    if (elapsed < due_) return Answer(std::min(Honest(elapsed), end - 1));
    // The pass's time has come: the pass ends on exactly its 30th millisecond, however late
    // the browser let the clock be read, and the readings follow true time from there.
    offset_ = elapsed - static_cast<double>(end);
    return Answer(end);
}

void WebClock::PassBegins() {
    passStart_ = last_;
    waiting_ = false;
    heldBack_ = false;
    overran_ = false;
    const double elapsed = now_() - origin_;
    if (!timeline_ || elapsed - due_ > kMostBehind) {
        // The first pass, or a browser that stopped the page for a while (a hidden tab):
        // the timeline starts again here rather than hurrying through the passes missed.
        timeline_ = true;
        due_ = elapsed + kPassMilliseconds;
    } else {
        due_ += kPassMilliseconds;
    }
}

void WebClock::FrameShown() {
    waiting_ = true;
}

std::uint32_t WebClock::Honest(double elapsed) const {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::floor(std::max(0.0, elapsed - offset_))));
}

std::uint32_t WebClock::Answer(std::uint32_t reading) {
    // Never behind a reading already given.
    if (static_cast<std::int32_t>(reading - last_) > 0 || !answered_) last_ = reading;
    answered_ = true;
    return last_;
}

}  // namespace host::web
