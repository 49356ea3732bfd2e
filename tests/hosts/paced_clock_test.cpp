// The real-time tick count against a simulated machine: the game's frame loop must see a
// pass start every 30 ms exactly, while the clock sleeps through most of each wait.
#include "hosts/sdl/paced_clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A machine whose time moves only when the program reads it, works or sleeps.
struct SimulatedMachine {
    std::int64_t now = 7'654'321;   // microseconds, deliberately not on a millisecond
    std::int64_t readCost = 1;      // what one clock reading costs
    std::int64_t wakeLatency = 60;  // how late a sleeper wakes
    int sleeps = 0;

    host::sdl::PacedClock MakeClock() {
        return host::sdl::PacedClock([this] { return now += readCost; },
                                     [this](std::int64_t us) {
                                         ++sleeps;
                                         now += us + wakeLatency;
                                     });
    }
};

struct Loop {
    std::vector<std::uint32_t> passStarts;
    int readings = 0;
};

// The game's main loop: note the tick, take a message (whose time stamp reads the clock
// when there is one), run the frame, busy-wait until 30 ms have passed, read once more.
// With `toldOfPasses`, the host tells the clock when each pass starts and when its work is
// done, as the SDL host does.
Loop RunPasses(SimulatedMachine& machine, int passes, std::int64_t frameWork, bool messageEveryPass,
               bool toldOfPasses = false, int messages = 1) {
    host::sdl::PacedClock clock = machine.MakeClock();
    Loop loop;
    auto read = [&] {
        ++loop.readings;
        return clock.Read();
    };
    for (int pass = 0; pass < passes; ++pass) {
        const std::uint32_t start = read();
        loop.passStarts.push_back(start);
        if (toldOfPasses) clock.PassStarted(30);
        if (messageEveryPass)
            for (int message = 0; message < messages; ++message) read();
        machine.now += frameWork;
        if (toldOfPasses) clock.PassWorkDone();
        while (static_cast<std::uint32_t>(read() - start) < 30) {
        }
        read();
    }
    return loop;
}

void ExpectEveryPeriodIs30(const Loop& loop) {
    for (std::size_t i = 1; i < loop.passStarts.size(); ++i)
        ASSERT_EQ(30u, loop.passStarts[i] - loop.passStarts[i - 1]) << "pass " << i;
}

TEST(PacedClock, PassesStartEvery30MillisecondsWithoutDrift) {
    for (std::int64_t work : {0, 700, 4'300, 25'000}) {
        SimulatedMachine machine;
        const Loop loop = RunPasses(machine, 1000, work, false);
        ExpectEveryPeriodIs30(loop);
    }
}

TEST(PacedClock, HoldsWithLateWakesAndMessageTimeStamps) {
    for (std::int64_t latency : {0, 60, 400, 900}) {
        SimulatedMachine machine;
        machine.wakeLatency = latency;
        const Loop loop = RunPasses(machine, 500, 1'200, true);
        ExpectEveryPeriodIs30(loop);
    }
}

TEST(PacedClock, SleepsThroughTheWaitInsteadOfSpinning) {
    SimulatedMachine machine;
    const Loop loop = RunPasses(machine, 100, 2'000, false);
    // About one sleep per millisecond of waiting and three readings a millisecond.
    EXPECT_LE(machine.sleeps, 100 * 30);
    EXPECT_GE(machine.sleeps, 100 * 25);
    EXPECT_LE(loop.readings, 100 * 3 * 31);
}

// Told when each pass starts and when its work is done, the clock sleeps through each wait
// in one wake, late wakes and messages or not, and every pass still starts 30 ms after the
// one before.
TEST(PacedClock, ToldOfPassesItSleepsOnceAWait) {
    for (std::int64_t latency : {0, 60, 900}) {
        for (bool messages : {false, true}) {
            SimulatedMachine machine;
            machine.wakeLatency = latency;
            // Four messages read the clock four times in the pass's first millisecond.
            const Loop loop = RunPasses(machine, 300, 2'500, messages, true, 4);
            ExpectEveryPeriodIs30(loop);
            // One sleep a wait; with the messages, which read the same millisecond too
            // often, a short one or two more a pass, where the wait alone took 28.
            EXPECT_LE(machine.sleeps, 300 * 3) << "latency " << latency;
            EXPECT_LE(loop.readings, 300 * 12) << "latency " << latency;
        }
    }
}

TEST(PacedClock, EveryReadingIsTheTrueTime) {
    SimulatedMachine machine;
    const std::int64_t origin = machine.now + machine.readCost;
    host::sdl::PacedClock clock = machine.MakeClock();
    for (int i = 0; i < 5000; ++i) {
        const std::uint32_t reading = clock.Read();
        EXPECT_EQ(static_cast<std::uint32_t>((machine.now - origin) / 1000), reading);
        machine.now += (i * 37) % 450;
    }
}

}  // namespace
