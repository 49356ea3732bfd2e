// A tiny kit for writing the game's tunes as readable text: notes by beat, chords, bass and drum patterns.
#include "kit/tune_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "kit/midi_writer.h"

namespace {

constexpr int kTicksPerBeat = 480;

// A mistake in a piece of a tune's text; the part or tune reading it adds the tune and the bar.
[[noreturn]] void Mistake(const std::string& what) {
    throw std::invalid_argument(what);
}

// Semitones above C of the note letter at pos with its sharps and flats ("B#" is 12, "Cb" is -1),
// moving pos past them. kind names what the word is ("note", "chord") in the message.
int LetterSemitones(const std::string& s, size_t& pos, const std::string& kind) {
    static const int kNatural[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (pos >= s.size() || s[pos] < 'A' || s[pos] > 'G') Mistake("unknown " + kind + " '" + s + "'");
    int semis = kNatural[s[pos] - 'A'];
    ++pos;
    while (pos < s.size() && (s[pos] == '#' || s[pos] == 'b')) {
        semis += s[pos] == '#' ? 1 : -1;
        ++pos;
    }
    return semis;
}

int PitchClass(const std::string& s, size_t& pos) {
    return (LetterSemitones(s, pos, "chord") + 12) % 12;
}

std::vector<int> ChordIntervals(const std::string& kind, const std::string& name) {
    if (kind.empty()) return {0, 4, 7};
    if (kind == "m") return {0, 3, 7};
    if (kind == "7") return {0, 4, 7, 10};
    if (kind == "m7") return {0, 3, 7, 10};
    if (kind == "maj7") return {0, 4, 7, 11};
    if (kind == "6") return {0, 4, 7, 9};
    if (kind == "m6") return {0, 3, 7, 9};
    if (kind == "sus2") return {0, 2, 7};
    if (kind == "sus4") return {0, 5, 7};
    if (kind == "7sus4") return {0, 5, 7, 10};
    if (kind == "dim") return {0, 3, 6};
    if (kind == "5") return {0, 7};
    if (kind == "add9") return {0, 4, 7, 14};
    Mistake("unknown chord '" + name + "'");
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// One word of a melody or a rhythm: "C5:1.5", "x:.5", "F#5:2!" or "r:1_".
struct Token {
    std::string symbol;
    double length = 0;
    bool accent = false;  // '!' after the length
    bool full = false;    // '_' after the length
};

Token ParseToken(const std::string& word) {
    const size_t colon = word.find(':');
    if (colon == std::string::npos) Mistake("'" + word + "' has no length");
    Token t;
    t.symbol = word.substr(0, colon);
    const char* start = word.c_str() + colon + 1;
    char* end = nullptr;
    t.length = std::strtod(start, &end);
    if (end == start || !(t.length > 0)) Mistake("'" + word + "' has no length above zero");
    for (; *end; ++end) {
        if (*end == '!')
            t.accent = true;
        else if (*end == '_')
            t.full = true;
        else
            Mistake("'" + word + "' has '" + std::string(1, *end) + "' after its length");
    }
    return t;
}

// Bars count from 1 at the start of the tune.
int BarAt(double beat, int beatsPerBar) {
    return static_cast<int>(std::floor(beat / beatsPerBar + 1e-9)) + 1;
}

// The chord sounding at `beat` (the last one when past the end).
const Chord& ChordAt(const std::vector<Chord>& chords, double beat) {
    for (const Chord& c : chords)
        if (beat < c.beat + c.length - 1e-9) return c;
    return chords.back();
}

const Chord* NextChord(const std::vector<Chord>& chords, double beat) {
    for (size_t i = 0; i + 1 < chords.size(); ++i)
        if (beat < chords[i].beat + chords[i].length - 1e-9) return &chords[i + 1];
    return nullptr;
}

// The lowest pitch of class pc at or above low.
int Above(int low, int pc) {
    return low + ((pc - low) % 12 + 12) % 12;
}

// The chord's tones stacked upward from `low`, each the lowest of its class at or above it.
std::vector<int> Voice(const Chord& c, int low) {
    std::vector<int> notes;
    for (int iv : c.intervals) notes.push_back(Above(low, (c.root + iv) % 12));
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    // Two neighbours a semitone apart (the seventh of a major seventh chord just under its root)
    // rub; spread them to a major seventh by dropping the upper one an octave, or lifting the lower.
    for (int round = 0; round < 4; ++round) {
        size_t i = 0;
        while (i + 1 < notes.size() && notes[i + 1] - notes[i] != 1) ++i;
        if (i + 1 >= notes.size()) break;
        if (notes[i + 1] - 12 >= low - 5)
            notes[i + 1] -= 12;
        else
            notes[i] += 12;
        std::sort(notes.begin(), notes.end());
    }
    return notes;
}

// Walks the rhythm text bar after bar across the progression, calling hit(beat, symbol, length).
// The rhythm's mistakes are found before anything plays, and blamed on the first bar it plays in.
template <typename Hit>
void EachBar(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, Hit hit) {
    if (chords.empty()) return;
    const double start = chords.front().beat, end = chords.back().beat + chords.back().length;
    std::vector<Token> tokens;
    for (const std::string& w : Words(rhythm)) tokens.push_back(ParseToken(w));
    for (double bar = start; bar < end - 1e-9; bar += beatsPerBar) {
        double at = bar;
        for (const Token& t : tokens) {
            if (at >= end - 1e-9) break;
            if (t.symbol != "-") hit(at, t.symbol, t.length);
            at += t.length;
        }
    }
}

}  // namespace

TuneError::TuneError(const std::string& tune, int bar, const std::string& what)
    : std::runtime_error("tune \"" + tune + "\", bar " + std::to_string(bar) + ": " + what) {}

int Pitch(const std::string& name) {
    size_t pos = 0;
    const int semis = LetterSemitones(name, pos, "note");
    // The octave follows the letter and its sharps and flats: "C4", "Bb-1".
    if (pos == name.size()) Mistake("note '" + name + "' has no octave");
    const char* start = name.c_str() + pos;
    char* end = nullptr;
    const long octave = std::strtol(start, &end, 10);
    if (end == start || (*start != '-' && (*start < '0' || *start > '9'))) Mistake("unknown note '" + name + "'");
    if (*end) Mistake("unknown note '" + name + "'");
    const long pitch = (octave + 1) * 12 + semis;
    if (pitch < 0 || pitch > 127) Mistake("note '" + name + "' is out of range");
    return static_cast<int>(pitch);
}

std::vector<Chord> Tune::Progression(double startBeat, const std::string& text) const {
    const int beatsPerBar = beatsPerBar_;
    std::vector<Chord> chords;
    double bar = startBeat;
    std::string rest = text + "|";
    size_t from = 0;
    for (size_t barEnd = rest.find('|'); barEnd != std::string::npos; barEnd = rest.find('|', from)) {
        const std::vector<std::string> names = Words(rest.substr(from, barEnd - from));
        from = barEnd + 1;
        if (names.empty()) continue;
        const double each = static_cast<double>(beatsPerBar) / static_cast<double>(names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            Chord c;
            c.beat = bar + each * static_cast<double>(i);
            c.length = each;
            size_t pos = 0;
            try {
                c.root = PitchClass(names[i], pos);
                const size_t slash = names[i].find('/');
                const size_t kindEnd = slash == std::string::npos ? names[i].size() : slash;
                c.intervals = ChordIntervals(names[i].substr(pos, kindEnd - pos), names[i]);
                c.bass = c.root;
                if (slash != std::string::npos) {
                    size_t bassPos = slash + 1;
                    c.bass = PitchClass(names[i], bassPos);
                    if (bassPos != names[i].size()) Mistake("unknown chord '" + names[i] + "'");
                }
            } catch (const std::invalid_argument& e) {
                throw TuneError(name_, BarAt(c.beat, beatsPerBar), e.what());
            }
            chords.push_back(c);
        }
        bar += beatsPerBar;
    }
    return chords;
}

Part::Part(std::string tune, std::string name, int channel, int program, int volume, int pan, int beatsPerBar,
           std::uint32_t seed)
    : tune_(std::move(tune)), name_(std::move(name)), channel_(channel), program_(program), volume_(volume), pan_(pan),
      beatsPerBar_(beatsPerBar), rng_(seed) {}

Part& Part::Effects(int reverb, int chorus) {
    reverb_ = reverb;
    chorus_ = chorus;
    return *this;
}

Part& Part::Release(double share) {
    releaseTimecents_ = static_cast<int>(std::lround(1200.0 * std::log2(share)));
    return *this;
}

Part& Part::Gate(double gate) {
    gate_ = gate;
    return *this;
}

Part& Part::Swing(double swing) {
    swing_ = swing;
    return *this;
}

Part& Part::Humanise(int spread) {
    spread_ = spread;
    return *this;
}

double Part::Swung(double beat) const {
    // Within each beat, the first half stretches to `swing_` and the second half shrinks to fit.
    const double whole = std::floor(beat + 1e-9), f = beat - whole;
    if (f <= 0.5) return whole + f / 0.5 * swing_;
    return whole + swing_ + (f - 0.5) / 0.5 * (1.0 - swing_);
}

void Part::Note(double beat, int pitch, double length, int velocity) {
    if (spread_ > 0) velocity += rng_.Range(-spread_, spread_);
    const double on = Swung(beat);
    double off = Swung(beat + length * gate_);
    // Never past the written end of the note, so a repeated pitch can always start again.
    off = std::min(off, Swung(beat + length));
    hits_.push_back({on, off, pitch, std::clamp(velocity, 1, 127)});
}

double Part::Melody(double beat, const std::string& text, int velocity) {
    std::string spaced;
    for (char ch : text) spaced += ch == '|' ? std::string(" | ") : std::string(1, ch);
    // The bar line before the first note, even when the melody starts inside a bar.
    double barStart = std::floor(beat / beatsPerBar_ + 1e-9) * beatsPerBar_;
    for (const std::string& w : Words(spaced)) {
        if (w == "|") {
            if (std::fabs(std::remainder(beat, static_cast<double>(beatsPerBar_))) > 1e-6) {
                char held[32];
                std::snprintf(held, sizeof held, "%g", beat - barStart);
                Fail(barStart, std::string("the bar holds ") + held + " beats, not " + std::to_string(beatsPerBar_));
            }
            barStart = beat;
            continue;
        }
        Token t;
        int pitch = 0;
        try {
            t = ParseToken(w);
            if (t.symbol != "r") pitch = Pitch(t.symbol);
        } catch (const std::invalid_argument& e) {
            Fail(beat, e.what());
        }
        if (t.symbol != "r") {
            const double keep = gate_;
            if (t.full) gate_ = 1.0;
            Note(beat, pitch, t.length, velocity + (t.accent ? 14 : 0));
            gate_ = keep;
        }
        beat += t.length;
    }
    return beat;
}

void Part::Fail(double beat, const std::string& what) const {
    throw TuneError(tune_, BarAt(beat, beatsPerBar_), what);
}

template <typename OnHit>
void Part::ReadRhythm(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, OnHit hit) {
    try {
        EachBar(chords, beatsPerBar, rhythm, hit);
    } catch (const std::invalid_argument& e) {
        Fail(chords.front().beat, e.what());
    }
}

bool Part::Rubs(int pc, double from, double to) const {
    for (const Hit& h : hits_) {
        if (h.on >= to || h.off <= from) continue;
        const int gap = ((h.pitch - pc) % 12 + 12) % 12;
        if (gap == 1 || gap == 11 || gap == 6) return true;
    }
    return false;
}

void Part::Bass(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, int low, int velocity,
                const Part* tune) {
    ReadRhythm(chords, beatsPerBar, rhythm, [&](double at, const std::string& degree, double length) {
        const Chord& c = ChordAt(chords, at);
        const int root = Above(low, c.bass);
        const int chordRoot = root - ((root - c.root) % 12 + 12) % 12;  // at or just below the bass note
        int pitch = root;
        const bool chordStarts = std::fabs(at - c.beat) < 1e-9;  // a new chord always enters on its bass note
        auto tone = [&](size_t index, int fallback) {
            return index < c.intervals.size() ? chordRoot + c.intervals[index] : chordRoot + fallback;
        };
        if (degree != "1" && degree != "3" && degree != "5" && degree != "7" && degree != "8" && degree != ">")
            Fail(at, "unknown bass step '" + degree + "'");
        if (chordStarts && degree != ">")
            pitch = root;
        else if (degree == "3")
            pitch = tone(1, 4);
        else if (degree == "5")
            pitch = tone(2, 7);
        else if (degree == "7")
            pitch = c.intervals.size() > 3 ? chordRoot + c.intervals[3] : root + 12;
        else if (degree == "8")
            pitch = root + 12;
        else if (degree == ">") {
            // A step into the next chord's root: from a semitone below, or the fifth when it stays put.
            const Chord* next = NextChord(chords, at);
            if (!next) next = &chords.front();
            const int target = Above(low, next->bass);
            // Candidates in order of taste: a semitone below, a whole tone below or above, a semitone
            // above, then this chord's fifth. After the first, tones of the sounding chord go first.
            std::vector<int> steps = {target - 1, target - 2, target + 2, target + 1, chordRoot + 7};
            if (target == root) steps = {root + 7, root + 4, root - 5};
            auto inChord = [&](int p) {
                for (int iv : c.intervals)
                    if ((c.root + iv) % 12 == ((p % 12) + 12) % 12) return true;
                return false;
            };
            auto fits = [&](int p) { return !tune || !tune->Rubs(p, Swung(at), Swung(at + length)); };
            pitch = steps.front();
            if (!fits(pitch)) {
                bool found = false;
                for (int pass = 0; pass < 2 && !found; ++pass)
                    for (size_t i = 1; i < steps.size() && !found; ++i)
                        if ((pass == 1 || inChord(steps[i])) && fits(steps[i])) {
                            pitch = steps[i];
                            found = true;
                        }
            }
        }
        Note(at, pitch, length, velocity + (std::fmod(at, 1.0) < 1e-9 ? 4 : 0));
    });
}

void Part::Comp(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, int low, int velocity,
                double strum) {
    ReadRhythm(chords, beatsPerBar, rhythm, [&](double at, const std::string& symbol, double length) {
        if (symbol != "x") Fail(at, "unknown chord hit '" + symbol + "'");
        const std::vector<int> notes = Voice(ChordAt(chords, at), low);
        for (size_t i = 0; i < notes.size(); ++i) {
            const double delay = strum * static_cast<double>(i);
            Note(at + delay, notes[i], std::max(0.05, length - delay), velocity - static_cast<int>(i) * 2);
        }
    });
}

void Part::Arpeggio(const std::vector<Chord>& chords, int beatsPerBar, const std::string& pattern, double step,
                    double ring, int low, int velocity) {
    std::string rhythm;
    for (const std::string& w : Words(pattern)) rhythm += w + ":" + std::to_string(step) + " ";
    const double keep = gate_;
    gate_ = 1.0;
    ReadRhythm(chords, beatsPerBar, rhythm, [&](double at, const std::string& index, double) {
        const Chord& c = ChordAt(chords, at);
        std::vector<int> notes = Voice(c, low);
        const size_t base = notes.size();
        for (size_t i = 0; i < base; ++i) notes.push_back(notes[i] + 12);  // room for patterns that climb higher
        if (index.find_first_not_of("0123456789") != std::string::npos) Fail(at, "unknown chord tone '" + index + "'");
        const size_t k = std::min(static_cast<size_t>(std::atoi(index.c_str())), notes.size() - 1);
        // Each note rings on, but is damped when the chord changes.
        const double until = std::min(ring, c.beat + c.length - at);
        Note(at, notes[k], until, velocity + (std::fmod(at, 1.0) < 1e-9 ? 3 : 0));
    });
    gate_ = keep;
}

void Part::PowerChords(const std::vector<Chord>& chords, int beatsPerBar, const std::string& rhythm, int low,
                       int velocity) {
    ReadRhythm(chords, beatsPerBar, rhythm, [&](double at, const std::string& symbol, double length) {
        if (symbol != "x" && symbol != "X") Fail(at, "unknown chord hit '" + symbol + "'");
        const Chord& c = ChordAt(chords, at);
        const int root = Above(low, c.root);
        const int accent = symbol == "X" ? 12 : 0;
        for (int iv : {0, 7, 12}) Note(at, root + iv, length, velocity + accent);
    });
}

void Part::Hold(const std::vector<Chord>& chords, int low, int velocity) {
    for (const Chord& c : chords)
        for (int pitch : Voice(c, low)) Note(c.beat, pitch, c.length, velocity);
}

void Part::Drums(double beat, int bars, int key, const std::string& steps, int velocity) {
    std::string clean;
    for (char ch : steps)
        if (ch != '|' && ch != ' ') clean += ch;
    if (clean.empty()) return;
    const int total = bars * 16;
    for (int i = 0; i < total; ++i) {
        const char ch = clean[static_cast<size_t>(i) % clean.size()];
        if (ch == '.') continue;
        if (ch != 'x' && ch != 'X' && ch != 'o') Fail(beat + 0.25 * i, std::string("unknown drum step '") + ch + "'");
        const int v = ch == 'X' ? velocity + 18 : ch == 'o' ? velocity - 30 : velocity;
        Note(beat + 0.25 * i, key, 0.25, v);
    }
}

Tune::Tune(std::string name, std::string title, double bpm, int beatsPerBar)
    : name_(std::move(name)), title_(std::move(title)), bpm_(bpm), beatsPerBar_(beatsPerBar) {}

Part& Tune::AddPart(const std::string& name, int channel, int program, int volume, int pan) {
    parts_.emplace_back(name_, name, channel, program, volume, pan, beatsPerBar_,
                        0x7E5A0000u + static_cast<std::uint32_t>(parts_.size()));
    return parts_.back();
}

bool Tune::Write(const std::string& path, int bars) const {
    const double endBeat = static_cast<double>(bars * beatsPerBar_);
    const auto tick = [](double beat) { return static_cast<std::uint32_t>(std::lround(beat * kTicksPerBeat)); };
    std::vector<MidiTrack> tracks(1);
    tracks[0].Text(0, 0x03, title_);
    tracks[0].TimeSignature(0, beatsPerBar_, 4);
    tracks[0].Tempo(0, bpm_);
    for (const Part& part : parts_) {
        MidiTrack track;
        const int ch = part.Channel();
        track.Text(0, 0x03, part.Name());
        if (ch != kDrumChannel) track.Program(0, ch, part.Program());
        track.Control(0, ch, 7, part.Volume());
        track.Control(0, ch, 10, part.Pan());
        track.Control(0, ch, 91, part.Reverb());
        track.Control(0, ch, 93, part.Chorus());
        if (part.ReleaseTimecents() != 0) {
            // The SoundFont's volume-envelope release (generator 38) moved by a number of
            // timecents: the data counts two timecents a step from 8192, low byte first.
            const int data = std::clamp(8192 + part.ReleaseTimecents() / 2, 0, 16383);
            track.Control(0, ch, 99, 120);
            track.Control(0, ch, 98, 38);
            track.Control(0, ch, 38, data & 0x7F);
            track.Control(0, ch, 6, data >> 7);
        }
        // A pitch struck again while it still rings is cut short where the new one starts, so each
        // note-off ends the note it belongs to.
        std::vector<Part::Hit> hits = part.Hits();
        std::stable_sort(hits.begin(), hits.end(), [](const Part::Hit& x, const Part::Hit& y) { return x.on < y.on; });
        // The same pitch struck twice at once sounds once.
        std::vector<int> last(128, -1);
        for (size_t i = 0; i < hits.size(); ++i) {
            int& before = last[static_cast<size_t>(hits[i].pitch & 0x7F)];
            if (before >= 0) {
                Part::Hit& prev = hits[static_cast<size_t>(before)];
                if (tick(prev.on) == tick(hits[i].on)) {
                    hits[i].velocity = 0;
                    continue;
                }
                if (prev.off > hits[i].on) prev.off = hits[i].on;
            }
            before = static_cast<int>(i);
        }
        for (const Part::Hit& h : hits) {
            if (h.velocity == 0 || h.on >= endBeat - 1e-9) continue;
            track.Note(tick(h.on), tick(std::min(h.off, endBeat)), ch, h.pitch, h.velocity);
        }
        tracks.push_back(track);
    }
    return WriteMidi(path, kTicksPerBeat, tracks, tick(endBeat));
}
