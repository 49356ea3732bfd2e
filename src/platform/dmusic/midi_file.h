// Our own reader of standard MIDI files: checks a file's structure before the synthesizer
// sees it, and tells how long the piece lasts and which instruments it plays.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

namespace platform {

// The most tracks a piece may have: what the synthesizer's file player keeps.
constexpr int kMostMidiTracks = 128;

struct MidiSummary {
    int format = 0;
    int tracks = 0;
    // From the start to the last event of any track, with every tempo change applied.
    double seconds = 0;
    // (bank, program) of every instrument a note may sound on: each program change with
    // the banks selected on its channel (the drum channel plays from the drum bank, 128),
    // and a channel's default instrument (program 0) when a note plays before any change.
    std::set<std::pair<int, int>> instruments;
    // The instrument each channel should start the piece with: the first program change
    // when it comes before the channel's first note, else the default; (-1, -1) on a
    // channel that plays no note.
    std::array<std::pair<int, int>, 16> startInstruments{};
};

// Reads the file's bytes. False, with the reason in `why`, when the header is not a MIDI
// header, a track chunk runs past the end of the file, a variable-length number is longer
// than 4 bytes, an event needs running status with none in force, a meta event or SysEx
// runs past its track, a tempo is 0, there are more than kMostMidiTracks tracks, or the
// piece has no length at all.
bool ReadMidiFile(const std::uint8_t* data, std::size_t size, MidiSummary& summary, std::string& why);

}  // namespace platform
