// The sound of play in step with the passes: one pass mixed at a time, played out in order,
// silence when a pass runs late, and never more than a few passes behind.
#include "hosts/sdl/pass_sound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/link/host_link.h"
#include "support/test_voice.h"

namespace {

constexpr int kPass = 1323;  // 30 ms at 44100 frames a second

// The left sample the ramp voice gives for its n-th frame.
std::int16_t RampAt(std::int64_t n) {
    return static_cast<std::int16_t>(0.0001f * static_cast<float>(n % 1000) * 32767.0f + 0.5f);
}

// The device's output follows the ramp the voice made, in order: each frame a little more
// than the one before (about one step of the ramp, as the device's rate follows the queue),
// but where the ramp starts over.
void ExpectRampInOrder(const std::vector<std::int16_t>& out, int frames) {
    const int step = RampAt(1) - RampAt(0);
    for (int i = 1; i < frames; ++i) {
        const int rise = out[i * 2] - out[(i - 1) * 2];
        if (rise < 0) continue;  // the ramp started over
        ASSERT_GE(rise, step - 1) << "frame " << i;
        ASSERT_LE(rise, step * 11 / 10 + 1) << "frame " << i;
    }
}

TEST(PassSound, EachPassMixesThirtyMillisecondsPlayedOutInOrder) {
    gametest::TestVoice voice(0.0f, 0.0f, 0.0001f);
    host::sdl::PassSound sound;
    sound.MixPass(platform::Link());
    sound.MixPass(platform::Link());
    EXPECT_EQ(2 * kPass, voice.framesMixed);
    EXPECT_EQ(2 * kPass, sound.Queued());
    // The device takes it in pieces of its own size, across the passes' seam.
    std::vector<std::int16_t> out(2000 * 2);
    sound.Play(out.data(), 1000);
    sound.Play(out.data() + 2000, 1000);
    EXPECT_EQ(RampAt(0), out[0]);
    ExpectRampInOrder(out, 2000);
    EXPECT_LT(sound.Queued(), 2 * kPass - 2000);
}

TEST(PassSound, PlayingWaitsForTwoPassesAndALatePassIsSilenceNotOldSound) {
    gametest::TestVoice voice(0.5f, 0.5f);
    host::sdl::PassSound sound;
    std::vector<std::int16_t> out(3000 * 2, 7);
    sound.MixPass(platform::Link());
    sound.Play(out.data(), 100);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(0, out[i]) << "one pass queued is not enough yet";
    EXPECT_EQ(kPass, sound.Queued());
    sound.MixPass(platform::Link());
    sound.Play(out.data(), 3000);
    // Two passes play (a little faster, as the queue is over its target), then silence.
    int sounding = 0;
    while (sounding < 3000 && out[sounding * 2] != 0) ++sounding;
    EXPECT_GT(sounding, 2 * kPass * 94 / 100);
    EXPECT_LE(sounding, 2 * kPass);
    for (int i = sounding * 2; i < 6000; ++i) ASSERT_EQ(0, out[i]) << i;
    EXPECT_EQ(1, sound.Latency().underruns);
    // Dry once, it waits for two passes again.
    sound.MixPass(platform::Link());
    sound.Play(out.data(), 10);
    EXPECT_EQ(0, out[0]);
}

TEST(PassSound, ADeviceThatFallsBehindKeepsOnlyTheNewestPasses) {
    gametest::TestVoice voice(0.0f, 0.0f, 0.0001f);
    host::sdl::PassSound sound;
    std::vector<std::int16_t> out(2);
    sound.MixPass(platform::Link());
    sound.MixPass(platform::Link());
    sound.Play(out.data(), 1);
    // The device stops asking for ten passes.
    for (int pass = 0; pass < 10; ++pass) sound.MixPass(platform::Link());
    EXPECT_LE(sound.Queued(), 7 * kPass / 2) << "no more than two passes over its target stay queued";
    const std::int64_t from = 12 * kPass - sound.Queued() - 1;
    sound.Play(out.data(), 1);
    EXPECT_GE(out[0], RampAt(from) - 1) << "the oldest passes were dropped";
    EXPECT_LE(out[0], RampAt(from + 1) + 1);
}

// A device whose clock runs 2% slow or fast takes its buffers of 512 frames while the game's
// passes start every 30 ms, one in twenty of them 45 ms long, and finish their work (and
// mix) 3 to 7 ms after they start. Over five minutes of play the device never finds the
// sound short, and each pass's sound reaches it soon after the pass starts.
TEST(PassSound, FollowsADeviceClockTwoPercentOffThroughLatePasses) {
    gametest::TestVoice voice(0.25f, 0.25f);
    for (const double deviceSpeed : {1.0, 1.02, 0.98}) {
        std::int64_t now = 0;
        host::sdl::PassSound sound([&now] { return now; });
        constexpr int kDeviceFrames = 512;
        const double devicePeriod = kDeviceFrames * 1e6 / (44100.0 * deviceSpeed);
        std::vector<std::int16_t> out(kDeviceFrames * 2);
        double nextRequest = 0;
        std::int64_t passStart = 0, nextPass = 0, mixAt = -1;
        int pass = 0;
        while (now < 300'000'000) {
            const std::int64_t request = static_cast<std::int64_t>(nextRequest);
            if (mixAt >= 0 && mixAt <= request && mixAt <= nextPass) {
                now = mixAt;
                sound.MixPass(platform::Link());
                mixAt = -1;
            } else if (mixAt < 0 && nextPass <= request) {
                now = passStart = nextPass;
                sound.PassStarted();
                ++pass;
                mixAt = passStart + 3000 + (pass % 5) * 1000;
                nextPass = passStart + (pass % 20 == 0 ? 45000 : 30000);
            } else {
                now = request;
                sound.Play(out.data(), kDeviceFrames);
                nextRequest += devicePeriod;
            }
        }
        const host::sdl::LatencyFigures figures = sound.Latency();
        EXPECT_GT(figures.measured, 9000) << "device speed " << deviceSpeed;
        EXPECT_EQ(0, figures.underruns) << "device speed " << deviceSpeed;
        EXPECT_LE(figures.medianMs, 35.0) << "device speed " << deviceSpeed;
        EXPECT_LE(figures.latestMs, 50.0) << "device speed " << deviceSpeed;
    }
}

}  // namespace
