// Tests of the headless host's sound: it mixes exactly the virtual time that went by,
// writes it as a WAV file that is the same on every run, and reports a file it cannot write.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "hosts/headless/headless_host.h"
#include "support/installed_host.h"
#include "support/run_game.h"
#include "support/test_voice.h"

namespace {

using gametest::TestVoice;

// Drives a headless host for `passes` passes, reading the clock a varying number of
// times in each (as the game's frame wait does), and gives the milliseconds that went by.
std::uint32_t RunPasses(host::HeadlessHost& h, int passes) {
    const std::uint32_t start = h.Milliseconds();
    std::uint32_t now = start;
    for (int pass = 0; pass < passes; ++pass) {
        for (int reads = 1 + pass % 5; reads > 0; --reads) now = h.Milliseconds();
        h.PumpInput();
    }
    return now + 7 - start;  // the last reading moved the clock on by one more step
}

TEST(HeadlessAudio, MixesExactlyTheVirtualTimeAndWritesItAsWav) {
    gamerun::ScratchFolder folder;
    std::string first;
    for (int run = 0; run < 2; ++run) {
        TestVoice voice(0.0f, 0.0f, 0.0005f);
        host::HeadlessOptions o;
        o.startTick = 0xFFFFF000u;  // across the clock's wrap
        o.millisecondsPerReading = 7;
        o.audioOutPath = folder.Path() + "/sound" + std::to_string(run) + ".wav";
        host::HeadlessHost h(o);
        gametest::InstalledHost installed(h);
        const std::uint32_t ms = RunPasses(h, 1000);
        const std::uint64_t frames = std::uint64_t{ms} * 44100 / 1000;
        EXPECT_EQ(frames, h.FramesMixed());
        EXPECT_EQ(static_cast<std::int64_t>(frames), voice.framesMixed);
        h.FinishAudio();
        EXPECT_TRUE(h.OutputsOk());

        const std::string wav = gamerun::ReadFile(o.audioOutPath);
        ASSERT_EQ(44 + frames * 4, wav.size());
        EXPECT_EQ("RIFF", wav.substr(0, 4));
        EXPECT_EQ(wav.size() - 8, gamerun::LittleEndian(wav, 4, 4));
        EXPECT_EQ("WAVEfmt ", wav.substr(8, 8));
        EXPECT_EQ(16u, gamerun::LittleEndian(wav, 16, 4));
        EXPECT_EQ(1u, gamerun::LittleEndian(wav, 20, 2));  // PCM
        EXPECT_EQ(2u, gamerun::LittleEndian(wav, 22, 2));  // stereo
        EXPECT_EQ(44100u, gamerun::LittleEndian(wav, 24, 4));
        EXPECT_EQ(44100u * 4, gamerun::LittleEndian(wav, 28, 4));
        EXPECT_EQ(4u, gamerun::LittleEndian(wav, 32, 2));
        EXPECT_EQ(16u, gamerun::LittleEndian(wav, 34, 2));
        EXPECT_EQ("data", wav.substr(36, 4));
        EXPECT_EQ(frames * 4, gamerun::LittleEndian(wav, 40, 4));
        for (std::size_t i : {std::size_t{0}, std::size_t{999}, frames / 2, frames - 1}) {
            const double want = 0.0005 * (i % 1000) * 32767;
            EXPECT_NEAR(want, static_cast<std::int16_t>(gamerun::LittleEndian(wav, 44 + i * 4, 2)), 1.0) << i;
            EXPECT_NEAR(-want, static_cast<std::int16_t>(gamerun::LittleEndian(wav, 46 + i * 4, 2)), 1.0) << i;
        }
        if (run == 0)
            first = wav;
        else
            EXPECT_TRUE(first == wav) << "the same run gave different sound";
    }
}

TEST(HeadlessAudio, VoicesMoveOnWithNoFileAndAClockSetByATestPlaysNothing) {
    TestVoice voice(0.1f, 0.1f);
    host::HeadlessOptions o;
    o.millisecondsPerReading = 1;
    host::HeadlessHost h(o);
    gametest::InstalledHost installed(h);
    h.SetClock(50000);
    h.PumpInput();
    EXPECT_EQ(0u, h.FramesMixed());
    for (int i = 0; i < 3; ++i) h.Milliseconds();
    h.PumpInput();
    EXPECT_EQ(132u, h.FramesMixed());  // 3 ms = 132.3 frames
    h.SetClock(10);
    h.PumpInput();
    h.Milliseconds();
    h.PumpInput();
    EXPECT_EQ(176u, h.FramesMixed());  // 4 ms in all = 176.4 frames
    EXPECT_EQ(176, voice.framesMixed);
}

TEST(HeadlessAudio, PassByPassEachPassMixesItsShareWhateverTheClockDid) {
    TestVoice voice(0.1f, 0.1f);
    host::HeadlessOptions o;
    o.millisecondsPerReading = 30;
    o.mixMillisecondsEachPass = 30;
    host::HeadlessHost h(o);
    gametest::InstalledHost installed(h);
    h.Milliseconds();
    h.PumpInput();
    EXPECT_EQ(0u, h.FramesMixed()) << "no pass has ended at the first";
    RunPasses(h, 10);
    EXPECT_EQ(10u * 1323, h.FramesMixed()) << "30 ms a pass, as play mixes";
    EXPECT_EQ(10 * 1323, voice.framesMixed);
}

TEST(HeadlessAudio, AFileThatCannotBeWrittenIsReported) {
    host::HeadlessOptions o;
    o.audioOutPath = "/nonexistent-folder/sound.wav";
    EXPECT_FALSE(host::HeadlessHost(o).OutputsOk());
    o.audioOutPath = "/dev/full";
    host::HeadlessHost full(o);
    RunPasses(full, 200);
    full.FinishAudio();
    EXPECT_FALSE(full.OutputsOk());
}

}  // namespace
