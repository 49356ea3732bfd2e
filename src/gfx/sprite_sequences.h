// Who holds a sprite's animation sequences. The sprite that stores a sequence holds it, and
// every clone made while it does holds it too; a sequence is freed by its last holder only,
// so reloading or destroying one sprite never pulls an array out from under another.
#pragma once

namespace sprite_sequences {

// One more sprite holds the sequence (a clone was made of a sprite holding it).
void Share(const int* sequence);
// A sprite lets go of the sequence: true when no other sprite holds it, so the caller frees it.
bool Release(const int* sequence);
// How many sprites besides one hold the sequence (tests).
int OtherHolders(const int* sequence);

}  // namespace sprite_sequences
