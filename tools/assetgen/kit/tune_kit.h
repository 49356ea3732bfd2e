// A tiny kit for writing the game's tunes as readable text: notes by beat, chords, bass and drum patterns.
#pragma once

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "kit/rng.h"

// General MIDI program numbers (counted from 0) and drum keys that the tunes use.
namespace gm {
enum Program {
    ElectricPiano = 4,
    Vibraphone = 11,
    Marimba = 12,
    Xylophone = 13,
    NylonGuitar = 24,
    SteelGuitar = 25,
    CleanGuitar = 27,
    MutedGuitar = 28,
    OverdriveGuitar = 29,
    DistortionGuitar = 30,
    AcousticBass = 32,
    FingerBass = 33,
    PickBass = 34,
    SlapBass = 36,
    Strings = 48,
    SlowStrings = 49,
    Pizzicato = 45,
    Harp = 46,
    Tuba = 58,
    Clarinet = 71,
    Flute = 73,
    SquareLead = 80,
    WarmPad = 89
};
enum Drum {
    Kick = 36,
    SideStick = 37,
    Snare = 38,
    Clap = 39,
    LowTom = 45,
    MidTom = 47,
    HighTom = 50,
    ClosedHat = 42,
    PedalHat = 44,
    OpenHat = 46,
    Crash = 49,
    Ride = 51,
    RideBell = 53,
    Tambourine = 54,
    Cowbell = 56,
    HighWood = 76,
    LowWood = 77,
    Shaker = 70
};
}  // namespace gm

constexpr int kDrumChannel = 9;

// A mistake in a tune's text, naming the tune and the bar (counted from 1) it was found in:
// tune "menu", bar 7: unknown note 'H5'.
class TuneError : public std::runtime_error {
public:
    TuneError(const std::string& tune, int bar, const std::string& what);
};

// "C4" is 60; sharps with '#', flats with 'b' ("Bb3", "F#5"). Throws std::invalid_argument
// for anything else, or a pitch outside 0..127.
int Pitch(const std::string& name);

// One chord of a progression, sounding from `beat` for `length` beats.
struct Chord {
    double beat = 0, length = 0;
    int root = 0;                // pitch class 0..11
    int bass = 0;                // pitch class of the bass note (differs from root for "C/E")
    std::vector<int> intervals;  // semitones above the root, starting with 0
};

class Part {
public:
    // tune names the tune the part belongs to, for the messages about mistakes in its text.
    Part(std::string tune, std::string name, int channel, int program, int volume, int pan, int beatsPerBar,
         std::uint32_t seed);

    // Mix settings sent once at the start: reverb and chorus depth (controllers 91 and 93).
    Part& Effects(int reverb, int chorus);
    // How long notes ring on once let go, as a share of the instrument's own release: set once
    // at the start with the SoundFont's generator controller (NRPN 120, generator 38).
    Part& Release(double share);
    // Share of each note's written length that actually sounds: 1 legato, 0.5 short and bouncy.
    Part& Gate(double gate);
    // Where the off-beat eighth falls within a beat: 0.5 straight, about 0.62 swung.
    Part& Swing(double swing);
    // Random velocity spread, so repeated notes do not sound machine-stamped.
    Part& Humanise(int spread);

    void Note(double beat, int pitch, double length, int velocity);

    // Notes as text, one after another from `beat`: "C5:1 D5:.5 r:.5 F#5:2". A '!' after the
    // length accents the note, a '_' plays it for its whole length. A '|' marks a bar line and must
    // fall on one, which catches miscounted bars. Returns the beat after the last note. Throws
    // TuneError, naming the bar, for a note, length or bar line it cannot read; so do the
    // writers below for their rhythms and patterns.
    double Melody(double beat, const std::string& text, int velocity);

