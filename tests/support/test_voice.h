// A voice for the sound mixer that adds a known signal and counts what it was asked for.
#pragma once

#include <cstdint>

#include "platform/dsound/audio_mixer.h"

namespace gametest {

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

}  // namespace gametest
