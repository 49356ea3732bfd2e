// Writes standard MIDI files: format 1, a tempo track first, then one track per instrument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MidiEvent {
    std::uint32_t tick;
    int order;  // among events on the same tick: settings first, then note-offs, then note-ons
    std::vector<std::uint8_t> bytes;
};

class MidiTrack {
public:
    enum Order { kMeta = 0, kSetup = 1, kNoteOff = 2, kNoteOn = 3 };

    void Meta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data);
    void Text(std::uint32_t tick, std::uint8_t type, const std::string& text);
    void Tempo(std::uint32_t tick, double bpm);
    void TimeSignature(std::uint32_t tick, int beats, int beat_value);
    void Program(std::uint32_t tick, int channel, int program);
    void Control(std::uint32_t tick, int channel, int controller, int value);
    void Note(std::uint32_t on_tick, std::uint32_t off_tick, int channel, int pitch, int velocity);

    const std::vector<MidiEvent>& events() const { return events_; }

private:
    std::vector<MidiEvent> events_;
};

// Every track ends with its end-of-track event at end_tick, so the piece is exactly that long.
// Returns false (and says why) when an event lies past end_tick or the file cannot be written.
bool WriteMidi(const std::string& path, int ticks_per_quarter, const std::vector<MidiTrack>& tracks,
               std::uint32_t end_tick);
