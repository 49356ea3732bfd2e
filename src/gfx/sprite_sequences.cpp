// The holders of shared animation sequences, counted by array.
#include "gfx/sprite_sequences.h"

#include <unordered_map>

namespace sprite_sequences {
namespace {

// Arrays held by more than one sprite, with the count of holders besides the first. An array
// missing here has one holder. Sprites are made and changed on the game's thread alone.
std::unordered_map<const int*, int>& SharedArrays() {
    static std::unordered_map<const int*, int> shared;
    return shared;
}

}  // namespace

void Share(const int* sequence) {
    if (sequence) ++SharedArrays()[sequence];
}

bool Release(const int* sequence) {
    if (!sequence) return false;
    auto& shared = SharedArrays();
    const auto found = shared.find(sequence);
    if (found == shared.end()) return true;
    if (--found->second == 0) shared.erase(found);
    return false;
}

int OtherHolders(const int* sequence) {
    const auto& shared = SharedArrays();
    const auto found = shared.find(sequence);
    return found == shared.end() ? 0 : found->second;
}

}  // namespace sprite_sequences
