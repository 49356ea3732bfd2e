// The MIDI writer: the file's header, track chunk lengths, delta times as variable-length
// numbers, the order of events on one tick, the meta events and the end of every track,
// read back with a small strict reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "kit/midi_writer.h"
#include "tools/assetgen/midi_reading.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class MidiWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / ("assetgen_midi_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(MidiWriterTest, HeaderAndChunksCarryTheirLengths) {
    std::vector<MidiTrack> tracks(3);
    tracks[1].Note(0, 240, 0, 60, 100);
    tracks[2].Text(0, 0x03, "Bass line");
    const std::string path = Path("chunks.mid");
    ASSERT_TRUE(WriteMidi(path, 480, tracks, 960));
    const Bytes bytes = midiread::ReadAll(path);
    // Format 1, three tracks, 480 ticks a quarter note.
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 14),
              Bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, 0x01, 0xE0}));
    const midiread::File file = midiread::Parse(bytes);  // throws on any chunk length that lies
    ASSERT_EQ(file.tracks.size(), 3u);
    // An empty track is only its end, placed at the end tick.
    ASSERT_EQ(file.tracks[0].events.size(), 1u);
    EXPECT_EQ(file.tracks[0].events[0].tick, 960u);
    EXPECT_EQ(file.tracks[0].events[0].bytes, Bytes({0xFF, 0x2F, 0x00}));
    const auto& notes = file.tracks[1].events;
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].bytes, Bytes({0x90, 60, 100}));
    EXPECT_EQ(notes[1].tick, 240u);
    EXPECT_EQ(notes[1].bytes, Bytes({0x80, 60, 64}));
    EXPECT_EQ(file.tracks[2].events[0].bytes, Bytes({0xFF, 0x03, 9, 'B', 'a', 's', 's', ' ', 'l', 'i', 'n', 'e'}));
}

TEST_F(MidiWriterTest, DeltaTimesAreVariableLengthNumbers) {
    // Notes whose gaps sit on each side of every byte boundary of the encoding.
    const std::vector<std::uint32_t> gaps = {0, 127, 128, 16383, 16384, 2097151, 2097152};
    MidiTrack track;
    std::uint32_t at = 0;
    for (std::uint32_t gap : gaps) {
        at += gap;
        track.Note(at, at + 1, 0, 60, 90);
        at += 1;
    }
    const std::string path = Path("deltas.mid");
    ASSERT_TRUE(WriteMidi(path, 96, {track}, at));
    const Bytes bytes = midiread::ReadAll(path);
    // The first track's bytes: the first delta is 0, then note-on, then delta 1 and note-off,
    // then the gap 127 as one byte.
    const Bytes start(bytes.begin() + 22, bytes.begin() + 22 + 14);
    EXPECT_EQ(start, Bytes({0x00, 0x90, 60, 90, 0x01, 0x80, 60, 64, 0x7F, 0x90, 60, 90, 0x01, 0x80}));
    // The gaps as they stand in the file, found after each note-off.
    const std::vector<Bytes> encoded = {
        {0x81, 0x00}, {0xFF, 0x7F}, {0x81, 0x80, 0x00}, {0xFF, 0xFF, 0x7F}, {0x81, 0x80, 0x80, 0x00}};
    std::size_t pos = 22 + 16;  // past the second note's off and its pitch and velocity
    for (const Bytes& want : encoded) {
        SCOPED_TRACE(::testing::PrintToString(want));
        ASSERT_LE(pos + want.size(), bytes.size());
        EXPECT_EQ(Bytes(bytes.begin() + pos, bytes.begin() + pos + want.size()), want);
        pos += want.size() + 3 + 1 + 3;  // the gap, note-on, delta 1, note-off
    }
    const midiread::File file = midiread::Parse(bytes);
    std::vector<std::uint32_t> onTicks;
    for (const auto& e : file.tracks[0].events)
        if (e.bytes[0] == 0x90) onTicks.push_back(e.tick);
    std::vector<std::uint32_t> want;
    at = 0;
    for (std::uint32_t gap : gaps) {
        at += gap;
        want.push_back(at);
        at += 1;
    }
    EXPECT_EQ(onTicks, want);
}

