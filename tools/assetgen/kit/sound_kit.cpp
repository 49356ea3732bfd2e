// Small building blocks for the sound effects: fades, levels and loop rotation.
#include "kit/sound_kit.h"

#include <algorithm>

namespace snd {

void FadeEnds(std::vector<float>& s, float inSeconds, float outSeconds) {
    const int n = static_cast<int>(s.size());
    const int in = std::min(n, Samples(inSeconds)), out = std::min(n, Samples(outSeconds));
    for (int i = 0; i < in; ++i) s[static_cast<size_t>(i)] *= Smooth(static_cast<float>(i) / static_cast<float>(in));
    for (int i = 0; i < out; ++i)
        s[static_cast<size_t>(n - 1 - i)] *= Smooth(static_cast<float>(i) / static_cast<float>(out));
}

void Normalise(std::vector<float>& s, float peak) {
    float top = 0.0f;
    for (float v : s) top = std::max(top, std::fabs(v));
    if (top <= 0.0f) return;
    for (float& v : s) v *= peak / top;
}

void RotateToQuietStart(std::vector<float>& s) {
    const int n = static_cast<int>(s.size());
    if (n < 64) return;
    auto at = [&](int i) { return s[static_cast<size_t>(((i % n) + n) % n)]; };
    int best = 0;
    float bestCost = 1e30f;
    for (int k = 0; k < n; ++k) {
        // Near zero right at the join, and quiet for a short while either side of it.
        float cost = 8.0f * std::fabs(at(k));
        for (int j = -24; j < 24; ++j) cost += std::fabs(at(k + j)) / 48.0f;
        if (cost < bestCost) {
            bestCost = cost;
            best = k;
        }
    }
    std::rotate(s.begin(), s.begin() + best, s.end());
}

}  // namespace snd
