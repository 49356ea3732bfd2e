// What the game plays, screen by screen: the music piece and the sounds of each pass as
// the trace reports them, and the mixed sound written by a headless run; play on a machine
// with no audio device, which runs silent; the timedemo, which hears what a headless
// run hears; and runs whose music is not synthesized, which hear the effects alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_game.h"

namespace {

std::string Music(const gamerun::RunResult& run, int pass) {
    return run.At(pass).Raw("music");
}

std::string Sounds(const gamerun::RunResult& run, int pass) {
    return run.At(pass).Raw("sounds");
}

TEST(Audio, EachScreenPlaysItsPieceAndHelpIsSilent) {
    // Menu; H for help at 3; Escape at 5; S at 7 plays level 1; Ctrl+2 at 10 switches to
    // level 2 and its piece; Ctrl+1 at 13 and level 1's piece is back.
    const auto run = gamerun::PlayToTheEnd("3 tap H\n5 tap Escape\n7 tap S\n9 down Ctrl\n10 tap 2\n13 tap 1\n", 16);
    EXPECT_EQ("\"menu_bgmusic.mid\"", Music(run, 1));
    EXPECT_EQ("null", Music(run, 3)) << "the help page is silent";
    EXPECT_EQ("\"menu_bgmusic.mid\"", Music(run, 5)) << "back on the menu the piece starts again";
    EXPECT_EQ("\"lev1_bgmusic.mid\"", Music(run, 7));
    EXPECT_EQ("\"l2bg.mid\"", Music(run, 10)) << "Ctrl+digit stops level 1's piece; level 2 starts its own";
    EXPECT_EQ("\"lev1_bgmusic.mid\"", Music(run, 13));
}

TEST(Audio, TheBoardRollsWhileRidingAndTheJumpTakesOver) {
    // S at 2; Right held from 3; Space at 20; Escape at 45.
    const auto run = gamerun::PlayToTheEnd("2 tap S\n3 down Right\n20 down Space\n21 up Space\n45 tap Escape\n", 46);
    EXPECT_EQ("{}", Sounds(run, 2)) << "at rest nothing rolls";
    EXPECT_EQ("{\"lev1_boardloop.wav\":5}", Sounds(run, 3)) << "looped while moving";
    EXPECT_EQ("{\"lev1_jump.wav\":1}", Sounds(run, 20)) << "in the air the loop stops and the jump sounds";
    EXPECT_EQ("{\"lev1_boardloop.wav\":5}", Sounds(run, 37)) << "landed while moving: the loop resumes";
    EXPECT_EQ("{}", Sounds(run, 45)) << "the menu stops every sound";
}

TEST(Audio, HeadlessRunWritesTheMixInStepWithTheClock) {
    // Sixty passes on the menu, its piece playing.
    gamerun::RunRequest request;
    const gamerun::ScratchFolder out;
    const std::string wav = out.Path() + "/mix.wav";
    request.args = {"--headless", "--frames", "60", "--audio-out", wav};
    const auto run = gamerun::RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    std::ifstream file(wav, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 44u);
    const auto word = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
    };
    EXPECT_EQ(44100u, word(24)) << "44100 frames a second";
    const std::uint32_t dataBytes = word(40);
    EXPECT_EQ(bytes.size() - 44, dataBytes);
    // 60 passes of about 32 virtual milliseconds: close to two seconds of sound.
    const double seconds = dataBytes / 4.0 / 44100.0;
    EXPECT_GT(seconds, 1.5);
    EXPECT_LT(seconds, 2.5);
    int loud = 0;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8);
        loud += sample > 2000 || sample < -2000;
    }
    EXPECT_GT(loud, 1000) << "the menu's piece is heard";
}

TEST(HeadlessAudio, TheGameWritesTheSameSoundTwice) {
    std::string first;
    for (int run = 0; run < 2; ++run) {
        gamerun::RunRequest request;
        request.args = {"--headless", "--frames", "40", "--audio-out", "sound.wav"};
        const gamerun::RunResult result = gamerun::RunGame(request);
        ASSERT_EQ(0, result.exitCode) << result.errorText;
        const std::string wav = gamerun::ReadFile(result.folder->Path() + "/play/sound.wav");
        ASSERT_GT(wav.size(), 44u + 40 * 30 * 176);  // at least 30 ms a pass, 176.4 bytes a ms
        EXPECT_EQ(wav.size() - 44, gamerun::LittleEndian(wav, 40, 4));
        if (run == 0)
            first = wav;
        else
            EXPECT_TRUE(first == wav) << "the same run gave different sound";
    }
}

// A ride with one jump: S at 2 plays level 1, Right held from 3, Space at 20.
const char kRideAndJump[] = "2 tap S\n3 down Right\n20 down Space\n21 up Space\n";

