// The game's sound effects, synthesised from noise and tones: the board's roll, the jump, the bump and the steps.
#include "sounds/sound_effects.h"

#include <cmath>

#include "kit/rng.h"
#include "kit/sound_kit.h"

using snd::kPi;
using snd::kRate;

namespace {

std::vector<float> NoiseTable(int n, std::uint32_t seed) {
    Rng rng(seed);
    std::vector<float> t(static_cast<size_t>(n));
    for (float& v : t) v = snd::Noise(rng);
    return t;
}

// Seconds from event time `at` to sample i, going round a loop of n samples.
float LoopAge(int i, float at, int n) {
    float age = static_cast<float>(i) / kRate - at;
    const float len = static_cast<float>(n) / kRate;
    while (age < 0.0f) age += len;
    while (age >= len) age -= len;
    return age;
}

}  // namespace

// Wheels on asphalt. The loop lasts 1.6 s; every periodic part of it (the wheel's 20 Hz turn, the
// slow sway, the joints in the pavement) repeats a whole number of times in that span, and the
// filters run round the loop twice, so the end meets the start exactly.
std::vector<float> MakeBoardLoop() {
    const int n = snd::Samples(1.6f);
    const std::vector<float> rumbleNoise = NoiseTable(n, 0xB0A2D001u);
    const std::vector<float> gritNoise = NoiseTable(n, 0xB0A2D002u);
    const std::vector<float> clickNoise = NoiseTable(n, 0xB0A2D003u);

    // Sparse crackles of grit: tiny stones popping under the wheels.
    std::vector<float> crackles(static_cast<size_t>(n), 0.0f);
    Rng crackleRng(0xB0A2D004u);
    for (int i = 0; i < n; ++i)
        if (crackleRng.Range(0, 9999) < 160) crackles[static_cast<size_t>(i)] = snd::Noise(crackleRng);

    // Joints in the pavement every 0.4 s; the front and back wheels cross each one 85 ms apart.
    const float joints[] = {0.10f, 0.185f, 0.50f, 0.585f, 0.90f, 0.985f, 1.30f, 1.385f};
    const float jointLevel[] = {1.0f, 0.7f, 0.85f, 0.6f, 1.0f, 0.75f, 0.8f, 0.6f};

    snd::Biquad rumbleLp, hum, body, roar, gritBp, crackleBp, clackLp;
    rumbleLp.LowPass(170.0f, 0.7f);
    hum.BandPass(92.0f, 3.0f);
    body.BandPass(380.0f, 0.9f);
    roar.BandPass(900.0f, 0.8f);
    gritBp.BandPass(2600.0f, 0.9f);
    crackleBp.BandPass(1900.0f, 2.5f);
    clackLp.LowPass(2400.0f, 0.8f);

    std::vector<float> out = snd::RenderLoop(n, 2, [&](int i) {
        const size_t k = static_cast<size_t>(i);
        const float t = static_cast<float>(i) / kRate;
        // The wheels turn 32 times and the board sways 4 times per loop.
        const float turn =
            1.0f + 0.22f * std::sin(2.0f * kPi * 20.0f * t) + 0.08f * std::sin(2.0f * kPi * 40.0f * t + 1.0f);
        const float sway = 1.0f + 0.12f * std::sin(2.0f * kPi * 2.5f * t + 0.6f);
        const float low = rumbleLp.Run(rumbleNoise[k]) * 1.5f + hum.Run(rumbleNoise[k]) * 0.8f;
        const float mid = body.Run(rumbleNoise[k]) * 0.75f + roar.Run(gritNoise[k]) * 0.30f;
        const float grit = gritBp.Run(gritNoise[k]) * 0.20f + crackleBp.Run(crackles[k]) * 0.7f;

        float clack = 0.0f;
        for (int j = 0; j < 8; ++j) {
            const float age = LoopAge(i, joints[j], n);
            if (age > 0.09f) continue;
            const float knock = 0.55f * std::sin(2.0f * kPi * 310.0f * age) * std::exp(-age / 0.014f) +
                                0.30f * std::sin(2.0f * kPi * 860.0f * age) * std::exp(-age / 0.008f) +
                                0.60f * std::sin(2.0f * kPi * 70.0f * age) * std::exp(-age / 0.030f) +
                                0.50f * clickNoise[k] * std::exp(-age / 0.003f);
            clack += knock * jointLevel[j] * snd::Smooth(age / 0.0015f);
        }
        clack = clackLp.Run(clack);
        return (low + mid) * turn * sway + grit * sway + 0.65f * clack;
    });

    float mean = 0.0f;
    for (float v : out) mean += v;
    mean /= static_cast<float>(n);
    for (float& v : out) v -= mean;
    snd::Normalise(out, 0.80f);
    snd::RotateToQuietStart(out);
    return out;
}

