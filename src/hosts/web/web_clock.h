// The millisecond clock of the web host. The game's frame clock waits by reading the tick
// count over and over until its pass is up; a page that never returned to the browser in
// that wait would freeze. While the game waits, this clock hands the browser the time until
// the pass ends: a timer for the long part (timers may fire late by a few milliseconds),
// then a bare turn of the browser's event loop at each reading.
//
// The passes keep a fixed timeline, one every 30 ms from the first: a browser that comes
// back late to one pass's wait does not push the passes after it. The pass that ended late
// reads as having ended on its 30th millisecond, the readings run on from there at the
// true pace, and the next pass ends on the timeline again, a little short of 30 ms. A pass
// whose own work outlasts 30 ms reads the true time, and the next catches up the same way;
// a page the browser stopped for longer (a hidden tab) starts the timeline again.
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
    // Passes further behind the timeline than this (a browser busy elsewhere for a moment
    // is caught up; a hidden tab is not) are not caught up: the timeline starts again.
    static constexpr double kMostBehind = 10 * kPassMilliseconds;

    WebClock(Now now, Wait wait, Yield yield);

    // GetTickCount: whole milliseconds since the clock was made, wrapping at 2^32.
    std::uint32_t Read();
    // The host's PumpInput: the reading just before it started the pass.
    void PassBegins();
    // The host's Present: the pass's work is done; the readings from here on are its wait.
    void FrameShown();
    // The true milliseconds since the clock was made.
    double Precise() const { return now_() - origin_; }

private:
    // The reading of true time `elapsed` on the game's count, and the answer given for it.
    std::uint32_t Honest(double elapsed) const;
    std::uint32_t Answer(std::uint32_t reading);

    Now now_;
    Wait wait_;
    Yield yield_;
    double origin_;
    double offset_ = 0.0;  // true milliseconds minus the game's, since the last pass ended
    double due_ = 0.0;     // when the current pass ends on the timeline, in true milliseconds
    bool timeline_ = false;
    std::uint32_t last_ = 0;
    bool answered_ = false;
    std::uint32_t passStart_ = 0;
    bool waiting_ = false;
    bool heldBack_ = false;  // this wait is under way
    bool overran_ = false;   // this pass's work ended after its 30 ms
};

}  // namespace host::web
