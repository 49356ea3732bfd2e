// The platform level's bouncy tune and the rooms' calm tune.
#include "music/tunes.h"

#include <cctype>

#include "kit/tune_kit.h"

// Girders and ladders, G major at 132 bpm with swung eighths, 26 bars: a two-bar vamp, a hopping A,
// an A' that borrows B7 and C minor for a wink, and a B that walks down on D7 back into the vamp.
bool WriteGirderTune(const std::string& path) {
    Tune tune("girders", "Trundlebop - Girders", 132, 4);
    const std::string intro = "G | D7";
    const std::string a = "G | Em | C | D | G | Em | Am7 D7 | G";
    const std::string a2 = "G | B7 | Em | G7 | C | Cm | G/D D7 | G";
    const std::string b = "C | D | Bm | Em | Am | D | G | D7";
    const auto chords = tune.Progression(0, intro + " | " + a + " | " + a2 + " | " + b);
    const double swing = 0.62;

    const std::string aTune =
        "D5:.5 B4:.5 G4:.5 B4:.5 D5:1 G5:1 | E5:.5 D5:.5 B4:.5 G4:.5 E4:1 r:1 | "
        "C5:.5 E5:.5 G5:.5 E5:.5 C5:1 D5:.5 E5:.5 | F#5:1 D5:1 A4:1 r:1 | "
        "D5:.5 B4:.5 G4:.5 B4:.5 D5:1 G5:1 | B5:.5 A5:.5 G5:.5 E5:.5 B4:1 r:1 | "
        "C5:.5 E5:.5 A5:.5 G5:.5 F#5:.5 A5:.5 C6:.5 A5:.5 | G5:1 D5:.5 B4:.5 G4:1 r:1 |";
    const std::string a2Tune =
        "D5:.5 B4:.5 G4:.5 B4:.5 D5:1 G5:1 | F#5:.5 D#5:.5 B4:.5 D#5:.5 F#5:1 A5:1 | "
        "G5:1.5 F#5:.5 E5:1 B4:1 | B4:.5 D5:.5 F5:.5 D5:.5 G5:1 F5:1 | "
        "E5:1 G5:.5 E5:.5 C5:1 E5:1 | Eb5:1 G5:.5 Eb5:.5 C5:1 Eb5:1 | "
        "D5:.5 G5:.5 B5:.5 G5:.5 F#5:.5 E5:.5 D5:.5 C5:.5 | B4:1 D5:.5 B4:.5 G4:1 r:1 |";
    const std::string bTune =
        "G5:1.5 E5:.5 C5:1 E5:1 | F#5:1.5 D5:.5 A4:1 D5:1 | D5:.5 F#5:.5 B5:1 A5:.5 F#5:.5 D5:1 | "
        "E5:1.5 G5:.5 B4:2 | C5:.5 E5:.5 A5:1 G5:.5 E5:.5 C5:1 | D5:.5 F#5:.5 A5:1 C6:1 A5:1 | "
        "B5:1.5 A5:.5 G5:1 D5:1 | C5:.5 B4:.5 A4:.5 F#4:.5 D4:1 r:1 |";

    Part& clarinet = tune.AddPart("Clarinet", 0, gm::Clarinet, 124, 60);
    clarinet.Swing(swing).Gate(0.6).Humanise(5).Effects(40, 0);
    clarinet.Melody(tune.Bar(2), aTune + a2Tune, 92);
    clarinet.Gate(0.85).Melody(tune.Bar(18), bTune, 90);

    // The xylophone doubles both hopping A parts an octave up, short and light.
    Part& xylo = tune.AddPart("Xylophone", 1, gm::Xylophone, 127, 76);
    xylo.Swing(swing).Gate(0.4).Humanise(6).Effects(40, 0);
    const std::string hops = aTune + a2Tune;
    std::string up;
    for (size_t i = 0; i < hops.size(); ++i) {
        const char ch = hops[i];
        // Raise every octave digit of a note name by one ("D5" -> "D6"); lengths follow a ':' and stay.
        const char before = i > 0 ? hops[i - 1] : ' ';
        const bool octaveDigit =
            ch >= '0' && ch <= '9' && (std::isalpha(static_cast<unsigned char>(before)) || before == '#');
        up += octaveDigit ? static_cast<char>(ch + 1) : ch;
    }
    xylo.Melody(tune.Bar(2), up, 100);

    Part& pizz = tune.AddPart("Pizzicato", 2, gm::Pizzicato, 112, 44);
    pizz.Swing(swing).Gate(0.5).Humanise(5).Effects(40, 0);
    pizz.Comp(chords, 4, "-:1 x:1 -:1 x:.5 x:.5", 55, 78);

    Part& tuba = tune.AddPart("Tuba", 3, gm::Tuba, 124, 64);
    tuba.Swing(swing).Gate(0.55).Humanise(4).Effects(30, 0);
    tuba.Bass(chords, 4, "1:1 -:1 5:1 -:.5 >:.5", 36, 98, &clarinet);

    Part& drums = tune.AddPart("Drums", kDrumChannel, 0, 112, 64);
    drums.Swing(swing).Humanise(5).Effects(30, 0);
    const int bars = 26;
    drums.Drums(0, bars, gm::ClosedHat, "x.o.x.o.x.o.x.o.", 74);
    for (int bar = 0; bar < bars; ++bar) {
        const double at = tune.Bar(bar);
        const bool fill = bar == 1 || bar == 9 || bar == 17 || bar == 25;
        drums.Drums(at, 1, gm::Kick, "x.......x.......", 92);
        if (fill) {
            drums.Drums(at, 1, gm::Snare, "....x.......o.x.", 80);
            drums.Drums(at, 1, gm::HighTom, "........x.x.....", 86);
            drums.Drums(at, 1, gm::MidTom, "............x...", 86);
        } else {
            drums.Drums(at, 1, gm::Snare, "....x.......x...", 80);
            drums.Drums(at, 1, gm::HighWood, "......x.......x.", 62);
        }
    }
    for (int bar : {2, 10, 18}) drums.Drums(tune.Bar(bar), 1, gm::Crash, "x...............", 84);
    return tune.Write(path, bars);
}

