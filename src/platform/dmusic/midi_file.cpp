// The MIDI file reader: header, track chunks, events, tempo map and instruments.
#include "platform/dmusic/midi_file.h"

#include <algorithm>
#include <map>
#include <vector>

namespace platform {
namespace {

constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;
constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds a quarter note: 120 beats a minute

std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

std::uint16_t Be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// A cursor over one track's bytes that never reads past them.
class TrackReader {
public:
    TrackReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return at_ >= size_; }
    std::size_t Left() const { return size_ - at_; }
    bool Byte(std::uint8_t& value) {
        if (at_ >= size_) return false;
        value = data_[at_++];
        return true;
    }
    bool Peek(std::uint8_t& value) const {
        if (at_ >= size_) return false;
        value = data_[at_];
        return true;
    }
    // A variable-length number: 7 bits a byte, high bit set on all but the last; 4 bytes at most.
    bool Number(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = 0;
            if (!Byte(b)) return false;
            value = value << 7 | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Skip(std::uint32_t count) {
        if (count > Left()) return false;
        at_ += count;
        return true;
    }
    const std::uint8_t* Here() const { return data_ + at_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

struct TrackFacts {
    std::uint64_t endTick = 0;
    std::vector<std::pair<std::uint64_t, std::uint32_t>> tempos;  // (tick, microseconds a quarter)
};

// Where an event stands in the order the file player meets it: by tick, then track,
// then place in the track.
using EventOrder = std::array<std::uint64_t, 3>;
constexpr EventOrder kNever = {~0ull, ~0ull, ~0ull};

struct ChannelUse {
    std::set<int> banks{0};
    std::set<int> programs;
    EventOrder firstNote = kNever;
    EventOrder firstChange = kNever;
    int firstProgram = 0;
};

// Reads one track's events. False with the reason when the track is damaged.
bool ReadTrack(TrackReader track, int trackIndex, TrackFacts& facts, ChannelUse (&channels)[16], std::string& why) {
    std::uint64_t tick = 0;
    std::uint64_t eventIndex = 0;
    std::uint8_t status = 0;  // the running status; 0 while none is in force
    while (!track.AtEnd()) {
        std::uint32_t delta = 0;
        if (!track.Number(delta)) {
            why = "a delta time is longer than 4 bytes or cut off";
            return false;
        }
        tick += delta;
        std::uint8_t first = 0;
        if (!track.Peek(first)) {
            why = "a track ends after a delta time";
            return false;
        }
        if (first == 0xFF) {
            track.Byte(first);
            std::uint8_t type = 0;
            std::uint32_t length = 0;
            if (!track.Byte(type) || !track.Number(length) || length > track.Left()) {
                why = "a meta event runs past its track";
                return false;
            }
            if (type == 0x51) {
                if (length < 3) {
                    why = "a tempo event is too short";
                    return false;
                }
                const std::uint8_t* p = track.Here();
                const std::uint32_t tempo = static_cast<std::uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
                if (tempo == 0) {
                    why = "a tempo of 0";
                    return false;
                }
                facts.tempos.emplace_back(tick, tempo);
            }
            track.Skip(length);
            facts.endTick = std::max(facts.endTick, tick);
            if (type == 0x2F) return true;  // end of track: anything after it is ignored
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            track.Byte(first);
            std::uint32_t length = 0;
            if (!track.Number(length) || length > track.Left()) {
                why = "a SysEx message runs past its track";
                return false;
            }
            track.Skip(length);
            facts.endTick = std::max(facts.endTick, tick);
            continue;
        }
        if (first & 0x80) {
            if (first > 0xEF) {
                why = "a system message inside a track";
                return false;
            }
            track.Byte(first);
            status = first;
        } else if (status == 0) {
            why = "running status with no status in force";
            return false;
        }
        const int kind = status & 0xF0;
        const int channel = status & 0x0F;
        const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        std::uint8_t data[2] = {0, 0};
        for (int i = 0; i < dataBytes; ++i) {
            if (!track.Byte(data[i]) || (data[i] & 0x80)) {
                why = "a channel message is cut off";
                return false;
            }
        }
        ChannelUse& use = channels[channel];
        const EventOrder order = {tick, static_cast<std::uint64_t>(trackIndex), eventIndex++};
        if (kind == 0xC0) {
            use.programs.insert(data[0]);
            if (order < use.firstChange) {
                use.firstChange = order;
                use.firstProgram = data[0];
            }
        }
        if (kind == 0xB0 && data[0] == 0) use.banks.insert(data[1]);
        if (kind == 0x90 && data[1] > 0 && order < use.firstNote) use.firstNote = order;
        facts.endTick = std::max(facts.endTick, tick);
    }
    return true;  // a track may end without its end-of-track event; the player accepts it
}

// Ticks to seconds with every tempo change of every track applied in tick order.
double SecondsAt(std::uint64_t endTick, std::vector<std::pair<std::uint64_t, std::uint32_t>> tempos, int division) {
    if (division & 0x8000) {
        // Time code: frames a second (negated in the high byte) times ticks a frame.
        const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
        const int ticksPerFrame = division & 0xFF;
        return static_cast<double>(endTick) / (framesPerSecond * ticksPerFrame);
    }
    std::stable_sort(tempos.begin(), tempos.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    double seconds = 0;
    std::uint64_t at = 0;
    std::uint32_t tempo = kDefaultTempo;
    for (const auto& change : tempos) {
        if (change.first >= endTick) break;
        seconds += static_cast<double>(change.first - at) * tempo / 1e6 / division;
        at = change.first;
        tempo = change.second;
    }
    seconds += static_cast<double>(endTick - at) * tempo / 1e6 / division;
    return seconds;
}

}  // namespace

bool ReadMidiFile(const std::uint8_t* data, std::size_t size, MidiSummary& summary, std::string& why) {
    summary = MidiSummary{};
    if (!data || size < 14 || Be32(data) != 0x4D546864 /* MThd */) {
        why = "not a MIDI file";
        return false;
    }
    const std::uint32_t headerLength = Be32(data + 4);
    if (headerLength < 6 || headerLength > size - 8) {
        why = "the header chunk has a wrong length";
        return false;
    }
    summary.format = Be16(data + 8);
    const int declaredTracks = Be16(data + 10);
    const int division = Be16(data + 12);
    if (summary.format > 2) {
        why = "an unknown file format";
        return false;
    }
    if (declaredTracks == 0 || declaredTracks > kMostMidiTracks) {
        why = "no tracks, or more tracks than the synthesizer keeps";
        return false;
    }
    if (division == 0 || ((division & 0x8000) && (division & 0xFF) == 0)) {
        why = "a time division of 0";
        return false;
    }

    ChannelUse channels[16];
    TrackFacts facts;
    std::uint64_t endTick = 0;
    std::size_t at = 8 + headerLength;
    while (summary.tracks < declaredTracks && size - at >= 8) {
        const std::uint32_t id = Be32(data + at);
        const std::uint32_t length = Be32(data + at + 4);
        at += 8;
        if (length > size - at) {
            why = "a chunk runs past the end of the file";
            return false;
        }
        if (id == 0x4D54726B /* MTrk */) {
            TrackFacts track;
            if (!ReadTrack(TrackReader(data + at, length), summary.tracks, track, channels, why)) return false;
            endTick = std::max(endTick, track.endTick);
            facts.tempos.insert(facts.tempos.end(), track.tempos.begin(), track.tempos.end());
            ++summary.tracks;
        }
        at += length;  // chunks of other kinds are skipped
    }
    if (summary.tracks < declaredTracks) {
        why = "fewer tracks than the header declares";
        return false;
    }
    summary.seconds = SecondsAt(endTick, facts.tempos, division);
    if (!(summary.seconds > 0)) {
        why = "a piece of no length";
        return false;
    }
    for (int channel = 0; channel < 16; ++channel) {
        ChannelUse& use = channels[channel];
        const bool defaultSounds = use.firstNote != kNever && use.firstNote < use.firstChange;
        if (defaultSounds) use.programs.insert(0);
        const int startBank = channel == kDrumChannel ? kDrumBank : 0;
        summary.startInstruments[channel] = {startBank, defaultSounds ? 0 : use.firstProgram};
        if (use.firstNote == kNever) summary.startInstruments[channel] = {-1, -1};
        for (int program : use.programs) {
            if (channel == kDrumChannel) {
                summary.instruments.insert({kDrumBank, program});
                continue;
            }
            for (int bank : use.banks) summary.instruments.insert({bank, program});
        }
    }
    return true;
}

}  // namespace platform
