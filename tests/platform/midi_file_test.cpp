// Our MIDI file reader: the length and instruments of good pieces, and a clean refusal of
// every kind of damage the synthesizer's own reader would take badly.
#include "platform/dmusic/midi_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

Bytes Header(int format, int tracks, int division) {
    Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    for (int v : {format, tracks, division}) {
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        b.push_back(static_cast<std::uint8_t>(v));
    }
    return b;
}

// A track chunk around `events`; `declared` overrides the chunk's length when not -1.
void AddTrack(Bytes& file, const Bytes& events, long long declared = -1) {
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    Put32(file, declared >= 0 ? static_cast<std::uint32_t>(declared) : static_cast<std::uint32_t>(events.size()));
    file.insert(file.end(), events.begin(), events.end());
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

bool Read(const Bytes& file, platform::MidiSummary& s, std::string& why) {
    return platform::ReadMidiFile(file.data(), file.size(), s, why);
}

TEST(MidiFile, LengthFollowsEveryTempoChangeOfEveryTrack) {
    // 96 ticks a quarter. Track 0: tempo 500000 (0.5 s a quarter) at 0, 250000 at tick 192.
    // Track 1: a note from 0 to tick 384. 192 ticks at 0.5 s/96 = 1 s, then 192 at 0.25 s/96.
    Bytes file = Header(1, 2, 96);
    AddTrack(
        file,
        Concat({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}, {0x81, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90}, kEnd}));
    AddTrack(file, Concat({{0x00, 0x90, 60, 100}, {0x83, 0x00, 0x80, 60, 0}, kEnd}));
    platform::MidiSummary s;
    std::string why;
    ASSERT_TRUE(Read(file, s, why)) << why;
    EXPECT_EQ(2, s.tracks);
    EXPECT_DOUBLE_EQ(1.5, s.seconds);
}

TEST(MidiFile, InstrumentsAreTheProgramsNotesCanSoundOn) {
    Bytes file = Header(1, 2, 96);
    // Channel 0: bank 0, program 24 before its first note. Channel 1: a note first (the
    // default instrument sounds), then program 40. Running status carries the second note.
    AddTrack(file, Concat({{0x00, 0xC0, 24},
                           {0x00, 0x90, 60, 90},
                           {0x10, 61, 90},
                           {0x00, 0x91, 64, 90},
                           {0x10, 0xC1, 40},
                           {0x10, 0x91, 65, 90},
                           kEnd}));
    // The drum channel picks kit 8 in another track at the same tick as its first note.
    AddTrack(file, Concat({{0x00, 0xC9, 8}, {0x00, 0x99, 36, 100}, kEnd}));
    platform::MidiSummary s;
    std::string why;
    ASSERT_TRUE(Read(file, s, why)) << why;
    const std::set<std::pair<int, int>> expected = {{0, 24}, {0, 0}, {0, 40}, {128, 8}};
    EXPECT_EQ(expected, s.instruments);
    EXPECT_EQ(std::make_pair(0, 24), s.startInstruments[0]);
    EXPECT_EQ(std::make_pair(0, 0), s.startInstruments[1]);
    EXPECT_EQ(std::make_pair(128, 8), s.startInstruments[9]);
    EXPECT_EQ(std::make_pair(-1, -1), s.startInstruments[2]) << "a silent channel is left alone";
}

TEST(MidiFile, DamagedFilesAreRefusedWithAReason) {
    const Bytes note = {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0};
    struct Case {
        const char* name;
        Bytes file;
    };
    std::vector<Case> cases;
    cases.push_back({"not a MIDI header", Concat({{'R', 'I', 'F', 'F'}, Bytes(20, 0)})});
    cases.push_back({"truncated header", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}});
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, Concat({{0x00, 0xFF, 0x51, 0x03, 0, 0, 0}, note, kEnd}));
        cases.push_back({"tempo 0", f});
    }
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, Concat({note, kEnd}), 1000);
        cases.push_back({"track chunk past the end of the file", f});
    }
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, Concat({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}, kEnd}));
        cases.push_back({"delta time of 5 bytes", f});
    }
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, Concat({{0x00, 60, 100}, kEnd}));
        cases.push_back({"running status with none in force", f});
    }
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, Concat({note, {0x00, 0xFF, 0x01, 0x7F, 'a'}}));
        cases.push_back({"meta event past its track", f});
    }
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, Concat({note, {0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F, 0x01}}));
        cases.push_back({"SysEx claiming 32 MB", f});
    }
    {
        Bytes f = Header(1, 200, 96);
        for (int i = 0; i < 200; ++i) AddTrack(f, Concat({note, kEnd}));
        cases.push_back({"200 tracks", f});
    }
    {
        Bytes f = Header(0, 1, 96);
        AddTrack(f, kEnd);
        cases.push_back({"a piece of no length", f});
    }
    {
        Bytes f = Header(1, 3, 96);
        AddTrack(f, Concat({note, kEnd}));
        cases.push_back({"fewer tracks than declared", f});
    }
    {
        Bytes f = Header(0, 1, 0);
        AddTrack(f, Concat({note, kEnd}));
        cases.push_back({"division 0", f});
    }
    for (const Case& c : cases) {
        platform::MidiSummary s;
        std::string why;
        EXPECT_FALSE(Read(c.file, s, why)) << c.name;
        EXPECT_FALSE(why.empty()) << c.name;
        // Every prefix of a damaged file is refused too, and never read past.
        for (std::size_t cut = 0; cut < c.file.size(); cut += 3) {
            Bytes prefix(c.file.begin(), c.file.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_FALSE(Read(prefix, s, why)) << c.name << " cut at " << cut;
        }
    }
}

TEST(MidiFile, UnknownChunksAreSkippedAndTimeCodeDivisionsCount) {
    // 25 frames a second, 40 ticks a frame: 1000 ticks a second.
    Bytes file = Header(0, 1, (0xE7 << 8) | 40);
    file.insert(file.end(), {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0xAA, 0xBB});
    AddTrack(file, Concat({{0x00, 0x90, 60, 100}, {0x87, 0x68, 0x80, 60, 0}, kEnd}));  // 1000 ticks
    platform::MidiSummary s;
    std::string why;
    ASSERT_TRUE(Read(file, s, why)) << why;
    EXPECT_DOUBLE_EQ(1.0, s.seconds);
}

}  // namespace