// A friendly arcade hop: a quick low pop, a tone that glides up an octave and a half, and a rising
// breath of air. It lasts about as long as the hero stays in the air.
std::vector<float> MakeJump() {
    const int n = snd::Samples(0.5f) + 1;  // an even byte count keeps the data chunk unpadded
    const std::vector<float> air = NoiseTable(n, 0x1A3F0001u);
    std::vector<float> out(static_cast<size_t>(n));
    snd::Biquad whoosh;
    float tonePhase = 0.0f, popPhase = 0.0f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;

        // Pop: a sine sweeping 130 -> 420 Hz within 40 ms.
        const float popF = 130.0f * std::pow(420.0f / 130.0f, std::fmin(t / 0.04f, 1.0f));
        popPhase += 2.0f * kPi * popF / kRate;
        const float pop = std::sin(popPhase) * snd::Strike(t, 0.0015f, 0.018f);

        // Tone: 300 -> 900 Hz over 0.22 s, then a slight lift with a little wobble; a soft square.
        float f = t < 0.22f ? 300.0f * std::pow(3.0f, t / 0.22f) : 900.0f * (1.0f + 0.12f * (t - 0.22f));
        f *= 1.0f + 0.015f * std::sin(2.0f * kPi * 13.0f * t) * snd::Smooth((t - 0.15f) / 0.1f);
        tonePhase += 2.0f * kPi * f / kRate;
        const float wave =
            std::sin(tonePhase) + 0.30f * std::sin(3.0f * tonePhase) + 0.12f * std::sin(5.0f * tonePhase);
        const float tone = wave * snd::Strike(t, 0.012f, 0.16f) * snd::Smooth((0.5f - t) / 0.12f);

        // Air: noise through a band that rises 500 -> 2800 Hz.
        whoosh.BandPass(500.0f * std::pow(5.6f, std::fmin(t / 0.3f, 1.0f)), 1.3f);
        const float breath = whoosh.Run(air[static_cast<size_t>(i)]) * snd::Smooth(t / 0.06f) * std::exp(-t / 0.11f);

        out[static_cast<size_t>(i)] = 0.55f * pop + 0.32f * tone + 0.9f * breath;
    }
    snd::FadeEnds(out, 0.002f, 0.03f);
    snd::Normalise(out, 0.78f);
    return out;
}

// A head against a steel girder, cartoon style: a low thud with a falling pitch, a hollow knock
// and a short "doink" that drops away.
std::vector<float> MakeHeadBump() {
    const int n = snd::Samples(0.32f);
    const std::vector<float> hit = NoiseTable(n, 0xB0C40001u);
    std::vector<float> out(static_cast<size_t>(n));
    snd::Biquad clickLp;
    clickLp.LowPass(2500.0f, 0.7f);
    float thudPhase = 0.0f, doinkPhase = 0.0f;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float thudF = 60.0f + 100.0f * std::exp(-t / 0.05f);
        thudPhase += 2.0f * kPi * thudF / kRate;
        const float thud = std::sin(thudPhase) * snd::Strike(t, 0.002f, 0.075f);

        const float knock = 0.50f * std::sin(2.0f * kPi * 470.0f * t) * std::exp(-t / 0.045f) +
                            0.22f * std::sin(2.0f * kPi * 1230.0f * t + 0.5f) * std::exp(-t / 0.02f);

        const float doinkF = 420.0f + 230.0f * std::exp(-t / 0.06f);
        doinkPhase += 2.0f * kPi * doinkF / kRate;
        const float doink = std::sin(doinkPhase) * snd::Strike(t, 0.004f, 0.085f);

        const float click = clickLp.Run(hit[static_cast<size_t>(i)]) * std::exp(-t / 0.005f);

        out[static_cast<size_t>(i)] = 0.95f * thud + knock * snd::Smooth(t / 0.001f) + 0.32f * doink + 0.6f * click;
    }
    snd::FadeEnds(out, 0.001f, 0.05f);
    snd::Normalise(out, 0.82f);
    return out;
}

