// The millisecond clock of the web host. The game's frame clock waits by reading the tick
// count over and over until its pass is up; a page that never returned to the browser in
// that wait would freeze. This clock gives the true time at every reading and, while the
// game waits, hands the browser the time until the pass ends: a timer for the long part
// (timers may fire late by a few milliseconds), then a bare turn of the browser's event loop
// at each reading, so the pass still ends on its millisecond.
#pragma once

#include <cstdint>
#include <functional>

namespace host::web {

class WebClock {
public:
    // Milliseconds with their fraction on a monotonic clock; a wait of about that many
    // milliseconds in which the browser runs; a turn of the browser's event loop.
    using Now = std::function<double()>;
    using Wait = std::function<void(double)>;
    using Yield = std::function<void()>;

    // A pass lasts this long in the game (its frame clock's period).
    static constexpr double kPassMilliseconds = 30.0;
    // A timer may fire this late; the wait by timer stops this far before the pass ends.
    static constexpr double kTimerSlack = 6.0;

    WebClock(Now now, Wait wait, Yield yield);

    // GetTickCount: whole milliseconds since the clock was made, wrapping at 2^32.
    std::uint32_t Read();
    // The host's PumpInput: the reading just before it started the pass.
    void PassBegins();
    // The host's Present: the pass's work is done; the readings from here on are its wait.
    void FrameShown();
    double Precise() const { return now_() - origin_; }

private:
    Now now_;
    Wait wait_;
    Yield yield_;
    double origin_;
    std::uint32_t last_ = 0;
    std::uint32_t passStart_ = 0;
    bool waiting_ = false;
};

}  // namespace host::web
