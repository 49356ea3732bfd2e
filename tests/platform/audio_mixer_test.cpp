// Tests of the sound mixer: silence, scaling, rounding and clipping, voices that add up,
// come and go, and carry on across the pieces a long request is mixed in.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "hosts/host.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"
#include "support/test_voice.h"

namespace {

using gametest::TestVoice;

std::vector<std::int16_t> Mix(int frames, int rate = host::kMixRate) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2, 12345);
    platform::Link().MixAudio(out.data(), frames, rate);
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

}  // namespace
