// Scenarios of the whole program run headless: window close, pass count, bad options.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/run_game.h"

namespace {

using gamerun::RunGame;
using gamerun::RunRequest;

TEST(Shell, ClosingTheWindowEndsTheProgram) {
    // Pass 5 takes WM_CLOSE; the default handling destroys the window, whose WM_DESTROY asks
    // for the quit at once; pass 6 takes WM_QUIT and runs no frame.
    RunRequest request;
    request.script = "5 close\n";
    request.frames = 50;
    const auto run = RunGame(request);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    ASSERT_TRUE(run.traceWellFormed);
    ASSERT_EQ(5u, run.trace.size());
    EXPECT_EQ(5, run.LastPass());
    EXPECT_EQ(-1, run.At(5).Int("screen"));
}

TEST(Shell, FramesOptionRunsExactlyThatManyPasses) {
    RunRequest request;
    request.frames = 3;
    const auto run = RunGame(request);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    ASSERT_EQ(3u, run.trace.size());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(i + 1, run.trace[i].Int("pass"));
}

TEST(Shell, BadCommandLinesExitWithTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},
        {"--headless"},
        {"--headless", "--frames", "0"},
        {"--headless", "--frames", "3", "--shot", "0:x.png"},
        {"--headless", "--frames", "3", "--input"},
        {"--scale", "9"},
    };
    for (const auto& args : bad) {
        RunRequest request;
        request.args = args;
        const auto run = RunGame(request);
        EXPECT_EQ(2, run.exitCode) << args[0] << (args.size() > 1 ? " " + args.back() : "");
        EXPECT_NE(std::string::npos, run.errorText.find("usage:")) << run.errorText;
    }
    // A script that is not there, or is wrong, says so in one line, without the usage.
    RunRequest missing;
    missing.args = {"--headless", "--frames", "3", "--input", "no-such-script.txt"};
    const auto notThere = RunGame(missing);
    EXPECT_EQ(2, notThere.exitCode);
    EXPECT_NE(std::string::npos, notThere.errorText.find("no-such-script.txt: no such file")) << notThere.errorText;
    EXPECT_EQ(1, std::count(notThere.errorText.begin(), notThere.errorText.end(), '\n')) << notThere.errorText;
    RunRequest badScript;
    badScript.script = "2 press Enter\n";
    EXPECT_EQ(2, RunGame(badScript).exitCode);
}

}  // namespace
