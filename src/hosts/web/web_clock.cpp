// The web host's clock: true readings, and the browser runs while the game waits.
#include "hosts/web/web_clock.h"

#include <utility>

namespace host::web {

WebClock::WebClock(Now now, Wait wait, Yield yield)
    : now_(std::move(now)), wait_(std::move(wait)), yield_(std::move(yield)), origin_(now_()) {}

std::uint32_t WebClock::Read() {
    double elapsed = now_() - origin_;
    if (waiting_) {
        const double end = static_cast<double>(passStart_) + kPassMilliseconds;
        const double left = end - elapsed;
        if (left > kTimerSlack) {
            wait_(left - kTimerSlack);
        } else if (left > 0.0) {
            yield_();
        }
        elapsed = now_() - origin_;
    }
    last_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed));
    return last_;
}

void WebClock::PassBegins() {
    passStart_ = last_;
    waiting_ = false;
}

void WebClock::FrameShown() {
    waiting_ = true;
}

}  // namespace host::web
