// Writes standard MIDI files: format 1, a tempo track first, then one track per instrument.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where an event goes among the events of the same tick: meta events and settings first, then
// note-offs, then note-ons, so a note struck again where the last one ends is heard.
enum class EventOrder { Meta, Setup, NoteOff, NoteOn };

struct MidiEvent {
    std::uint32_t tick;
    EventOrder order;
    std::vector<std::uint8_t> bytes;
};

class MidiTrack {
public:
    void Meta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data);
    void Text(std::uint32_t tick, std::uint8_t type, const std::string& text);
    void Tempo(std::uint32_t tick, double bpm);
    void TimeSignature(std::uint32_t tick, int beats, int beatValue);
    void Program(std::uint32_t tick, int channel, int program);
    void Control(std::uint32_t tick, int channel, int controller, int value);
    void Note(std::uint32_t onTick, std::uint32_t offTick, int channel, int pitch, int velocity);

    const std::vector<MidiEvent>& Events() const { return events_; }

private:
    std::vector<MidiEvent> events_;
};

// Every track ends with its end-of-track event at endTick, so the piece is exactly that long.
// Returns false (and says why) when an event lies past endTick or the file cannot be written.
bool WriteMidi(const std::string& path, int ticksPerQuarter, const std::vector<MidiTrack>& tracks,
               std::uint32_t endTick);
