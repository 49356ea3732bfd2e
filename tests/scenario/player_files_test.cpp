// The files the player names on the command line: a named pipe or a device in place of one
// is refused in one line at once, as is a file larger than any real one; a recording cut
// off mid-line replays as far as it goes; and the settings file is found where HOME said,
// wherever the game then moves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "hosts/common/script.h"
#include "support/run_game.h"

namespace {

using gamerun::RunGame;
using gamerun::RunRequest;
using gamerun::RunResult;

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(PlayerFiles, APipeADeviceOrAnEndlessFileIsRefusedInOneLineAtOnce) {
    gamerun::ScratchFolder scratch;
    const std::string pipe = scratch.Path() + "/pipe";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0600));
    // Far larger than any play, without taking the room: a file of holes.
    const std::string endless = scratch.Path() + "/endless.txt";
    std::ofstream(endless) << "1 tap Enter\n";
    std::filesystem::resize_file(endless, host::kScriptMaxBytes + 1);
    const struct {
        std::vector<std::string> args;
        std::string file, says;
        int exitCode;
    } cases[] = {
        {{"--headless", "--frames", "3", "--config"}, pipe, "a named pipe", 0},
        {{"--headless", "--frames", "3", "--config"}, "/dev/zero", "a device", 0},
        {{"--headless", "--frames", "3", "--input"}, pipe, "a named pipe", 2},
        {{"--headless", "--frames", "3", "--input"}, "/dev/zero", "a device", 2},
        {{"--headless", "--frames", "3", "--input"}, endless, "larger than 64 MB", 2},
        {{"--timedemo"}, pipe, "a named pipe", 2},
        {{"--window", "--play"}, pipe, "a named pipe", 2},
        {{"--window", "--play"}, "/dev/zero", "a device", 2},
        {{"--window", "--record"}, pipe, "not a regular file", 1},
    };
    for (const auto& c : cases) {
        RunRequest request;
        request.args = c.args;
        request.args.push_back(c.file);
        const RunResult run = RunGame(request);
        const std::string said = c.args.back() + " " + c.file;
        EXPECT_EQ(c.exitCode, run.exitCode) << said << "\n" << run.errorText;
        EXPECT_EQ(1, Lines(run.errorText)) << said << "\n" << run.errorText;
        EXPECT_NE(std::string::npos, run.errorText.find(c.file + ": " + c.says)) << said << "\n" << run.errorText;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(pipe)) << "the settings named were not saved over";
    // The null device is the usual name for nothing, and reads as empty.
    RunRequest nothing;
    nothing.args = {"--headless", "--frames", "3", "--config", "/dev/null", "--input", "/dev/null"};
    const RunResult run = RunGame(nothing);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ("", run.errorText);
}

TEST(PlayerFiles, ARecordingCutOffMidLineReplaysAsFarAsItGoesAndABadLineSaysOnlyThat) {
    // The disk filled as "143 down Right" was being written.
    RunRequest request;
    request.script = "# trundlebop record --time 4242\n2 tap Enter\n8 down";
    request.frames = 8;
    const RunResult run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ(1, Lines(run.errorText)) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("script.txt: line 3 (\"8 down\") has no line end"))
        << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("left out")) << run.errorText;
    EXPECT_EQ(-1, run.At(1).Int("screen"));
    EXPECT_EQ(0, run.At(4).Int("screen")) << "Enter, before the cut, started the street";

    request.script = "1 tap Enter\n2 down\n";
    const RunResult bad = RunGame(request);
    EXPECT_EQ(2, bad.exitCode);
    EXPECT_EQ(1, Lines(bad.errorText)) << "the error, not the usage after it:\n" << bad.errorText;
    EXPECT_NE(std::string::npos, bad.errorText.find("script.txt: line 2: down takes one key name")) << bad.errorText;
}

TEST(PlayerFiles, ARelativeHomeIsResolvedOnceFromWhereTheGameStarted) {
    RunRequest request;
    request.args = {"--help"};
    request.environment = {{"HOME", "relhome"}, {"XDG_CONFIG_HOME", ""}};
    const RunResult run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    const std::string expected = run.folder->Path() + "/play/relhome/.config/trundlebop/settings.ini";
    EXPECT_NE(std::string::npos, run.outputText.find("Settings file (" + expected + ")")) << run.outputText;
}

}  // namespace
