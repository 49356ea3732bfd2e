// Keeps the synthesizer's own messages, and those of the libraries it reads fonts with, off
// the player's terminal: what the player needs to know the game says itself, in one line.
#pragma once

namespace dmusic_detail {

// Silences the synthesizer's log and GLib's (through which the synthesizer's font readers
// report); called before any synthesizer is made. Only the first call does anything.
void QuietSynthLog();

}  // namespace dmusic_detail
