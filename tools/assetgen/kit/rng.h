// A small fixed-seed random generator and a hash of two integers, so every run draws exactly the same pictures.
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    std::uint32_t Next() {
        // xorshift32: tiny, fast and the same on every machine.
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform integer in [lo, hi] inclusive.
    int Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1)); }
    // Uniform float in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }
    bool Chance(int percent) { return Range(0, 99) < percent; }

private:
    std::uint32_t state_;
};

// A fixed scramble of two integers, for tile-to-tile and board-to-board changes that repeat exactly.
inline std::uint32_t Hash(int a, int b) {
    std::uint32_t h = static_cast<std::uint32_t>(a) * 73856093u ^ static_cast<std::uint32_t>(b) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}
