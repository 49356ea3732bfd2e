// The tune kit: note names, melodies (notes, rests, lengths, accents, bar lines), chord
// progressions, bass and chord rhythms, drum patterns, the MIDI file a tune becomes, and the
// messages that name the tune and the bar of a mistake in the text.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "kit/tune_kit.h"
#include "tools/assetgen/midi_reading.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct HitAt {
    double on, off;
    int pitch, velocity;
};

// The part's notes as (on, off, pitch, velocity), in the order they were written.
std::vector<HitAt> HitsOf(const Part& part) {
    std::vector<HitAt> out;
    for (const Part::Hit& h : part.Hits()) out.push_back({h.on, h.off, h.pitch, h.velocity});
    return out;
}

void ExpectHits(const Part& part, const std::vector<HitAt>& want) {
    const std::vector<HitAt> got = HitsOf(part);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE("note " + std::to_string(i));
        EXPECT_DOUBLE_EQ(got[i].on, want[i].on);
        EXPECT_DOUBLE_EQ(got[i].off, want[i].off);
        EXPECT_EQ(got[i].pitch, want[i].pitch);
        EXPECT_EQ(got[i].velocity, want[i].velocity);
    }
}

// The message of the TuneError that run throws, or a note that it threw none.
template <typename Run>
std::string TuneMistake(Run run) {
    try {
        run();
    } catch (const TuneError& e) {
        return e.what();
    }
    return "(no TuneError)";
}

TEST(TunePitch, NamesCountFromMiddleCAsSixty) {
    EXPECT_EQ(Pitch("C4"), 60);
    EXPECT_EQ(Pitch("A4"), 69);
    EXPECT_EQ(Pitch("F#5"), 78);
    EXPECT_EQ(Pitch("Bb3"), 58);
    EXPECT_EQ(Pitch("Ebb4"), 62);
    // Sharps and flats may cross into the next octave.
    EXPECT_EQ(Pitch("B#4"), 72);
    EXPECT_EQ(Pitch("Cb4"), 59);
    EXPECT_EQ(Pitch("C-1"), 0);
    EXPECT_EQ(Pitch("G9"), 127);
    for (const char* bad : {"", "H5", "c4", "C", "C#", "C4x", "C 4", "G#9", "Cb-1", "C-2"})
        EXPECT_THROW(Pitch(bad), std::invalid_argument) << bad;
}

TEST(TuneMelody, NotesRestsLengthsAndAccentsFollowOneAnother) {
    Tune tune("test", "Test", 120, 4);
    Part& lead = tune.AddPart("Lead", 0, 73, 100, 64);
    lead.Gate(0.5);
    const double end = lead.Melody(4, "C4:1 r:.5 E4:.5 G4:2! | A4:1_ B4:3", 80);
    EXPECT_DOUBLE_EQ(end, 12);
    // Each note sounds for half its length (the gate), '_' for all of it; '!' is 14 louder.
    ExpectHits(lead, {{4, 4.5, 60, 80}, {5.5, 5.75, 64, 80}, {6, 7, 67, 94}, {8, 9, 69, 80}, {9, 10.5, 71, 80}});
}

TEST(TuneMelody, SwingStretchesTheFirstHalfOfEachBeat) {
    Tune tune("test", "Test", 120, 4);
    Part& lead = tune.AddPart("Lead", 0, 73, 100, 64);
    lead.Gate(1.0).Swing(0.75);
    lead.Melody(0, "C4:.5 D4:.5 E4:1", 80);
    ExpectHits(lead, {{0, 0.75, 60, 80}, {0.75, 1, 62, 80}, {1, 2, 64, 80}});
}