// Two steps, heel then toe, on a hard floor in a small room. The loop lasts 0.72 s, one full
// cycle of the walking picture, and the room's echo runs round the loop so the seam is silent-smooth.
std::vector<float> MakeSteps() {
    const int n = snd::Samples(0.72f);
    const std::vector<float> scuff = NoiseTable(n, 0x57E90001u);

    struct Step {
        float at, pitch, level;
    };
    const Step steps[] = {{0.02f, 1.0f, 1.0f}, {0.38f, 0.88f, 0.86f}};

    std::vector<float> dry(static_cast<size_t>(n), 0.0f);
    snd::Biquad tockBp, toeBp;
    tockBp.BandPass(640.0f, 0.9f);
    toeBp.BandPass(2100.0f, 1.1f);
    // The dry steps: each event is fully over long before the next, so plain time from the event works.
    for (int i = 0; i < n; ++i) {
        const size_t k = static_cast<size_t>(i);
        float thump = 0.0f, tock = 0.0f, toe = 0.0f;
        for (const Step& s : steps) {
            const float age = LoopAge(i, s.at, n);
            if (age < 0.12f) {
                // The heel: a sine falling from 128 to 58 Hz (its phase is the integral of that pitch)
                // and the hard knock of the sole on the floor.
                const float phase =
                    2.0f * kPi * (58.0f * age + 70.0f * 0.012f * (1.0f - std::exp(-age / 0.012f))) * s.pitch;
                thump += s.level * std::sin(phase) * snd::Strike(age, 0.002f, 0.024f);
                tock += s.level * scuff[k] * snd::Strike(age, 0.0008f, 0.014f);
            }
            const float toeAge = LoopAge(i, s.at + 0.045f, n);
            if (toeAge < 0.08f) {
                toe += s.level * scuff[k] * snd::Strike(toeAge, 0.002f, 0.016f);
                tock += s.level * 0.25f * scuff[k] * snd::Strike(toeAge, 0.001f, 0.010f);
            }
        }
        dry[k] = 0.45f * thump + 2.2f * tockBp.Run(tock) + 0.5f * toeBp.Run(toe);
    }

    // The room: a few early reflections and a short, dull tail, all wrapping round the loop.
    const int taps[] = {snd::Samples(0.0085f), snd::Samples(0.0160f), snd::Samples(0.0235f), snd::Samples(0.0330f)};
    const float tapGain[] = {0.30f, 0.22f, 0.15f, 0.10f};
    const int comb = snd::Samples(0.0297f);
    std::vector<float> tail(static_cast<size_t>(n), 0.0f);
    snd::OnePole damp(1800.0f);
    auto wrap = [n](int i) { return static_cast<size_t>(((i % n) + n) % n); };
    std::vector<float> out = snd::RenderLoop(n, 3, [&](int i) {
        float early = 0.0f;
        for (int j = 0; j < 4; ++j) early += tapGain[j] * dry[wrap(i - taps[j])];
        const float t = 0.22f * dry[static_cast<size_t>(i)] + damp.Low(0.55f * tail[wrap(i - comb)]);
        tail[static_cast<size_t>(i)] = t;
        return dry[static_cast<size_t>(i)] + early + 0.6f * t;
    });
    snd::Normalise(out, 0.45f);  // soft: the steps loop for as long as the level runs
    return out;
}
