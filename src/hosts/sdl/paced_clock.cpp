// The real-time tick count: true readings, and sleep instead of spinning while they repeat.
#include "hosts/sdl/paced_clock.h"

#include <utility>

namespace host::sdl {

PacedClock::PacedClock(Now now, Sleep sleep) : now_(std::move(now)), sleep_(std::move(sleep)), origin_(now_()) {}

std::uint32_t PacedClock::Read() {
    std::int64_t elapsed = now_() - origin_;
    std::uint32_t reading = static_cast<std::uint32_t>(elapsed / 1000);
    if (haveReading_ && reading == last_) {
        if (freeReadings_ > 0) {
            --freeReadings_;
            return reading;
        }
        // To the next millisecond, or to the end of the pass's wait when it is further.
        std::int64_t ahead = 1;
        const std::uint32_t toPassEnd = passEnd_ - reading;
        if (passEndKnown_ && toPassEnd > 1 && toPassEnd <= kLongestPassMs) {
            ahead = toPassEnd;
            passEndKnown_ = passEndSet_ = false;
        }
        while (reading == last_) {
            sleep_((elapsed / 1000 + ahead) * 1000 - elapsed);
            elapsed = now_() - origin_;
            reading = static_cast<std::uint32_t>(elapsed / 1000);
        }
    }
    freeReadings_ = kRepeatsAnswered;
    last_ = reading;
    haveReading_ = true;
    return reading;
}

void PacedClock::PassStarted(int periodMs) {
    if (!haveReading_ || periodMs <= 0) return;
    passEnd_ = last_ + static_cast<std::uint32_t>(periodMs);
    passEndSet_ = true;
    passEndKnown_ = false;
}

}  // namespace host::sdl
