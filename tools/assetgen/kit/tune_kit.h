// A tiny kit for writing the game's tunes as readable text: notes by beat, chords, bass and drum patterns.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "kit/rng.h"

// General MIDI program numbers (counted from 0) and drum keys that the tunes use.
namespace gm {
enum Program {
    kElectricPiano = 4, kVibraphone = 11, kMarimba = 12, kXylophone = 13, kNylonGuitar = 24, kSteelGuitar = 25,
    kCleanGuitar = 27, kMutedGuitar = 28, kOverdriveGuitar = 29, kDistortionGuitar = 30, kAcousticBass = 32,
    kFingerBass = 33, kPickBass = 34, kSlapBass = 36, kStrings = 48, kSlowStrings = 49, kPizzicato = 45, kHarp = 46,
    kTuba = 58, kClarinet = 71, kFlute = 73, kSquareLead = 80, kWarmPad = 89
};
enum Drum {
    kKick = 36, kSideStick = 37, kSnare = 38, kClap = 39, kLowTom = 45, kMidTom = 47, kHighTom = 50, kClosedHat = 42,
    kPedalHat = 44, kOpenHat = 46, kCrash = 49, kRide = 51, kRideBell = 53, kTambourine = 54, kCowbell = 56,
    kHighWood = 76, kLowWood = 77, kShaker = 70
};
}  // namespace gm

constexpr int kDrumChannel = 9;

// "C4" is 60; sharps with '#', flats with 'b' ("Bb3", "F#5").
int Pitch(const std::string& name);

// One chord of a progression, sounding from `beat` for `length` beats.
struct Chord {
    double beat = 0, length = 0;
    int root = 0;                // pitch class 0..11
    int bass = 0;                // pitch class of the bass note (differs from root for "C/E")
    std::vector<int> intervals;  // semitones above the root, starting with 0
};

// Bars split by '|', chords within a bar share it evenly: "F | Am | Gm7 C7 | F".
// Known kinds: major, m, 7, m7, maj7, 6, m6, sus2, sus4, 7sus4, dim, 5 (root and fifth), add9, and "/X" bass notes.
std::vector<Chord> Progression(double start_beat, int beats_per_bar, const std::string& text);

class Part {
public:
    Part(std::string name, int channel, int program, int volume, int pan, int beats_per_bar, std::uint32_t seed);

    // Mix settings sent once at the start: reverb and chorus depth (controllers 91 and 93).
    Part& Effects(int reverb, int chorus);
    // Share of each note's written length that actually sounds: 1 legato, 0.5 short and bouncy.
    Part& Gate(double gate);
    // Where the off-beat eighth falls within a beat: 0.5 straight, about 0.62 swung.
    Part& Swing(double swing);
    // Random velocity spread, so repeated notes do not sound machine-stamped.
    Part& Humanise(int spread);

    void Note(double beat, int pitch, double length, int velocity);

    // Notes as text, one after another from `beat`: "C5:1 D5:.5 r:.5 F#5:2". A '!' after the
    // length accents the note, a '_' plays it for its whole length. A '|' marks a bar line and must
    // fall on one, which catches miscounted bars. Returns the beat after the last note.
    double Melody(double beat, const std::string& text, int velocity);

    // Plays `rhythm` across every bar of the progression, each hit sounding the chord at its time.
    // Bass rhythm tokens are "degree:length": 1 root (or the slash bass), 3, 5, 7 (the octave when
    // the chord has no seventh), 8 the root an octave up, '>' a step leading into the next chord,
    // '-' a rest. The root sits in [low, low + 11]. When `tune` is given, a leading step that would
    // rub a semitone or a tritone against it is swapped for a gentler one.
    void Bass(const std::vector<Chord>& chords, int beats_per_bar, const std::string& rhythm, int low, int velocity,
              const Part* tune = nullptr);
    // Chord hits "x:length" (or "-:length" for rests), voiced upward from `low`; strum spreads the
    // notes by that many beats each, like a guitar.
    void Comp(const std::vector<Chord>& chords, int beats_per_bar, const std::string& rhythm, int low, int velocity,
              double strum = 0.0);
    // Broken chords: each token is an index into the chord voiced upward from `low` (0 lowest), or
    // '-' for a rest; every token lasts `step` beats and rings for `ring` beats.
    void Arpeggio(const std::vector<Chord>& chords, int beats_per_bar, const std::string& pattern, double step,
                  double ring, int low, int velocity);
    // Root, fifth and octave from `low` upward, in the rhythm given (as in Comp).
    void PowerChords(const std::vector<Chord>& chords, int beats_per_bar, const std::string& rhythm, int low,
                     int velocity);
    // One held chord per chord of the progression.
    void Hold(const std::vector<Chord>& chords, int low, int velocity);

    // A drum line: one character per sixteenth, 'x' normal, 'X' accented, 'o' soft, '.' rest,
    // '|' and spaces ignored. The pattern repeats for `bars` bars of 16 steps.
    void Drums(double beat, int bars, int key, const std::string& steps, int velocity);

    const std::string& name() const { return name_; }
    int channel() const { return channel_; }
    int program() const { return program_; }
    int volume() const { return volume_; }
    int pan() const { return pan_; }
    int reverb() const { return reverb_; }
    int chorus() const { return chorus_; }

    struct Hit {
        double on, off;
        int pitch, velocity;
    };
    const std::vector<Hit>& hits() const { return hits_; }

private:
    double Swung(double beat) const;
    // True when a pitch of class pc, sounding over [from, to), would rub against any note of this part.
    bool Rubs(int pc, double from, double to) const;

    std::string name_;
    int channel_, program_, volume_, pan_, beats_per_bar_;
    int reverb_ = 40, chorus_ = 0;
    double gate_ = 0.9, swing_ = 0.5;
    int spread_ = 0;
    Rng rng_;
    std::vector<Hit> hits_;
};

class Tune {
public:
    Tune(std::string title, double bpm, int beats_per_bar);

    Part& AddPart(const std::string& name, int channel, int program, int volume, int pan);
    int beats_per_bar() const { return beats_per_bar_; }
    double Bar(int bar) const { return static_cast<double>(bar * beats_per_bar_); }

    // Writes the tune as a MIDI file `bars` bars long; anything sounding past the end is cut there.
    bool Write(const std::string& path, int bars) const;

private:
    std::string title_;
    double bpm_;
    int beats_per_bar_;
    std::deque<Part> parts_;  // a deque keeps the references AddPart hands out valid
};