    // Plays `rhythm` across every bar of the progression, each hit sounding the chord at its time.
    // Bass rhythm tokens are "degree:length": 1 root (or the slash bass), 3, 5, 7 (the octave when
    // the chord has no seventh), 8 the root an octave up, '>' a step leading into the next chord,
    // '-' a rest. The root sits in [low, low + 11]. When `tune` is given, a leading step that would
    // rub a semitone or a tritone against it is swapped for a gentler one.
    void Bass(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, int low, int velocity,
              const Part* tune = nullptr);
    // Chord hits "x:length" (or "-:length" for rests), voiced upward from `low`; strum spreads the
    // notes by that many beats each, like a guitar.
    void Comp(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, int low, int velocity,
              double strum = 0.0);
    // Broken chords: each token is an index into the chord voiced upward from `low` (0 lowest), or
    // '-' for a rest; every token lasts `step` beats and rings for `ring` beats.
    void Arpeggio(const std::vector<Chord>& chords, int beatsPerBar, const std::string& pattern, double step,
                  double ring, int low, int velocity);
    // Root, fifth and octave from `low` upward, in the rhythm given (as in Comp).
    void PowerChords(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, int low,
                     int velocity);
    // One held chord per chord of the progression.
    void Hold(const std::vector<Chord>& chords, int low, int velocity);

    // A drum line: one character per sixteenth, 'x' normal, 'X' accented, 'o' soft, '.' rest,
    // '|' and spaces ignored. The pattern repeats for `bars` bars of 16 steps.
    void Drums(double beat, int bars, int key, const std::string& steps, int velocity);

    const std::string& Name() const { return name_; }
    int Channel() const { return channel_; }
    int Program() const { return program_; }
    int Volume() const { return volume_; }
    int Pan() const { return pan_; }
    int Reverb() const { return reverb_; }
    int Chorus() const { return chorus_; }
    // The release's change in timecents (1200 halves it); 0 leaves the instrument's own.
    int ReleaseTimecents() const { return releaseTimecents_; }

    struct Hit {
        double on, off;
        int pitch, velocity;
    };
    const std::vector<Hit>& Hits() const { return hits_; }

private:
    double Swung(double beat) const;
    // Reports a mistake in the text at `beat` as a TuneError.
    [[noreturn]] void Fail(double beat, const std::string& what) const;
    // Runs hit(beat, symbol, length) across the chords as EachBar does, reporting mistakes in the
    // rhythm's text at the first bar it plays in.
    template <typename OnHit>
    void ReadRhythm(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, OnHit hit);
    // True when a pitch of class pc, sounding over [from, to), would rub against any note of this part.
    bool Rubs(int pc, double from, double to) const;

    std::string tune_;
    std::string name_;
    int channel_, program_, volume_, pan_, beatsPerBar_;
    int reverb_ = 40, chorus_ = 0;
    int releaseTimecents_ = 0;
    double gate_ = 0.9, swing_ = 0.5;
    int spread_ = 0;
    Rng rng_;
    std::vector<Hit> hits_;
};

class Tune {
public:
    // name is the tune's short name in messages ("menu"); title goes into the file.
    Tune(std::string name, std::string title, double bpm, int beatsPerBar);

    // Chords from startBeat on, bars split by '|', chords within a bar share it evenly:
    // "F | Am | Gm7 C7 | F". Known kinds: major, m, 7, m7, maj7, 6, m6, sus2, sus4, 7sus4, dim,
    // 5 (root and fifth), add9, and "/X" bass notes. Throws TuneError for anything else.
    std::vector<Chord> Progression(double startBeat, const std::string& text) const;

    Part& AddPart(const std::string& name, int channel, int program, int volume, int pan);
    int BeatsPerBar() const { return beatsPerBar_; }
    double Bar(int bar) const { return static_cast<double>(bar * beatsPerBar_); }

    // Writes the tune as a MIDI file `bars` bars long; anything sounding past the end is cut there.
    bool Write(const std::string& path, int bars) const;

private:
    std::string name_;
    std::string title_;
    double bpm_;
    int beatsPerBar_;
    std::deque<Part> parts_;  // a deque keeps the references AddPart hands out valid
};
