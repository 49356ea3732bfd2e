// Scenarios of the game's pace: headless, every pass starts 30 ms of virtual time after the
// one before, whatever the pass does, and --stats reports it; in play with an audio device,
// --stats also tells how soon each pass's sound reached the device.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
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
                             "period_max_ms=([0-9.]+) cpu_main_pct=[0-9.]+ cpu_process_pct=[0-9.]+\n");
    ASSERT_EQ(5u, m.size()) << run.errorText;
    EXPECT_EQ("40", m[1]);
    // Headless passes are measured on the virtual clock, where each lasts 30 ms (a message's
    // time stamp may move the clock by a fraction of a millisecond).
    EXPECT_NEAR(30.0, std::stod(m[2]), 0.05);
    EXPECT_NEAR(30.0, std::stod(m[4]), 0.1);
}

// Play on a virtual display with SDL's disk audio driver, a device whose clock is the audio
// thread's sleeps and so never quite the passes' own: the sound reaches it in time pass
// after pass, and the whole process's processor time is reported. The bounds are wide, as
// the machine running the tests may be loaded; bench/play_cost.sh measures the goals.
TEST(Pace, PlayWithAnAudioDeviceReportsHowSoonTheSoundReachedIt) {
    if (!gamerun::HaveCommand("Xvfb")) GTEST_SKIP() << "needs Xvfb (Debian package xvfb)";
    gamerun::ScratchFolder scratch;
    const std::string dir = scratch.Path();
    const std::string script = gamerun::WindowedPlayPreamble(dir) +
                               "'" TRUNDLEBOP_BINARY
                               "' --window --scale 1 --stats --time 4242 & game=$!\n"
                               "sleep 8\n"
                               "kill -TERM $game\n"
                               "wait $game\n";
    const gamerun::ShellRun play = gamerun::RunShellScript(dir + "/play.sh", script);
    const std::string& log = play.log;
    ASSERT_EQ(0, play.status) << log;
    const std::vector<std::string> m = gametest::FirstMatch(
        log,
        "stats: passes=(\\d+) .* cpu_main_pct=[0-9.]+ audio_latency_ms_p50=([0-9.]+) audio_latency_ms_max=([0-9.]+) "
        "audio_underruns=(\\d+) cpu_process_pct=([0-9.]+)\n");
    ASSERT_EQ(6u, m.size()) << log;
    RecordProperty("audio_latency_ms_p50", m[2]);
    RecordProperty("audio_latency_ms_max", m[3]);
    RecordProperty("audio_underruns", m[4]);
    RecordProperty("cpu_process_pct", m[5]);
    EXPECT_GT(std::stoi(m[1]), 60) << log;
    // Half the passes' sound reached the device within two passes of their start,
    // where a queue four passes long would take over 120 ms.
    EXPECT_GT(std::stod(m[2]), 0.0) << log;
    EXPECT_LT(std::stod(m[2]), 60.0) << log;
    EXPECT_GE(std::stod(m[3]), std::stod(m[2])) << log;
    // The device got sound: more than a second of it in the driver's file.
    std::ifstream device(dir + "/device.raw", std::ios::binary | std::ios::ate);
    EXPECT_GT(static_cast<long long>(device.tellg()), 44100LL * 4) << log;
}

}  // namespace