TEST(Audio, PlayWithNoAudioDeviceRunsSilent) {
    // The ride shown as a demo in a window on SDL's invisible display, with an audio driver
    // that is not there; the demo closes the window at pass 40.
    gamerun::RunRequest request;
    const gamerun::ScratchFolder scratch;
    const std::string script = scratch.Path() + "/ride.txt", trace = scratch.Path() + "/trace.jsonl";
    std::ofstream(script) << kRideAndJump << "40 close\n";
    request.args = {"--window", "--scale", "1", "--time", "4242", "--play", script, "--trace", trace};
    request.environment = {
        {"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "nosuchdriver"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
    const gamerun::RunResult run = gamerun::RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("no audio device; playing without sound")) << run.errorText;

    std::ifstream lines(trace);
    int passes = 0, riding = 0;
    for (std::string line; std::getline(lines, line);) {
        gamerun::TraceRecord record;
        ASSERT_TRUE(gamerun::ParseTraceLine(line, record)) << line;
        ++passes;
        if (record.Int("screen") == 0 && record.Int("level") == 1) ++riding;
        EXPECT_EQ("null", record.Raw("music")) << "no piece plays without a device: " << line;
        EXPECT_EQ("{}", record.Raw("sounds")) << "no sound plays without a device: " << line;
    }
    EXPECT_GE(passes, 39);
    EXPECT_GE(riding, 30) << "the demo rode level 1, where its piece and the board would sound";
}

TEST(Audio, TheTimedemoHearsWhatAHeadlessRunHears) {
    // The same ride as a timedemo, its clock leaping 30 ms a reading, and headless, every
    // pass 30 virtual milliseconds: each pass plays the same piece and the same sounds, so
    // the jump's one-shot sound ends in the timedemo as it does in play.
    gamerun::RunRequest headless;
    headless.script = kRideAndJump;
    headless.frames = 60;
    const gamerun::RunResult heard = gamerun::RunGame(headless);
    ASSERT_EQ(0, heard.exitCode) << heard.errorText;

    const gamerun::ScratchFolder scratch;
    const std::string script = scratch.Path() + "/ride.txt", trace = scratch.Path() + "/trace.jsonl";
    std::ofstream(script) << kRideAndJump;
    gamerun::RunRequest timedemo;
    timedemo.args = {"--timedemo", script, "--frames", "60", "--trace", trace};
    const gamerun::RunResult demo = gamerun::RunGame(timedemo);
    ASSERT_EQ(0, demo.exitCode) << demo.errorText;
    EXPECT_NE(std::string::npos, demo.outputText.find(" frames in ")) << demo.outputText;

    std::vector<gamerun::TraceRecord> demoTrace;
    std::ifstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        gamerun::TraceRecord record;
        ASSERT_TRUE(gamerun::ParseTraceLine(line, record)) << line;
        demoTrace.push_back(record);
    }
    ASSERT_EQ(heard.trace.size(), demoTrace.size());
    bool jumped = false, landed = false;
    for (std::size_t i = 0; i < demoTrace.size(); ++i) {
        const gamerun::TraceRecord& d = demoTrace[i];
        ASSERT_EQ(heard.trace[i].Raw("pass"), d.Raw("pass"));
        EXPECT_EQ(heard.trace[i].Raw("music"), d.Raw("music")) << "pass " << d.Raw("pass");
        EXPECT_EQ(heard.trace[i].Raw("sounds"), d.Raw("sounds")) << "pass " << d.Raw("pass");
        const bool jumping = d.Raw("sounds").find("lev1_jump.wav") != std::string::npos;
        jumped = jumped || jumping;
        landed = landed || (jumped && !jumping);
    }
    EXPECT_TRUE(jumped);
    EXPECT_TRUE(landed) << "the jump's sound ended";
    EXPECT_EQ("\"lev1_bgmusic.mid\"", demoTrace.back().Raw("music"));
}

TEST(HeadlessAudio, WithoutMusicSynthesisTheEffectsAreHeardAloneAndTheGameRunsTheSame) {
    // The ride three ways: as ever; with the music at volume 0, where the pieces play on but
    // add nothing; and with the music's synthesis left out. The last must sound exactly as
    // the second, effects and all, and play exactly as the first.
    const gamerun::ScratchFolder scratch;
    const std::string script = scratch.Path() + "/ride.txt";
    std::ofstream(script) << kRideAndJump;
    std::vector<gamerun::RunResult> runs;
    std::vector<std::string> sound;
    for (int way = 0; way < 3; ++way) {
        gamerun::RunRequest request;
        request.args = {"--headless",  "--frames",  "60",      "--input",       script,
                        "--audio-out", "sound.wav", "--trace", "../trace.jsonl"};
        if (way == 1) request.settings = "music_volume = 0\n";
        if (way == 2) request.args.push_back("--no-music-synthesis");
        gamerun::RunResult run = gamerun::RunGame(request);
        ASSERT_EQ(0, run.exitCode) << run.errorText;
        sound.push_back(gamerun::ReadFile(run.folder->Path() + "/play/sound.wav"));
        ASSERT_GT(sound.back().size(), 44u + 60 * 30 * 176);
        runs.push_back(std::move(run));
    }
    EXPECT_TRUE(sound[0] != sound[1]) << "the music is heard at full volume";
    EXPECT_TRUE(sound[2] == sound[1]) << "without its synthesis the music adds nothing; the effects are as ever";
    ASSERT_EQ(runs[0].trace.size(), runs[2].trace.size());
    bool jumped = false;
    for (std::size_t i = 0; i < runs[0].trace.size(); ++i) {
        EXPECT_EQ(runs[0].trace[i].fields, runs[2].trace[i].fields) << "pass " << runs[0].trace[i].Raw("pass");
        jumped = jumped || runs[2].trace[i].Raw("sounds").find("lev1_jump.wav") != std::string::npos;
    }
    EXPECT_TRUE(jumped);
    EXPECT_EQ("\"lev1_bgmusic.mid\"", runs[2].trace.back().Raw("music"));
}

}  // namespace
