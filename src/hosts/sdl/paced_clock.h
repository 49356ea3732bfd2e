// The millisecond clock of a host that plays in real time. The game's frame clock waits by
// reading the tick count over and over until its 30 ms are up; this clock lets the processor
// rest through that wait and still gives the true time at every reading.
#pragma once

#include <cstdint>
#include <functional>

namespace host::sdl {

class PacedClock {
public:
    // Microseconds on a monotonic clock, and a sleep of at least that many microseconds.
    using Now = std::function<std::int64_t()>;
    using Sleep = std::function<void(std::int64_t)>;

    PacedClock(Now now, Sleep sleep);

    // Called for every GetTickCount: whole milliseconds since the clock was made, wrapping
    // at 2^32. Once the reading has moved on, the next two readings of that millisecond
    // answer at once: when the frame clock's wait is over, they are the wait's last
    // reading and the next pass's first, and a sleep there would start every pass a
    // millisecond late. A third reading of the same millisecond is the frame clock still
    // waiting: it sleeps until the next millisecond begins and answers with that.
    std::uint32_t Read();
    // Called just after the reading a pass's frame clock started from: that clock's wait
    // lasts until `periodMs` after it.
    void PassStarted(int periodMs);
    // Called once the pass's work is done and only the frame clock's wait is left: a
    // reading that would sleep then sleeps straight to the wait's end, in one wake instead
    // of one a millisecond.
    void PassWorkDone() { passEndKnown_ = passEndSet_; }

private:
    static constexpr int kRepeatsAnswered = 2;
    // A pass's wait is never longer than this; a longer one is no frame clock of ours.
    static constexpr std::uint32_t kLongestPassMs = 1000;

    Now now_;
    Sleep sleep_;
    std::int64_t origin_;
    std::uint32_t last_ = 0;
    bool haveReading_ = false;
    int freeReadings_ = 0;
    std::uint32_t passEnd_ = 0;  // the reading the frame clock's wait ends at
    bool passEndSet_ = false;    // PassStarted gave passEnd_
    bool passEndKnown_ = false;  // and the wait for it is all that is left
};

}  // namespace host::sdl