// The two quiet rooms, F major at 84 bpm, 18 bars: harp and a soft pad under a flute, a gentle
// bass and only a shaker, a low kick and a side stick. It ends on C, which settles back into the
// opening F major seventh.
bool WriteRoomsTune(const std::string& path) {
    Tune tune("rooms", "Trundlebop - Rooms", 84, 4);
    const std::string intro = "Fmaj7 | Bbmaj7";
    const std::string a = "Fmaj7 | Am7 | Bbmaj7 | C | Fmaj7 | Dm7 | Gm7 | C7sus4 C";
    const std::string b = "Bbmaj7 | C | Am7 | Dm7 | Gm7 | Am7 | Bbmaj7 | Csus4 C";
    const auto chords = tune.Progression(0, intro + " | " + a + " | " + b);

    Part& flute = tune.AddPart("Flute", 0, gm::Flute, 116, 60);
    flute.Gate(0.95).Humanise(4).Effects(70, 0);
    flute.Melody(tune.Bar(2),
                 "A4:1.5 C5:.5 E5:2 | D5:1 C5:1 A4:2 | D5:1.5 F5:.5 A5:2 | G5:1 F5:.5 E5:.5 C5:2 | "
                 "A4:1.5 C5:.5 G5:1 E5:1 | D5:1.5 E5:.5 F5:1 A5:1 | G5:1.5 F5:.5 D5:1 Bb4:1 | C5:2 D5:1 E5:1 | "
                 "F5:2 D5:1 F5:1 | G5:2 E5:1 C5:1 | C5:1.5 D5:.5 E5:2 | F5:1.5 E5:.5 D5:1 C5:1 | "
                 "Bb4:1 D5:1 F5:1 G5:1 | A5:2 G5:1 E5:1 | D5:1.5 F5:.5 A5:2 | G5:2 E5:1 C5:1 |",
                 84);

    Part& harp = tune.AddPart("Harp", 1, gm::Harp, 106, 40);
    harp.Humanise(4).Effects(70, 0).Release(0.3);
    harp.Arpeggio(chords, 4, "0 2 3 4 5 4 3 2", 0.5, 1.5, 53, 62);

    Part& pad = tune.AddPart("Pad", 2, gm::WarmPad, 80, 88);
    pad.Gate(1.0).Effects(80, 40);
    pad.Hold(chords, 57, 50);

    Part& bass = tune.AddPart("Bass", 3, gm::AcousticBass, 118, 64);
    bass.Gate(0.9).Humanise(3).Effects(30, 0);
    bass.Bass(chords, 4, "1:2 5:1.5 >:.5", 36, 86, &flute);

    Part& drums = tune.AddPart("Drums", kDrumChannel, 0, 110, 64);
    drums.Humanise(4).Effects(40, 0);
    drums.Drums(0, 18, gm::Shaker, "o.x.o.x.o.x.o.x.", 62);
    drums.Drums(tune.Bar(2), 16, gm::Kick, "x.........x.....", 70);
    drums.Drums(tune.Bar(2), 16, gm::SideStick, "........x.......", 58);
    return tune.Write(path, 18);
}
