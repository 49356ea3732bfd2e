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
        while (reading == last_) {
            sleep_((elapsed / 1000 + 1) * 1000 - elapsed);
            elapsed = now_() - origin_;
            reading = static_cast<std::uint32_t>(elapsed / 1000);
        }
    }
    freeReadings_ = kRepeatsAnswered;
    last_ = reading;
    haveReading_ = true;
    return reading;
}

}  // namespace host::sdl
