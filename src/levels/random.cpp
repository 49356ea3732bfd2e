// The game's pseudo-random numbers: a 32-bit xorshift generator whose top 15 bits are
// handed out, so the range is 0..32767 whatever the machine.
#include "levels/random.h"

namespace {

std::uint32_t state = 0x2545F491u;

}  // namespace

void SeedRandom(std::uint32_t seed) {
    // Spread the seed so that neighbouring seconds start far apart; xorshift needs a
    // state that is not zero.
    std::uint32_t s = seed * 0x9E3779B1u + 0x7F4A7C15u;
    s ^= s >> 16;
    state = s != 0 ? s : 0x2545F491u;
    for (int i = 0; i < 4; ++i) NextRandom();
}

int NextRandom() {
    std::uint32_t x = state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    state = x;
    return static_cast<int>(x >> 17);
}

double RandomUnit() {
    return NextRandom() * 32769.0 / 1073741824.0;
}
