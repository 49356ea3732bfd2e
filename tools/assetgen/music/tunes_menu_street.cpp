// The title screen's tune and the street ride's tune.
#include "music/tunes.h"

#include "kit/tune_kit.h"

// Title screen, F major at 116 bpm, 26 bars: a two-bar vamp, a sunny A, a B that leans on D minor,
// and A again ending on a C7 that leads straight back into the vamp when the piece restarts.
bool WriteMenuTune(const std::string& path) {
    Tune tune("menu", "Trundlebop - Title", 116, 4);
    const std::string intro = "F | Gm7 C7";
    const std::string a = "F | Am | Bb | C | F | Am | Gm7 | C7";
    const std::string b = "Dm | Bb | F | C | Dm | Bb | Gm7 | C7";
    const std::string a2 = "F | Am | Bb | C | Dm | Bb | C7 | F C7";
    const auto chords = tune.Progression(0, intro + " | " + a + " | " + b + " | " + a2);
    const auto padChords = tune.Progression(tune.Bar(10), b + " | " + a2);

    Part& vibes = tune.AddPart("Vibes", 0, gm::Vibraphone, 108, 56);
    vibes.Gate(0.85).Humanise(4).Effects(50, 10);
    const std::string hook =
        "r:.5 C5:.5 F5:.5 G5:.5 A5:1 F5:1 | E5:.5 G5:.5 E5:.5 C5:.5 E5:2 | "
        "r:.5 D5:.5 F5:.5 G5:.5 Bb5:1 A5:.5 G5:.5 | G5:1.5 E5:.5 C5:2 |";
    const std::string aEnd =
        "r:.5 C5:.5 F5:.5 G5:.5 A5:1 C6:1 | C6:.5 A5:.5 E5:.5 A5:.5 G5:2 | "
        "F5:.5 G5:.5 Bb5:1 A5:.5 G5:.5 F5:.5 D5:.5 | E5:1.5 D5:.5 C5:1 r:1 |";
    const std::string bTune =
        "D5:1.5 E5:.5 F5:1 A5:1 | Bb5:1.5 A5:.5 F5:2 | A5:1.5 G5:.5 F5:1 C5:1 | E5:1.5 D5:.5 E5:1 G5:1 | "
        "F5:1.5 E5:.5 D5:1 A5:1 | D6:1.5 C6:.5 Bb5:1 F5:1 | G5:1 Bb5:1 D6:1 C6:1 | E5:1 G5:1 C6:1 Bb5:1 |";
    const std::string a2End =
        "r:.5 D5:.5 F5:.5 A5:.5 D6:1 C6:1 | Bb5:.5 A5:.5 F5:.5 D5:.5 F5:2 | "
        "E5:.5 F5:.5 G5:.5 Bb5:.5 A5:.5 G5:.5 E5:.5 G5:.5 | F5:2 r:2 |";
    vibes.Melody(tune.Bar(2), hook + aEnd + bTune + hook + a2End, 96);

    // A soft flute joins the tune from the B part on, for lift.
    Part& flute = tune.AddPart("Flute", 1, gm::Flute, 96, 72);
    flute.Gate(0.9).Humanise(3).Effects(60, 0);
    flute.Melody(tune.Bar(10), bTune + hook + a2End, 70);

    Part& keys = tune.AddPart("Keys", 2, gm::ElectricPiano, 92, 44);
    keys.Gate(0.8).Humanise(5).Effects(40, 30);
    keys.Comp(chords, 4, "x:1.5 x:1.5 x:1", 53, 74);

    Part& strings = tune.AddPart("Strings", 3, gm::Strings, 64, 80);
    strings.Gate(0.98).Effects(70, 0);
    strings.Hold(padChords, 57, 52);

    Part& bass = tune.AddPart("Bass", 4, gm::FingerBass, 110, 64);
    bass.Gate(0.8).Humanise(4).Effects(20, 0);
    bass.Bass(chords, 4, "1:1.5 1:.5 5:1 >:1", 36, 96, &vibes);

    Part& drums = tune.AddPart("Drums", kDrumChannel, 0, 116, 64);
    drums.Humanise(5).Effects(30, 0);
    const int bars = 26;
    drums.Drums(0, bars, gm::ClosedHat, "x.o.x.o.x.o.x.o.", 78);
    drums.Drums(0, bars, gm::Kick, "x.....x.x.......", 96);
    for (int bar = 0; bar < bars; ++bar) {
        const bool fill = bar == 1 || bar == 9 || bar == 17 || bar == 25;
        drums.Drums(tune.Bar(bar), 1, gm::Snare, fill ? "....x.....x.xoxX" : "....x.......x...", 88);
        if (fill) drums.Drums(tune.Bar(bar), 1, gm::MidTom, "............x...", 84);
        if (fill) drums.Drums(tune.Bar(bar), 1, gm::LowTom, ".............x..", 84);
    }
    for (int bar : {2, 10, 18}) drums.Drums(tune.Bar(bar), 1, gm::Crash, "x...............", 90);
    drums.Drums(tune.Bar(10), 8, gm::Tambourine, "....x.......x...", 60);
    return tune.Write(path, bars);
}

