// Tests of the sound mixer and of the headless host's sound, in step with its virtual clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/audio_mixer.h"
#include "hosts/headless/headless_host.h"
#include "support/run_game.h"

namespace {

// Adds a fixed value to each side, or a ramp that climbs by `step` a frame from where it
// left off, and counts what it was asked for.
class TestVoice : public platform::AudioVoice {
public:
    TestVoice(float left, float right, float step = 0.0f) : left_(left), right_(right), step_(step) {
        platform::AddVoice(this);
    }
    ~TestVoice() override { platform::RemoveVoice(this); }
    void MixInto(float* stereo, int frames, int rate) override {
        lastRate = rate;
        for (int i = 0; i < frames; ++i, ++framesMixed) {
            const float ramp = step_ * static_cast<float>(framesMixed % 1000);
            stereo[i * 2] += left_ + ramp;
            stereo[i * 2 + 1] += right_ - ramp;
        }
    }
    std::int64_t framesMixed = 0;
    int lastRate = 0;

private:
    float left_, right_, step_;
};

std::vector<std::int16_t> Mix(int frames, int rate = host::kMixRate) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2, 12345);
    host::MixAudio(out.data(), frames, rate);
    return out;
}

TEST(AudioMixer, SilenceWithNoVoices) {
    for (std::int16_t s : Mix(700)) ASSERT_EQ(0, s);
}

TEST(AudioMixer, ConstantVoiceIsScaledRoundedAndClipped) {
    TestVoice voice(0.5f, -0.25f);
    const auto out = Mix(3);
    EXPECT_EQ(16384, out[0]);  // 0.5 * 32767 = 16383.5
    EXPECT_EQ(-8192, out[1]);  // -0.25 * 32767 = -8191.75
    TestVoice loud(1.5f, -2.0f);
    const auto clipped = Mix(3);
    EXPECT_EQ(32767, clipped[4]);
    EXPECT_EQ(-32768, clipped[5]);
}

TEST(AudioMixer, RampCarriesOnAcrossChunksAndCalls) {
    TestVoice voice(0.0f, 0.0f, 0.001f);
    // Long calls go to the voices in pieces; the pieces must join without a gap.
    std::vector<std::int16_t> out = Mix(2500, 22050);
    const std::vector<std::int16_t> more = Mix(777, 22050);
    out.insert(out.end(), more.begin(), more.end());
    EXPECT_EQ(3277, voice.framesMixed);
    EXPECT_EQ(22050, voice.lastRate);
    for (int i = 0; i < 3277; ++i) {
        const double want = 0.001 * (i % 1000) * 32767;
        ASSERT_NEAR(want, out[i * 2], 1.0) << i;
        ASSERT_NEAR(-want, out[i * 2 + 1], 1.0) << i;
    }
}

TEST(AudioMixer, TwoVoicesAddAndARemovedOneIsGone) {
    TestVoice a(0.25f, 0.125f);
    std::int64_t bFrames = 0;
    {
        TestVoice b(0.25f, -0.5f);
        const auto both = Mix(10);
        EXPECT_EQ(16384, both[0]);
        EXPECT_EQ(-12288, both[1]);  // -0.375 * 32767 = -12287.6
        bFrames = b.framesMixed;
    }
    const auto one = Mix(10);
    EXPECT_EQ(8192, one[0]);
    EXPECT_EQ(4096, one[1]);
    EXPECT_EQ(10, bFrames);
    EXPECT_EQ(20, a.framesMixed);
}

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

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
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
        const std::uint32_t ms = RunPasses(h, 1000);
        const std::uint64_t frames = std::uint64_t{ms} * 44100 / 1000;
        EXPECT_EQ(frames, h.FramesMixed());
        EXPECT_EQ(static_cast<std::int64_t>(frames), voice.framesMixed);
        h.FinishAudio();
        EXPECT_TRUE(h.OutputsOk());

        const std::string wav = ReadFile(o.audioOutPath);
        ASSERT_EQ(44 + frames * 4, wav.size());
        EXPECT_EQ("RIFF", wav.substr(0, 4));
        EXPECT_EQ(wav.size() - 8, Le(wav, 4, 4));
        EXPECT_EQ("WAVEfmt ", wav.substr(8, 8));
        EXPECT_EQ(16u, Le(wav, 16, 4));
        EXPECT_EQ(1u, Le(wav, 20, 2));       // PCM
        EXPECT_EQ(2u, Le(wav, 22, 2));       // stereo
        EXPECT_EQ(44100u, Le(wav, 24, 4));
        EXPECT_EQ(44100u * 4, Le(wav, 28, 4));
        EXPECT_EQ(4u, Le(wav, 32, 2));
        EXPECT_EQ(16u, Le(wav, 34, 2));
        EXPECT_EQ("data", wav.substr(36, 4));
        EXPECT_EQ(frames * 4, Le(wav, 40, 4));
        for (std::size_t i : {std::size_t{0}, std::size_t{999}, frames / 2, frames - 1}) {
            const double want = 0.0005 * (i % 1000) * 32767;
            EXPECT_NEAR(want, static_cast<std::int16_t>(Le(wav, 44 + i * 4, 2)), 1.0) << i;
            EXPECT_NEAR(-want, static_cast<std::int16_t>(Le(wav, 46 + i * 4, 2)), 1.0) << i;
        }
        if (run == 0) first = wav;
        else EXPECT_TRUE(first == wav) << "the same run gave different sound";
    }
}

TEST(HeadlessAudio, VoicesMoveOnWithNoFileAndAClockSetByATestPlaysNothing) {
    TestVoice voice(0.1f, 0.1f);
    host::HeadlessHost h(host::HeadlessOptions{});
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

TEST(HeadlessAudio, TheGameWritesTheSameSoundTwice) {
    std::string first;
    for (int run = 0; run < 2; ++run) {
        gamerun::RunRequest request;
        request.args = {"--headless", "--frames", "40", "--audio-out", "sound.wav"};
        const gamerun::RunResult result = gamerun::RunGame(request);
        ASSERT_EQ(0, result.exitCode) << result.errorText;
        const std::string wav = ReadFile(result.folder->Path() + "/play/sound.wav");
        ASSERT_GT(wav.size(), 44u + 40 * 30 * 176);  // at least 30 ms a pass, 176.4 bytes a ms
        EXPECT_EQ(wav.size() - 44, Le(wav, 40, 4));
        if (run == 0) first = wav;
        else EXPECT_TRUE(first == wav) << "the same run gave different sound";
    }
}

}  // namespace
