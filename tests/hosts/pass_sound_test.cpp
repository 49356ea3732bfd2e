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

TEST(PassSound, EachPassMixesThirtyMillisecondsPlayedOutInOrder) {
    gametest::TestVoice voice(0.0f, 0.0f, 0.0001f);
    host::sdl::PassSound sound;
    sound.MixPass(platform::Link());
    sound.MixPass(platform::Link());
    EXPECT_EQ(2 * kPass, voice.framesMixed);
    EXPECT_EQ(2 * kPass, sound.Queued());
    // The device takes it in pieces of its own size, across the passes' seam.
    std::vector<std::int16_t> out(1000 * 2);
    std::int64_t played = 0;
    for (int piece = 0; piece < 2; ++piece) {
        sound.Play(out.data(), 1000);
        for (int i = 0; i < 1000; ++i, ++played) ASSERT_EQ(RampAt(played), out[i * 2]) << "frame " << played;
    }
    EXPECT_EQ(2 * kPass - 2000, sound.Queued());
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
    for (int i = 0; i < kPass * 4; ++i) ASSERT_NE(0, out[i]) << i;
    for (int i = kPass * 4; i < 6000; ++i) ASSERT_EQ(0, out[i]) << i;
    EXPECT_EQ(0, sound.Queued());
    // Dry once, it waits for two passes again.
    sound.MixPass(platform::Link());
    sound.Play(out.data(), 10);
    EXPECT_EQ(0, out[0]);
}

TEST(PassSound, ADeviceThatFallsBehindKeepsOnlyTheNewestPasses) {
    gametest::TestVoice voice(0.0f, 0.0f, 0.0001f);
    host::sdl::PassSound sound;
    for (int pass = 0; pass < 10; ++pass) sound.MixPass(platform::Link());
    EXPECT_EQ(4 * kPass, sound.Queued());
    std::vector<std::int16_t> out(2);
    sound.Play(out.data(), 1);
    EXPECT_EQ(RampAt(6 * kPass), out[0]) << "the oldest six passes were dropped";
}

}  // namespace