// The street ride, D major at 168 bpm, 36 bars: a guitar riff, a verse over palm-muted eighths and a
// chorus with the fast skate beat; the last chorus ends on A, which falls back into the riff on D.
bool WriteStreetTune(const std::string& path) {
    Tune tune("street", "Trundlebop - Street", 168, 4);
    const std::string intro = "D | A | G | A";
    const std::string verse = "D | A | Bm | G | D | A | G | A";
    const std::string chorus = "G | A | D | Bm | G | A | D | A";
    const auto introChords = tune.Progression(0, intro);
    const auto verse1 = tune.Progression(tune.Bar(4), verse);
    const auto chorus1 = tune.Progression(tune.Bar(12), chorus);
    const auto verse2 = tune.Progression(tune.Bar(20), verse);
    const auto chorus2 = tune.Progression(tune.Bar(28), chorus);
    const auto all = tune.Progression(0, intro + " | " + verse + " | " + chorus + " | " + verse + " | " + chorus);

    const std::string riff =
        "F#5:.5 E5:.5 D5:.5 A4:.5 D5:.5 E5:.5 F#5:1 | E5:.5 C#5:.5 A4:.5 E4:.5 A4:.5 C#5:.5 E5:1 | "
        "D5:.5 B4:.5 G4:.5 B4:.5 D5:.5 E5:.5 D5:1 | C#5:.5 E5:.5 A5:1 G5:.5 E5:.5 C#5:1 |";
    const std::string verseTune =
        "A4:.5 A4:.5 A4:.5 F#4:.5 A4:1 B4:.5 A4:.5 | E4:1 C#5:1 A4:1.5 r:.5 | "
        "B4:.5 B4:.5 B4:.5 D5:.5 F#5:1 E5:.5 D5:.5 | D5:1.5 B4:.5 G4:1 r:1 | "
        "A4:.5 A4:.5 D5:.5 D5:.5 F#5:1 E5:.5 D5:.5 | C#5:1 E5:1 A4:1.5 r:.5 | "
        "B4:.5 D5:.5 G5:1 F#5:.5 E5:.5 D5:1 | E5:2 r:.5 A4:.5 C#5:.5 E5:.5 |";
    const std::string chorusTune =
        "G5:1.5! F#5:.5 G5:1 D5:1 | E5:1.5! C#5:.5 E5:1 A5:1 | F#5:2! E5:1 D5:1 | B4:1 D5:1 F#5:2 | "
        "G5:1.5! F#5:.5 G5:1 B5:1 | A5:1.5! G5:.5 E5:1 C#5:1 | D5:1 F#5:1 A5:1 F#5:1 | E5:3! r:1 |";

    Part& lead = tune.AddPart("Lead guitar", 0, gm::OverdriveGuitar, 124, 58);
    lead.Gate(0.92).Humanise(4).Effects(40, 0);
    lead.Melody(0, riff + verseTune + chorusTune + verseTune + chorusTune, 100);

    // A square-wave lead doubles the choruses to make them sing out over the guitars.
    Part& synth = tune.AddPart("Chorus lead", 1, gm::SquareLead, 70, 70);
    synth.Gate(0.9).Effects(30, 20);
    synth.Melody(tune.Bar(12), chorusTune, 72);
    synth.Melody(tune.Bar(28), chorusTune, 72);

    Part& rhythm = tune.AddPart("Rhythm guitar", 2, gm::DistortionGuitar, 84, 40);
    rhythm.Humanise(4).Effects(20, 0);
    rhythm.Gate(0.9).PowerChords(introChords, 4, "X:1.5 x:.5 -:.5 x:.5 x:1", 40, 82);
    rhythm.Gate(0.45).PowerChords(verse1, 4, "X:.5 x:.5 x:.5 x:.5 X:.5 x:.5 x:.5 x:.5", 40, 74);
    rhythm.Gate(0.95).PowerChords(chorus1, 4, "X:1.5 x:1 x:1.5", 40, 84);
    rhythm.Gate(0.45).PowerChords(verse2, 4, "X:.5 x:.5 x:.5 x:.5 X:.5 x:.5 x:.5 x:.5", 40, 74);
    rhythm.Gate(0.95).PowerChords(chorus2, 4, "X:1.5 x:1 x:1.5", 40, 84);

    Part& bass = tune.AddPart("Bass", 3, gm::PickBass, 112, 64);
    bass.Gate(0.8).Humanise(5).Effects(10, 0);
    bass.Bass(all, 4, "1:.5 1:.5 1:.5 1:.5 1:.5 1:.5 5:.5 >:.5", 31, 98, &lead);

    Part& drums = tune.AddPart("Drums", kDrumChannel, 0, 104, 64);
    drums.Humanise(6).Effects(25, 0);
    const std::string rockKick = "x.......x.x.....", rockSnare = "....x.......x...", hats = "x.x.x.x.x.x.x.x.";
    const std::string skateKick = "x...x...x...x...", skateSnare = "..x...x...x...x.", skateRide = "x...x...x...x...";
    for (int bar = 0; bar < 36; ++bar) {
        const double at = tune.Bar(bar);
        const bool chorusBar = (bar >= 12 && bar < 20) || bar >= 28;
        const bool fill = bar == 3 || bar == 11 || bar == 19 || bar == 27 || bar == 35;
        if (fill) {
            drums.Drums(at, 1, gm::Kick, "x.......x.......", 100);
            drums.Drums(at, 1, gm::Snare, "....x...xoxoxxXX", 96);
            drums.Drums(at, 1, gm::HighTom, "..........x.....", 96);
            drums.Drums(at, 1, gm::LowTom, "...........x..x.", 96);
            drums.Drums(at, 1, gm::ClosedHat, "x.x.x.x.........", 80);
        } else if (chorusBar) {
            drums.Drums(at, 1, gm::Kick, skateKick, 100);
            drums.Drums(at, 1, gm::Snare, skateSnare, 92);
            drums.Drums(at, 1, gm::Ride, skateRide, 80);
        } else {
            drums.Drums(at, 1, gm::Kick, rockKick, 100);
            drums.Drums(at, 1, gm::Snare, rockSnare, 96);
            drums.Drums(at, 1, gm::ClosedHat, hats, 78);
        }
    }
    for (int bar : {0, 4, 12, 16, 20, 28, 32}) drums.Drums(tune.Bar(bar), 1, gm::Crash, "X...............", 92);
    return tune.Write(path, 36);
}