TEST(TuneMelody, BarLinesOffTheBeatNameTheBarThatIsWrong) {
    Tune tune("test", "Test", 120, 4);
    Part& lead = tune.AddPart("Lead", 0, 73, 100, 64);
    // Bars count from 1: the melody starts in bar 3.
    EXPECT_EQ(TuneMistake([&] { lead.Melody(tune.Bar(2), "C4:4 | D4:4 | E4:3 | F4:1", 80); }),
              "tune \"test\", bar 5: the bar holds 3 beats, not 4");
    EXPECT_EQ(TuneMistake([&] { lead.Melody(tune.Bar(2), "C4:4 | D4:5 |", 80); }),
              "tune \"test\", bar 4: the bar holds 5 beats, not 4");
    Tune waltz("waltz", "Waltz", 90, 3);
    Part& tune3 = waltz.AddPart("Lead", 0, 73, 100, 64);
    EXPECT_EQ(TuneMistake([&] { tune3.Melody(0, "C4:1 D4:1 E4:1 | F4:2 | G4:3", 80); }),
              "tune \"waltz\", bar 2: the bar holds 2 beats, not 3");
    // A melody that starts inside a bar and reaches the line on time is fine.
    EXPECT_DOUBLE_EQ(tune3.Melody(1.5, "C4:1.5 | D4:3 |", 80), 6);
}

TEST(TuneMelody, MistakesNameTheTuneAndTheBar) {
    Tune tune("menu", "Menu", 120, 4);
    Part& lead = tune.AddPart("Lead", 0, 73, 100, 64);
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"H:1", "tune \"menu\", bar 7: unknown note 'H'"},
        {"C4:4 | C4:2 H4:2", "tune \"menu\", bar 8: unknown note 'H4'"},
        {"C4", "tune \"menu\", bar 7: 'C4' has no length"},
        {"C4:0", "tune \"menu\", bar 7: 'C4:0' has no length above zero"},
        {"C4:x", "tune \"menu\", bar 7: 'C4:x' has no length above zero"},
        {"C4:-1", "tune \"menu\", bar 7: 'C4:-1' has no length above zero"},
        {"C4:1?", "tune \"menu\", bar 7: 'C4:1?' has '?' after its length"},
        {"C:1", "tune \"menu\", bar 7: note 'C' has no octave"},
        {"C4:4 | D4:4 | G#9:1", "tune \"menu\", bar 9: note 'G#9' is out of range"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TuneMistake([&] { lead.Melody(tune.Bar(6), c.text, 80); }), c.message) << c.text;
}

TEST(TuneProgression, BarsShareTheirChordsEvenly) {
    Tune tune("test", "Test", 120, 4);
    const std::vector<Chord> chords = tune.Progression(tune.Bar(1), "F | Am Dm7 | C/E | Bbmaj7 Gsus4 Edim");
    ASSERT_EQ(chords.size(), 7u);
    const struct {
        double beat, length;
        int root, bass;
        std::vector<int> intervals;
    } want[] = {
        {4, 4, 5, 5, {0, 4, 7}},
        {8, 2, 9, 9, {0, 3, 7}},
        {10, 2, 2, 2, {0, 3, 7, 10}},
        {12, 4, 0, 4, {0, 4, 7}},
        {16, 4.0 / 3, 10, 10, {0, 4, 7, 11}},
        {16 + 4.0 / 3, 4.0 / 3, 7, 7, {0, 5, 7}},
        {16 + 8.0 / 3, 4.0 / 3, 4, 4, {0, 3, 6}},
    };
    for (std::size_t i = 0; i < chords.size(); ++i) {
        SCOPED_TRACE("chord " + std::to_string(i));
        EXPECT_DOUBLE_EQ(chords[i].beat, want[i].beat);
        EXPECT_DOUBLE_EQ(chords[i].length, want[i].length);
        EXPECT_EQ(chords[i].root, want[i].root);
        EXPECT_EQ(chords[i].bass, want[i].bass);
        EXPECT_EQ(chords[i].intervals, want[i].intervals);
    }
}