TEST_F(MidiWriterTest, OneTickHoldsSettingsThenNoteOffsThenNoteOns) {
    MidiTrack track;
    // Given out of order: a note starting where the last one of the same pitch ends, and the
    // settings for the channel at that tick.
    track.Note(100, 200, 2, 64, 80);
    track.Note(0, 100, 2, 64, 80);
    track.Control(100, 2, 7, 99);
    track.Program(100, 2, 33);
    const std::string path = Path("order.mid");
    ASSERT_TRUE(WriteMidi(path, 480, {track}, 200));
    const midiread::File file = midiread::Parse(midiread::ReadAll(path));
    std::vector<Bytes> at100;
    for (const auto& e : file.tracks[0].events)
        if (e.tick == 100) at100.push_back(e.bytes);
    // Settings keep the order they were given in.
    EXPECT_EQ(at100, std::vector<Bytes>({{0xB2, 7, 99}, {0xC2, 33}, {0x82, 64, 64}, {0x92, 64, 80}}));
}

TEST_F(MidiWriterTest, MetaEventsTempoAndTimeSignature) {
    MidiTrack track;
    track.Tempo(0, 120.0);
    track.Tempo(480, 116.0);
    track.TimeSignature(0, 4, 4);
    track.TimeSignature(960, 6, 8);
    const std::string path = Path("meta.mid");
    ASSERT_TRUE(WriteMidi(path, 480, {track}, 960));
    const midiread::File file = midiread::Parse(midiread::ReadAll(path));
    const auto& e = file.tracks[0].events;
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].bytes, Bytes({0xFF, 0x51, 3, 0x07, 0xA1, 0x20}));  // 500000 microseconds a beat
    EXPECT_EQ(e[1].bytes, Bytes({0xFF, 0x58, 4, 4, 2, 24, 8}));       // 4/4: the beat as a power of two
    EXPECT_EQ(e[2].tick, 480u);
    EXPECT_EQ(e[2].bytes, Bytes({0xFF, 0x51, 3, 0x07, 0xE4, 0x79}));  // 60000000 / 116 is 517241.4
    EXPECT_EQ(e[3].tick, 960u);
    EXPECT_EQ(e[3].bytes, Bytes({0xFF, 0x58, 4, 6, 3, 24, 8}));
    EXPECT_EQ(e[4].bytes, Bytes({0xFF, 0x2F, 0x00}));
}

TEST_F(MidiWriterTest, NotesAreKeptInRange) {
    MidiTrack track;
    track.Note(10, 10, 9, 38, 200);  // no length, too loud: one tick long, at the loudest
    track.Note(20, 30, 9, 42, -5);   // too soft: at the softest that still sounds
    const std::string path = Path("range.mid");
    ASSERT_TRUE(WriteMidi(path, 480, {track}, 40));
    const midiread::File file = midiread::Parse(midiread::ReadAll(path));
    const auto& e = file.tracks[0].events;
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].bytes, Bytes({0x99, 38, 127}));
    EXPECT_EQ(e[1].tick, 11u);
    EXPECT_EQ(e[1].bytes, Bytes({0x89, 38, 64}));
    EXPECT_EQ(e[2].bytes, Bytes({0x99, 42, 1}));
}

TEST_F(MidiWriterTest, RefusesEventsPastTheEndAndUnwritablePaths) {
    MidiTrack track;
    track.Note(0, 500, 0, 60, 90);
    const std::string path = Path("late.mid");
    EXPECT_FALSE(WriteMidi(path, 480, {track}, 480));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(WriteMidi(Path("no/such/folder/x.mid"), 480, {MidiTrack()}, 0));
}

}  // namespace
