// Small building blocks for the sound effects: noise, filters, envelopes and loop helpers.
#pragma once

#include <cmath>
#include <vector>

#include "kit/rng.h"

namespace snd {

constexpr float kPi = 3.14159265358979f;
constexpr float kRate = 22050.0f;

// White noise in -1..1 from the shared fixed-seed generator.
inline float Noise(Rng& rng) {
    return rng.Unit() * 2.0f - 1.0f;
}

// A one-pole low-pass: cheap smoothing with a cut-off in Hz.
class OnePole {
public:
    explicit OnePole(float cutoff = 1000.0f) { SetCutoff(cutoff); }
    void SetCutoff(float hz) { a_ = 1.0f - std::exp(-2.0f * kPi * hz / kRate); }
    float Low(float x) { return y_ += a_ * (x - y_); }
    float High(float x) { return x - Low(x); }

private:
    float a_ = 0.0f;
    float y_ = 0.0f;
};

// A two-pole resonant filter in the usual biquad form, retunable per sample.
class Biquad {
public:
    void BandPass(float hz, float q) {
        float w = 2.0f * kPi * hz / kRate, alpha = std::sin(w) / (2.0f * q), a0 = 1.0f + alpha;
        b0_ = alpha / a0;
        b1_ = 0.0f;
        b2_ = -alpha / a0;
        a1_ = -2.0f * std::cos(w) / a0;
        a2_ = (1.0f - alpha) / a0;
    }
    void LowPass(float hz, float q) {
        float w = 2.0f * kPi * hz / kRate, alpha = std::sin(w) / (2.0f * q), c = std::cos(w), a0 = 1.0f + alpha;
        b0_ = (1.0f - c) * 0.5f / a0;
        b1_ = (1.0f - c) / a0;
        b2_ = b0_;
        a1_ = -2.0f * c / a0;
        a2_ = (1.0f - alpha) / a0;
    }
    float Run(float x) {
        float y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    float b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Attack-then-exponential-decay envelope, t and times in seconds.
inline float Strike(float t, float attack, float decay) {
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// Smooth 0..1 ramp for fades, x in 0..1.
inline float Smooth(float x) {
    if (x <= 0.0f) return 0.0f;
    if (x >= 1.0f) return 1.0f;
    return x * x * (3.0f - 2.0f * x);
}

inline int Samples(float seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

// Fades the first and last few milliseconds of a one-shot sound so it starts and stops without a click.
void FadeEnds(std::vector<float>& s, float inSeconds, float outSeconds);

// Scales a sound so its largest magnitude is `peak`.
void Normalise(std::vector<float>& s, float peak);

// Turns a loop so it starts where the wave is near zero and quiet, keeping the seam seamless.
void RotateToQuietStart(std::vector<float>& s);

// Runs `step(i)` for i cycling over a loop of n samples `passes` times and keeps only the last pass:
// filters with memory then end in the same state they start in, so the loop joins without a seam.
template <typename Step>
std::vector<float> RenderLoop(int n, int passes, Step step) {
    std::vector<float> out(static_cast<size_t>(n));
    for (int p = 0; p < passes; ++p)
        for (int i = 0; i < n; ++i) {
            float v = step(i);
            if (p == passes - 1) out[static_cast<size_t>(i)] = v;
        }
    return out;
}

}  // namespace snd
