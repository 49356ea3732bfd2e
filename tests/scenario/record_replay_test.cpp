// A live session under a virtual display, played with real key presses, recorded and
// traced; then its recording replayed headless must give the same trace, pass for pass.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/patterns.h"
#include "support/run_game.h"

namespace {

// A trace line without its tick, which follows the clock of the machine that ran it.
std::string WithoutTick(const std::string& line) {
    return gametest::ReplaceEvery(line, ",\"tick\":[0-9]+", "");
}

TEST(RecordReplay, ALiveSessionReplaysHeadlessToTheSameTrace) {
    if (!gamerun::HaveCommand("Xvfb") || !gamerun::HaveCommand("xdotool"))
        GTEST_SKIP() << "needs Xvfb and xdotool (Debian packages xvfb, xdotool)";
    gamerun::ScratchFolder scratch;
    const std::string dir = scratch.Path();
    const std::string record = dir + "/session.txt", live = dir + "/live.jsonl", replay = dir + "/replay.jsonl";
    // The sound goes to SDL's disk audio driver, a device that takes it at its own pace.
    // The session: start the street, ride right and jump, go to the girder world and walk,
    // to the rooms and walk, back to the menu, then Alt+F4. The keys land on whatever
    // passes the machine makes of them; the recording says which.
    const std::string script =
        "set -e\n" + gamerun::WindowedPlayPreamble(dir) +
        "'" TRUNDLEBOP_BINARY "' --window --scale 1 --time 4242 --record '" + record + "' --trace '" + live +
        "' & game=$!\n"
        "for i in $(seq 1 200); do [ -s '" +
        live +
        "' ] && break; sleep 0.1; done\n"
        "xdotool mousemove 512 384\n"
        "k() { xdotool \"$@\"; sleep 0.25; }\n"
        "k key Return; k keydown Right; sleep 0.6; k key space; sleep 0.6; k keyup Right\n"
        "k keydown ctrl; k key 2; k keyup ctrl; k keydown Right; sleep 0.8; k keyup Right; k key space\n"
        "k keydown ctrl; k key 3; k keyup ctrl; k keydown Down; sleep 0.6; k keyup Down; k keydown Left; sleep 0.4; k "
        "keyup Left\n"
        "k key Escape; k key Down; k key alt+F4\n"
        "for i in $(seq 1 100); do kill -0 $game 2>/dev/null || break; sleep 0.1; done\n"
        "kill $game 2>/dev/null || true\n"
        "wait $game\n";
    const gamerun::ShellRun session = gamerun::RunShellScript(dir + "/live.sh", script);
    if (session.status != 0) FAIL() << "the live session did not end cleanly:\n" << session.log;

    const std::vector<std::string> recorded = gamerun::ReadLines(record);
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ("# trundlebop record --time 4242", recorded.front());
    bool closed = false;
    for (const std::string& line : recorded) closed = closed || gametest::MatchesWhole(line, "[0-9]+ close");
    EXPECT_TRUE(closed) << "Alt+F4 closes the window";

    gamerun::RunRequest request;
    request.args = {"--headless", "--frames", "100000", "--time", "4242", "--input", record, "--trace", replay};
    const gamerun::RunResult run = gamerun::RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;

    const std::vector<std::string> a = gamerun::ReadLines(live), b = gamerun::ReadLines(replay);
    ASSERT_GT(a.size(), 30u);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) ASSERT_EQ(WithoutTick(a[i]), WithoutTick(b[i])) << "pass " << i + 1;
    // The session went where the keys sent it.
    bool sawLevel2 = false, sawLevel3 = false;
    for (const std::string& line : a) {
        sawLevel2 = sawLevel2 || line.find("\"screen\":0,\"cursor\":0,\"level\":2") != std::string::npos;
        sawLevel3 = sawLevel3 || line.find("\"screen\":0,\"cursor\":0,\"level\":3") != std::string::npos;
    }
    EXPECT_TRUE(sawLevel2 && sawLevel3);
    // The device took the session's sound as it was played.
    std::ifstream device(dir + "/device.raw", std::ios::binary | std::ios::ate);
    EXPECT_GT(static_cast<long long>(device.tellg()), 44100LL * 4);
}

}  // namespace
