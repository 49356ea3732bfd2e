// The web host's clock against a simulated browser whose timers fire late: the game's
// frame loop must still see a pass start every 30 ms exactly, and the browser must have
// most of each wait to itself rather than a loop that never lets it run.
#include "hosts/web/web_clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct SimulatedBrowser {
    double now = 12'345.678;  // milliseconds, deliberately not on a millisecond
    double readCost = 0.001;
    double timerLateness = 4.0;  // timers fire this much later than asked (clamped nesting)
    double turnCost = 0.05;      // one turn of the event loop with nothing to do
    double browserTime = 0.0;    // time the browser had, in timers and turns
    double stall = 0.0;          // the next timer fires this much later again, once
    int readings = 0;

    host::web::WebClock MakeClock() {
        return host::web::WebClock(
            [this] {
                ++readings;
                return now += readCost;
            },
            [this](double ms) {
                now += ms + timerLateness + stall;
                browserTime += ms + timerLateness + stall;
                stall = 0.0;
            },
            [this] {
                now += turnCost;
                browserTime += turnCost;
            });
    }
};

// The game's main loop as the host sees it: the frame clock's start, the message pump,
// the frame's work and its presentation, then the busy wait until 30 ms have passed.
// `trueStarts`, when given, gets the true time of each pass's start.
std::vector<std::uint32_t> RunPasses(SimulatedBrowser& browser, int passes, double frameWork,
                                     std::vector<double>* trueStarts = nullptr, int stalledPass = -1,
                                     double stall = 0.0) {
    host::web::WebClock clock = browser.MakeClock();
    std::vector<std::uint32_t> starts;
    for (int pass = 0; pass < passes; ++pass) {
        const std::uint32_t start = clock.Read();
        starts.push_back(start);
        if (trueStarts) trueStarts->push_back(browser.now);
        if (pass == stalledPass) browser.stall = stall;
        clock.PassBegins();
        browser.now += frameWork;
        clock.FrameShown();
        while (static_cast<std::uint32_t>(clock.Read() - start) < 30) {
        }
    }
    return starts;
}

TEST(WebClock, PassesStartEveryThirtyMillisecondsThoughTimersFireLate) {
    SimulatedBrowser browser;
    const std::vector<std::uint32_t> starts = RunPasses(browser, 200, 3.0);
    for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(30u, starts[i] - starts[i - 1]) << "pass " << i;
}

TEST(WebClock, APassTheBrowserCameBackToLateDoesNotPushTheNextOnes) {
    SimulatedBrowser browser;
    std::vector<double> trueStarts;
    // Pass 50's timer fires 9 ms later than the others: that pass ends about 7 ms late.
    const std::vector<std::uint32_t> starts = RunPasses(browser, 100, 3.0, &trueStarts, 50, 9.0);
    EXPECT_GT(trueStarts[51] - trueStarts[50], 35.0);
    for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(30u, starts[i] - starts[i - 1]) << "pass " << i;
    // Every pass but the late one starts on the timeline of the first, within a millisecond.
    for (std::size_t i = 1; i < trueStarts.size(); ++i) {
        if (i == 51) continue;
        EXPECT_NEAR(trueStarts[0] + 30.0 * static_cast<double>(i), trueStarts[i], 1.0) << "pass " << i;
    }
}

TEST(WebClock, APageStoppedForASecondStartsTheTimelineAgainRatherThanHurrying) {
    SimulatedBrowser browser;
    std::vector<double> trueStarts;
    RunPasses(browser, 30, 3.0, &trueStarts, 10, 1000.0);
    for (std::size_t i = 12; i < trueStarts.size(); ++i)
        EXPECT_NEAR(30.0, trueStarts[i] - trueStarts[i - 1], 1.0) << "pass " << i;
}

TEST(WebClock, TheBrowserRunsThroughMostOfEachWait) {
    SimulatedBrowser browser;
    const int passes = 200;
    RunPasses(browser, passes, 3.0);
    // 27 ms of each pass is wait; the browser must get at least 20 of them, in a few
    // hundred readings rather than the millions of a bare busy wait.
    EXPECT_GT(browser.browserTime, 20.0 * passes);
    EXPECT_LT(browser.readings, 200 * passes);
}

TEST(WebClock, APassThatOverrunsStartsTheNextAtOnce) {
    SimulatedBrowser browser;
    const std::vector<std::uint32_t> starts = RunPasses(browser, 5, 45.0);
    for (std::size_t i = 1; i < starts.size(); ++i) {
        EXPECT_GE(starts[i] - starts[i - 1], 45u);
        EXPECT_LE(starts[i] - starts[i - 1], 46u);
    }
}

}  // namespace