TEST(TuneProgression, MistakesNameTheBar) {
    Tune tune("street", "Street", 168, 4);
    EXPECT_EQ(TuneMistake([&] { tune.Progression(tune.Bar(4), "F | F | Hm"); }),
              "tune \"street\", bar 7: unknown chord 'Hm'");
    EXPECT_EQ(TuneMistake([&] { tune.Progression(0, "F | G Fx7"); }), "tune \"street\", bar 2: unknown chord 'Fx7'");
    EXPECT_EQ(TuneMistake([&] { tune.Progression(0, "C/Q"); }), "tune \"street\", bar 1: unknown chord 'C/Q'");
    EXPECT_EQ(TuneMistake([&] { tune.Progression(0, "C/E7"); }), "tune \"street\", bar 1: unknown chord 'C/E7'");
}

TEST(TuneRhythms, BassStepsFollowTheChords) {
    Tune tune("test", "Test", 120, 4);
    const std::vector<Chord> chords = tune.Progression(0, "C | G");
    Part& bass = tune.AddPart("Bass", 1, 33, 100, 64);
    bass.Gate(1.0);
    bass.Bass(chords, 4, "1:1 3:1 5:1 8:1", 36, 90);
    // Notes on the beat are 4 louder.
    ExpectHits(bass, {{0, 1, 36, 94},
                      {1, 2, 40, 94},
                      {2, 3, 43, 94},
                      {3, 4, 48, 94},
                      {4, 5, 43, 94},
                      {5, 6, 47, 94},
                      {6, 7, 50, 94},
                      {7, 8, 55, 94}});
    // A leading step a semitone under the next chord's root; the last chord leads back to the first.
    Part& walk = tune.AddPart("Walk", 2, 33, 100, 64);
    walk.Gate(1.0);
    walk.Bass(chords, 4, "1:3 >:.5 -:.5", 36, 90);
    ExpectHits(walk, {{0, 3, 36, 94}, {3, 3.5, 42, 94}, {4, 7, 43, 94}, {7, 7.5, 35, 94}});
}

TEST(TuneRhythms, MistakesNameTheBarTheyPlayIn) {
    Tune tune("girders", "Girders", 132, 4);
    const std::vector<Chord> chords = tune.Progression(tune.Bar(2), "G | D7 | C");
    Part& part = tune.AddPart("Part", 1, 33, 100, 64);
    EXPECT_EQ(TuneMistake([&] { part.Bass(chords, 4, "1:2 4:2", 36, 90); }),
              "tune \"girders\", bar 3: unknown bass step '4'");
    EXPECT_EQ(TuneMistake([&] { part.Bass(chords, 4, "1:2 5", 36, 90); }),
              "tune \"girders\", bar 3: '5' has no length");
    EXPECT_EQ(TuneMistake([&] { part.Comp(chords, 4, "x:2 y:2", 48, 90); }),
              "tune \"girders\", bar 3: unknown chord hit 'y'");
    EXPECT_EQ(TuneMistake([&] { part.PowerChords(chords, 4, "X:1 x:1 o:2", 40, 90); }),
              "tune \"girders\", bar 3: unknown chord hit 'o'");
    EXPECT_EQ(TuneMistake([&] { part.Arpeggio(chords, 4, "0 1 two 3", 0.5, 1, 48, 90); }),
              "tune \"girders\", bar 3: unknown chord tone 'two'");
}

TEST(TuneDrums, StepsAreSixteenthsWithAccentsAndGhostNotes) {
    Tune tune("test", "Test", 120, 4);
    Part& drums = tune.AddPart("Drums", kDrumChannel, 0, 100, 64);
    drums.Gate(1.0);
    // Bar lines and spaces are only for reading; the pattern repeats every bar.
    drums.Drums(4, 2, gm::Snare, "x.o. X...|....  ....", 80);
    ExpectHits(drums, {{4, 4.25, 38, 80},
                       {4.5, 4.75, 38, 50},
                       {5, 5.25, 38, 98},
                       {8, 8.25, 38, 80},
                       {8.5, 8.75, 38, 50},
                       {9, 9.25, 38, 98}});
    Part& hats = tune.AddPart("Hats", kDrumChannel, 0, 100, 64);
    hats.Gate(1.0);
    hats.Drums(0, 1, gm::ClosedHat, "x...", 70);  // a short pattern repeats within the bar
    ExpectHits(hats, {{0, 0.25, 42, 70}, {1, 1.25, 42, 70}, {2, 2.25, 42, 70}, {3, 3.25, 42, 70}});
    EXPECT_EQ(TuneMistake([&] { drums.Drums(tune.Bar(3), 2, gm::Kick, "x...x...x...x..y", 90); }),
              "tune \"test\", bar 4: unknown drum step 'y'");
}

class TuneWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) / ("assetgen_tune_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(TuneWriteTest, TracksCarryTheSettingsAndTheNotesCutToTheirEnds) {
    Tune tune("test", "Test tune", 120, 4);
    Part& lead = tune.AddPart("Lead", 0, gm::Flute, 100, 70);
    lead.Gate(1.0).Effects(55, 5);
    lead.Note(0, 72, 1, 90);
    lead.Note(0, 72, 1, 60);   // the same pitch struck twice at once sounds once
    lead.Note(1, 74, 2, 90);   // still ringing when struck again at beat 2:
    lead.Note(2, 74, 1, 90);   // the first one ends where the second starts
    lead.Note(11, 76, 4, 90);  // sounds past the end of the tune: cut there
    lead.Note(12, 77, 1, 90);  // starts at the end: left out
    Part& drums = tune.AddPart("Drums", kDrumChannel, 0, 110, 64);
    drums.Gate(1.0).Drums(0, 1, gm::Kick, "x...............", 100);
    const std::string path = (dir_ / "tune.mid").string();
    ASSERT_TRUE(tune.Write(path, 3));

    const midiread::File file = midiread::Parse(midiread::ReadAll(path));
    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.division, 480);
    ASSERT_EQ(file.tracks.size(), 3u);
    const auto bytesOf = [](const midiread::Track& t) {
        std::vector<std::pair<std::uint32_t, Bytes>> out;
        for (const auto& e : t.events) out.push_back({e.tick, e.bytes});
        return out;
    };
    using Timed = std::vector<std::pair<std::uint32_t, Bytes>>;
    const Bytes title = {0xFF, 0x03, 9, 'T', 'e', 's', 't', ' ', 't', 'u', 'n', 'e'};
    EXPECT_EQ(bytesOf(file.tracks[0]), Timed({{0, title},
                                              {0, {0xFF, 0x58, 4, 4, 2, 24, 8}},
                                              {0, {0xFF, 0x51, 3, 0x07, 0xA1, 0x20}},
                                              {5760, {0xFF, 0x2F, 0}}}));
    EXPECT_EQ(bytesOf(file.tracks[1]), Timed({{0, {0xFF, 0x03, 4, 'L', 'e', 'a', 'd'}},
                                              {0, {0xC0, 73}},
                                              {0, {0xB0, 7, 100}},
                                              {0, {0xB0, 10, 70}},
                                              {0, {0xB0, 91, 55}},
                                              {0, {0xB0, 93, 5}},
                                              {0, {0x90, 72, 90}},
                                              {480, {0x80, 72, 64}},
                                              {480, {0x90, 74, 90}},
                                              {960, {0x80, 74, 64}},
                                              {960, {0x90, 74, 90}},
                                              {1440, {0x80, 74, 64}},
                                              {5280, {0x90, 76, 90}},
                                              {5760, {0x80, 76, 64}},
                                              {5760, {0xFF, 0x2F, 0}}}));
    // The drum channel keeps its kit: no program change.
    const Timed drumTrack = bytesOf(file.tracks[2]);
    ASSERT_GE(drumTrack.size(), 3u);
    EXPECT_EQ(drumTrack[1], Timed::value_type(0, Bytes({0xB9, 7, 110})));
}

}  // namespace
