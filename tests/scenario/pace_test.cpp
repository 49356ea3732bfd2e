// Scenarios of the game's pace headless: every pass starts 30 ms of virtual time after the
// one before, whatever the pass does, and --stats reports it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/patterns.h"
#include "support/run_game.h"

namespace {

using gamerun::RunGame;
using gamerun::RunRequest;

TEST(Pace, EveryPassStartsThirtyMillisecondsAfterTheLast) {
    // Menu moves, a level with sound and music, key messages that stamp their time: none
    // of it may stretch a pass.
    RunRequest request;
    request.script =
        "3 tap Down\n6 tap Up\n10 tap Enter\n20 down Right\n40 tap Space\n60 up Right\n"
        "70 down Ctrl\n71 tap 2\n72 up Ctrl\n90 down Left\n120 up Left\n";
    request.frames = 150;
    const auto run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    ASSERT_EQ(150u, run.trace.size());
    for (int pass = 1; pass <= 150; ++pass) ASSERT_EQ(30LL * (pass - 1), run.At(pass).Int("tick")) << "pass " << pass;
}

TEST(Pace, StatsLineReportsThePeriods) {
    RunRequest request;
    request.frames = 40;
    request.args = {"--headless", "--frames", "40", "--stats"};
    const auto run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    const std::vector<std::string> m =
        gametest::FirstMatch(run.errorText,
                             "stats: passes=(\\d+) seconds=[0-9.]+ period_mean_ms=([0-9.]+) period_p99_ms=([0-9.]+) "
                             "period_max_ms=([0-9.]+) cpu_main_pct=[0-9.]+\n");
    ASSERT_EQ(5u, m.size()) << run.errorText;
    EXPECT_EQ("40", m[1]);
    // Headless passes are measured on the virtual clock, where each lasts 30 ms (a message's
    // time stamp may move the clock by a fraction of a millisecond).
    EXPECT_NEAR(30.0, std::stod(m[2]), 0.05);
    EXPECT_NEAR(30.0, std::stod(m[4]), 0.1);
}

}  // namespace
