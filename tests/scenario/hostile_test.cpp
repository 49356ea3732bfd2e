// Hostile runs of the whole program: both Ctrl keys at once, a folder for a script, a trace
// to a full disk, a capture for a pass never reached.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_game.h"

namespace {

using gamerun::RunGame;
using gamerun::RunRequest;
using gamerun::RunResult;

TEST(Hostile, CtrlDigitWorksWhileEitherCtrlIsStillHeld) {
    // Both held, one let go: Ctrl is still down, so the digit still picks the level.
    const auto run = gamerun::PlayTraced(
        "2 down LeftCtrl\n3 down RightCtrl\n4 up RightCtrl\n5 tap 3\n"
        "7 down RightCtrl\n8 up LeftCtrl\n9 tap 2\n"
        "11 down Ctrl\n12 up RightCtrl\n13 tap 1\n15 up Ctrl\n17 tap 3\n",
        18);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ(3, run.At(5).Int("level")) << "the left Ctrl is still down";
    EXPECT_EQ(2, run.At(9).Int("level")) << "the right Ctrl is still down";
    EXPECT_EQ(1, run.At(13).Int("level")) << "'Ctrl' is the left one, still down";
    EXPECT_EQ(1, run.At(17).Int("level")) << "no Ctrl is down any more";
}

TEST(Hostile, AFolderForAScriptIsRefused) {
    gamerun::ScratchFolder folder;
    for (const char* option : {"--input", "--timedemo"}) {
        RunRequest request;
        request.args = {option, folder.Path()};
        if (std::string(option) == "--input")
            request.args.insert(request.args.begin(), {"--headless", "--frames", "3"});
        const auto run = RunGame(request);
        EXPECT_EQ(2, run.exitCode) << option;
        EXPECT_NE(std::string::npos, run.errorText.find("a folder, not a script")) << run.errorText;
    }
}

TEST(Hostile, ATraceToAFullDiskSaysWhy) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    RunRequest request;
    request.args = {"--headless", "--frames", "5", "--trace", "/dev/full"};
    const auto run = RunGame(request);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.errorText.find("cannot write the trace /dev/full: No space left on device"))
        << run.errorText;
    // Said once, not once a pass.
    EXPECT_EQ(run.errorText.find("cannot write"), run.errorText.rfind("cannot write")) << run.errorText;
}

TEST(Hostile, ACaptureForAPassNeverReachedIsNamedAtTheEnd) {
    gamerun::ScratchFolder folder;
    const std::string reached = folder.Path() + "/reached.png";
    const std::string beyond = folder.Path() + "/beyond.png";
    RunRequest request;
    request.args = {"--headless", "--frames", "4", "--shot", "2:" + reached, "--shot", "9:" + beyond};
    const auto run = RunGame(request);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.errorText.find("no capture " + beyond + ": the run presented no frame at pass 9"))
        << run.errorText;
    EXPECT_TRUE(std::filesystem::exists(reached)) << "the captures the run reached are still made";
    EXPECT_FALSE(std::filesystem::exists(beyond));
    EXPECT_EQ(std::string::npos, run.errorText.find(reached)) << run.errorText;
}

}  // namespace
