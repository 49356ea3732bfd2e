// Writes standard MIDI files: format 1, a tempo track first, then one track per instrument.
#include "kit/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "kit/byte_out.h"

namespace {

std::uint8_t Byte(int v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(Byte(static_cast<int>(v >> shift)));
}

// Variable-length quantity: seven bits per byte, most significant first, high bit on all but the last.
void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
    std::uint8_t tmp[5];
    int n = 0;
    do {
        tmp[n++] = static_cast<std::uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(tmp[--n] | 0x80));
    out.push_back(tmp[0]);
}

}  // namespace

void MidiTrack::Meta(std::uint32_t tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> bytes = {0xFF, type};
    PutVarLen(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    events_.push_back({tick, EventOrder::Meta, bytes});
}

void MidiTrack::Text(std::uint32_t tick, std::uint8_t type, const std::string& text) {
    Meta(tick, type, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void MidiTrack::Tempo(std::uint32_t tick, double bpm) {
    const std::uint32_t us = static_cast<std::uint32_t>(std::lround(60000000.0 / bpm));
    Meta(tick, 0x51, {Byte(static_cast<int>(us >> 16)), Byte(static_cast<int>(us >> 8)), Byte(static_cast<int>(us))});
}

void MidiTrack::TimeSignature(std::uint32_t tick, int beats, int beatValue) {
    int power = 0;
    while ((1 << power) < beatValue) ++power;
    Meta(tick, 0x58, {Byte(beats), Byte(power), 24, 8});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
    events_.push_back({tick, EventOrder::Setup, {Byte(0xC0 | channel), Byte(program & 0x7F)}});
}

void MidiTrack::Control(std::uint32_t tick, int channel, int controller, int value) {
    events_.push_back({tick, EventOrder::Setup, {Byte(0xB0 | channel), Byte(controller & 0x7F), Byte(value & 0x7F)}});
}

void MidiTrack::Note(std::uint32_t onTick, std::uint32_t offTick, int channel, int pitch, int velocity) {
    if (offTick <= onTick) offTick = onTick + 1;
    velocity = std::clamp(velocity, 1, 127);
    events_.push_back({onTick, EventOrder::NoteOn, {Byte(0x90 | channel), Byte(pitch & 0x7F), Byte(velocity)}});
    events_.push_back({offTick, EventOrder::NoteOff, {Byte(0x80 | channel), Byte(pitch & 0x7F), 64}});
}

bool WriteMidi(const std::string& path, int ticksPerQuarter, const std::vector<MidiTrack>& tracks,
               std::uint32_t endTick) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.push_back(Byte(static_cast<int>(tracks.size() >> 8)));
    out.push_back(Byte(static_cast<int>(tracks.size())));
    out.push_back(Byte(ticksPerQuarter >> 8));
    out.push_back(Byte(ticksPerQuarter));
    for (const MidiTrack& track : tracks) {
        std::vector<MidiEvent> events = track.Events();
        std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<std::uint8_t> body;
        std::uint32_t now = 0;
        for (const MidiEvent& e : events) {
            if (e.tick > endTick) {
                std::fprintf(stderr, "assetgen: %s: an event at tick %u lies past the end (%u)\n", path.c_str(), e.tick,
                             endTick);
                return false;
            }
            PutVarLen(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        PutVarLen(body, endTick - now);
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        PutBig32(out, static_cast<std::uint32_t>(body.size()));
        out.insert(out.end(), body.begin(), body.end());
    }
    return WriteBytes(path, out);
}
