// Tests of the music module: slots, play, stop, status, piece ends, bad files, shut-down.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "audio/music.h"
#include "platform/dmusic.h"
#include "platform/dmusic/instrument_reader.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"
#include "support/run_game.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A format-0 standard MIDI file at 96 ticks a beat and 120 beats a minute: a piano playing
// `notes` rising notes of `ticksPerNote` each, one after the other.
Bytes MakeMidi(int notes, std::uint32_t ticksPerNote) {
    Bytes track = {0x00, 0xC0, 0x00};  // program 0 on channel 1
    for (int i = 0; i < notes; ++i) {
        const auto key = static_cast<std::uint8_t>(60 + 2 * i);
        track.insert(track.end(), {0x00, 0x90, key, 100});
        std::uint8_t length[4];
        int count = 0;
        std::uint32_t t = ticksPerNote;
        length[count++] = t & 0x7F;
        while (t >>= 7) length[count++] = 0x80 | (t & 0x7F);
        while (count > 0) track.push_back(length[--count]);
        track.insert(track.end(), {0x80, key, 0});
    }
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    const auto size = static_cast<std::uint32_t>(track.size());
    for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<std::uint8_t>(size >> shift));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Debian's General MIDI SoundFonts; the music plays with the first that loads.
const std::vector<std::string> kSoundFonts = {"/usr/share/sounds/sf2/default-GM.sf2",
                                              "/usr/share/sounds/sf2/TimGM6mb.sf2"};

bool HaveSoundFont() {
    return access(kSoundFonts[0].c_str(), R_OK) == 0 || access(kSoundFonts[1].c_str(), R_OK) == 0;
}

// Pulls `seconds` of the mix at `rate`, as a host would; returns the loudest sample heard.
int Mix(double seconds, int rate = host::kMixRate) {
    std::vector<std::int16_t> block(2 * 1024);
    int loudest = 0;
    for (int left = static_cast<int>(seconds * rate); left > 0; left -= 1024) {
        const int frames = std::min(left, 1024);
        platform::Link().MixAudio(block.data(), frames, rate);
        for (int i = 0; i < 2 * frames; ++i) loudest = std::max(loudest, std::abs(static_cast<int>(block[i])));
    }
    return loudest;
}

// Each test works in a scratch folder holding a short tune (three notes, 0.75 s), a long
// one (one note of a minute) and a file that is no MIDI file, with music started.
class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[4096];
        ASSERT_NE(nullptr, getcwd(previous, sizeof previous));
        previousFolder_ = previous;
        WriteFile(folder_.Path() + "/tune.mid", MakeMidi(3, 48));
        WriteFile(folder_.Path() + "/long.mid", MakeMidi(1, 96 * 120));
        WriteFile(folder_.Path() + "/not_midi.mid", Bytes(200, 'x'));
        ASSERT_EQ(0, chdir(folder_.Path().c_str()));
        platform::ChooseSoundFonts(kSoundFonts, nullptr);
        ASSERT_EQ(1, InitMusic());
    }
    void TearDown() override {
        ShutdownMusic();
        currentMusic = -1;
        ASSERT_EQ(0, chdir(previousFolder_.c_str()));
    }

    gamerun::ScratchFolder folder_;
    std::string previousFolder_;
};

TEST_F(MusicTest, TableHoldsSixtyFourPiecesAndRefusesTheNext) {
    for (int i = 0; i < kMusicSlots; ++i) ASSERT_EQ(i, LoadMidi("tune.mid")) << "load " << i;
    // The same name twice gives two slots with a piece each.
    EXPECT_NE(nullptr, musicSlots[0].segment);
    EXPECT_NE(nullptr, musicSlots[1].segment);
    EXPECT_NE(musicSlots[0].segment, musicSlots[1].segment);
    EXPECT_STREQ("tune.mid", MusicFileName(1));
    EXPECT_EQ(-1, LoadMidi("tune.mid"));

    // A freed slot is the next one taken.
    EXPECT_EQ(1, DeleteMidi(10));
    EXPECT_EQ(nullptr, musicSlots[10].segment);
    EXPECT_EQ(kMusicFree, musicSlots[10].state);
    EXPECT_EQ(nullptr, MusicFileName(10));
    EXPECT_EQ(10, LoadMidi("long.mid"));
    EXPECT_STREQ("long.mid", MusicFileName(10));
}

TEST_F(MusicTest, LoadedPieceNeverPlayedReadsStopped) {
    const int id = LoadMidi("tune.mid");
    ASSERT_EQ(0, id);
    EXPECT_EQ(kMusicLoaded, musicSlots[id].state);
    EXPECT_EQ(nullptr, musicSlots[id].segmentState);
    EXPECT_EQ(5, musicSlots[5].id);
    EXPECT_EQ(3, MusicStatus(id));
    EXPECT_EQ(kMusicStopped, musicSlots[id].state);
}

TEST_F(MusicTest, PlayingAPieceStopsTheCurrentOne) {
    const int a = LoadMidi("long.mid");
    const int b = LoadMidi("long.mid");
    ASSERT_EQ(1, PlayMusic(a));
    EXPECT_EQ(a, currentMusic);
    EXPECT_NE(nullptr, musicSlots[a].segmentState);
    EXPECT_EQ(2, MusicStatus(a));

    ASSERT_EQ(1, PlayMusic(b));
    EXPECT_EQ(kMusicStopped, musicSlots[a].state);
    EXPECT_EQ(b, currentMusic);
    EXPECT_EQ(2, MusicStatus(b));
    EXPECT_EQ(3, MusicStatus(a));
}

TEST_F(MusicTest, StoppingAnyPieceLeavesNoCurrentPiece) {
    const int a = LoadMidi("long.mid");
    const int b = LoadMidi("tune.mid");
    ASSERT_EQ(1, PlayMusic(a));
    // b was never current and never played; a plays on.
    EXPECT_EQ(1, StopMusic(b));
    EXPECT_EQ(-1, currentMusic);
    EXPECT_EQ(kMusicStopped, musicSlots[b].state);
    EXPECT_EQ(2, MusicStatus(a));

    EXPECT_EQ(1, StopMusic(a));
    EXPECT_EQ(3, MusicStatus(a));
    // Stopped, then played again: it plays.
    EXPECT_EQ(1, PlayMusic(a));
    EXPECT_EQ(2, MusicStatus(a));
}

TEST_F(MusicTest, PlayingTheCurrentPieceStartsItAgain) {
    const int id = LoadMidi("tune.mid");
    ASSERT_EQ(1, PlayMusic(id));
    Mix(0.5);
    ASSERT_EQ(2, MusicStatus(id));
    ASSERT_EQ(1, PlayMusic(id));
    EXPECT_EQ(id, currentMusic);
    // 0.5 s more would have ended the first run (0.75 s); the new run has 0.25 s left.
    Mix(0.5);
    EXPECT_EQ(2, MusicStatus(id));
    Mix(0.5);
    EXPECT_EQ(3, MusicStatus(id));
}

TEST_F(MusicTest, IdsOutsideTheTableDoNothing) {
    const int id = LoadMidi("long.mid");
    ASSERT_EQ(1, PlayMusic(id));
    for (int bad : {-1, kMusicSlots, 1000}) {
        EXPECT_EQ(0, PlayMusic(bad));
        EXPECT_EQ(0, StopMusic(bad));
        EXPECT_EQ(0, MusicStatus(bad));
        EXPECT_EQ(1, DeleteMidi(bad));
        EXPECT_EQ(nullptr, MusicFileName(bad));
    }
    EXPECT_EQ(id, currentMusic);
    EXPECT_EQ(2, MusicStatus(id));
    // An empty slot inside the table is refused the same way.
    EXPECT_EQ(0, PlayMusic(id + 1));
    EXPECT_EQ(0, StopMusic(id + 1));
    EXPECT_EQ(id, currentMusic);
}

TEST_F(MusicTest, DeletingTheCurrentPieceLeavesItCurrentAndPlayGoesOn) {
    const int a = LoadMidi("long.mid");
    const int b = LoadMidi("long.mid");
    ASSERT_EQ(1, PlayMusic(a));
    EXPECT_EQ(1, DeleteMidi(a));
    EXPECT_EQ(a, currentMusic);
    EXPECT_EQ(nullptr, musicSlots[a].segment);
    EXPECT_EQ(nullptr, musicSlots[a].segmentState);
    EXPECT_EQ(kMusicFree, musicSlots[a].state);
    EXPECT_EQ(0, MusicStatus(a));

    EXPECT_EQ(1, PlayMusic(b));
    EXPECT_EQ(b, currentMusic);
    EXPECT_EQ(2, MusicStatus(b));
}

TEST_F(MusicTest, ShortPieceEndsAfterItsLengthIsMixed) {
    const int id = LoadMidi("tune.mid");
    ASSERT_EQ(1, PlayMusic(id));
    // The file was read at load time: it may go now.
    ASSERT_EQ(0, unlink("tune.mid"));
    const int loudest = Mix(0.5);
    EXPECT_EQ(2, MusicStatus(id));
    if (HaveSoundFont()) {
        EXPECT_GT(loudest, 300) << "the notes should be heard";
    }
    Mix(0.5);
    // Ended by itself: the slot still says playing until it is asked.
    EXPECT_EQ(kMusicPlaying, musicSlots[id].state);
    EXPECT_EQ(3, MusicStatus(id));
    EXPECT_EQ(kMusicStopped, musicSlots[id].state);

    // At another output rate the piece keeps its own time.
    ASSERT_EQ(1, PlayMusic(id));
    Mix(0.5, 22050);
    EXPECT_EQ(2, MusicStatus(id));
    Mix(0.5, 22050);
    EXPECT_EQ(3, MusicStatus(id));
}

// Piano, then strings, then a flute, then the piano again: a second each, four in all.
Bytes ProgramsMidi() {
    Bytes track = {0x00, 0xC0, 0x00, 0x00, 0x90, 60,   100,  0x30, 0x80, 60,   0,    0x00, 0xC0, 48,   0x00, 0x90,
                   64,   100,  0x30, 0x80, 64,   0,    0x00, 0xC0, 73,   0x00, 0x90, 67,   100,  0x30, 0x80, 67,
                   0,    0x00, 0xC0, 0x00, 0x00, 0x90, 72,   100,  0x30, 0x80, 72,   0,    0x00, 0xFF, 0x2F, 0x00};
    Bytes file = {'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
                  1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(track.size())};
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// Pulls `seconds` of the mix and keeps every sample.
std::vector<std::int16_t> Record(double seconds) {
    std::vector<std::int16_t> all(2 * static_cast<std::size_t>(seconds * host::kMixRate));
    for (std::size_t at = 0; at < all.size(); at += 2 * 1024) {
        const int frames = static_cast<int>(std::min<std::size_t>(1024, (all.size() - at) / 2));
        platform::Link().MixAudio(all.data() + at, frames, host::kMixRate);
    }
    return all;
}

// The music's SoundFont and instruments load on a thread of their own while the game goes
// on starting. A piece played at once (its instruments read then and there, or by that
// thread, whichever comes first) sounds sample for sample as one played once everything
// was read.
TEST_F(MusicTest, APieceSoundsTheSameWhetherItsInstrumentsWereReadBeforeOrNot) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no SoundFont, so nothing to hear";
    WriteFile("programs.mid", ProgramsMidi());

    ASSERT_EQ(0, LoadMidi("programs.mid"));
    ASSERT_EQ(1, PlayMusic(0));
    const std::vector<std::int16_t> atOnce = Record(1.5);
    ShutdownMusic();
    currentMusic = -1;

    ASSERT_EQ(1, InitMusic());
    ASSERT_EQ(0, LoadMidi("programs.mid"));
    platform::FinishReadingInstruments();
    ASSERT_EQ(1, PlayMusic(0));
    const std::vector<std::int16_t> afterReading = Record(1.5);

    EXPECT_GT(*std::max_element(atOnce.begin(), atOnce.end()), 300) << "the notes should be heard";
    ASSERT_EQ(atOnce.size(), afterReading.size());
    for (std::size_t i = 0; i < atOnce.size(); ++i) ASSERT_EQ(atOnce[i], afterReading[i]) << "sample " << i;
}

// In play the game never waits for the music's reading: while the SoundFont is held back
// the passes go on, the music is silent and the game's plays and stops are kept; once it is
// read the music catches up and from then on sounds sample for sample as in a run that
// waited, and every status the game read was the same.
TEST_F(MusicTest, MusicThatFellBehindItsReadingCatchesUpExactly) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no SoundFont, so nothing to hear";
    WriteFile("programs.mid", ProgramsMidi());
    ShutdownMusic();
    constexpr int kPass = host::kMixRate * 30 / 1000;
    constexpr int kHeldPasses = 8;
    struct Run {
        std::vector<std::int16_t> sound;
        std::vector<int> statuses;
    };
    const auto play = [&](bool live) {
        struct Restore {
            ~Restore() {
                dmusic_detail::InstrumentReader::HoldBackLoading(false);
                platform::LetMusicCatchUp(false);
            }
        } restore;
        platform::LetMusicCatchUp(live);
        dmusic_detail::InstrumentReader::HoldBackLoading(live);
        Run run;
        EXPECT_EQ(1, InitMusic());
        const int programs = LoadMidi("programs.mid");
        const int tune = LoadMidi("tune.mid");
        run.sound.resize(2u * kPass * 70);
        for (int pass = 0; pass < 70; ++pass) {
            if (pass == 0 || pass == 40) PlayMusic(programs);
            if (pass == 4) PlayMusic(tune);  // stops the first piece, unheard
            if (pass == kHeldPasses) {
                dmusic_detail::InstrumentReader::HoldBackLoading(false);
                platform::FinishReadingInstruments();
            }
            platform::Link().MixAudio(run.sound.data() + 2u * kPass * pass, kPass, host::kMixRate);
            run.statuses.push_back(MusicStatus(programs));
            run.statuses.push_back(MusicStatus(tune));
        }
        ShutdownMusic();
        currentMusic = -1;
        return run;
    };
    const Run waited = play(false);
    const Run live = play(true);

    EXPECT_EQ(waited.statuses, live.statuses);
    const auto heldEnd = live.sound.begin() + 2 * kPass * kHeldPasses;
    EXPECT_GT(*std::max_element(waited.sound.begin(), waited.sound.begin() + 2 * kPass * kHeldPasses), 300);
    EXPECT_TRUE(std::all_of(live.sound.begin(), heldEnd, [](std::int16_t v) { return v == 0; }))
        << "the music is silent while it is behind";
    std::size_t lastDifferent = 0;
    for (std::size_t i = 0; i < live.sound.size(); ++i)
        if (live.sound[i] != waited.sound[i]) lastDifferent = i;
    EXPECT_LT(lastDifferent, 2u * kPass * (kHeldPasses + 2)) << "it has caught up within two passes";
    EXPECT_GT(*std::max_element(heldEnd + 2 * kPass * 2, live.sound.end()), 300) << "and is heard from then on";
}

TEST_F(MusicTest, StoppedMusicFallsSilent) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no SoundFont, so nothing to hear";
    const int id = LoadMidi("long.mid");
    ASSERT_EQ(1, PlayMusic(id));
    EXPECT_GT(Mix(0.3), 300);
    StopMusic(id);
    Mix(3.0);  // the released note and the room fade away
    EXPECT_LT(Mix(0.2), 4);
}

TEST_F(MusicTest, FilesThatAreNoMusicAreRefused) {
    EXPECT_EQ(-1, LoadMidi("absent.mid"));
    EXPECT_EQ(-1, LoadMidi("not_midi.mid"));
    Bytes cut = MakeMidi(3, 48);
    cut.resize(cut.size() - 6);
    WriteFile("cut.mid", cut);
    EXPECT_EQ(-1, LoadMidi("cut.mid"));
    // A good tune padded past 4 MiB is too big to read.
    Bytes huge = MakeMidi(3, 48);
    huge.resize((4u << 20) + 1, 0);
    WriteFile("huge.mid", huge);
    EXPECT_EQ(-1, LoadMidi("huge.mid"));
    huge.resize(4u << 20);
    WriteFile("huge.mid", huge);
    EXPECT_EQ(0, LoadMidi("huge.mid")) << "4 MiB exactly is still read";
    EXPECT_EQ(-1, LoadMidi(std::string(300, 'a').c_str()));
    // Every failure left the slots free.
    EXPECT_EQ(1, LoadMidi("tune.mid"));
}

TEST_F(MusicTest, NamesOutsideAsciiAreFound) {
    WriteFile("m\xC3\xBCsik \xE2\x99\xAA.mid", MakeMidi(1, 48));
    EXPECT_EQ(0, LoadMidi("m\xC3\xBCsik \xE2\x99\xAA.mid"));
}

TEST_F(MusicTest, ShutdownReleasesEverythingAndMusicCanStartAgain) {
    const int id = LoadMidi("long.mid");
    PlayMusic(id);
    EXPECT_EQ(1, ShutdownMusic());
    EXPECT_EQ(nullptr, musicPerformance);
    EXPECT_EQ(nullptr, musicLoader);
    for (const MusicSlot& slot : musicSlots) {
        EXPECT_EQ(nullptr, slot.segment);
        EXPECT_EQ(kMusicFree, slot.state);
    }
    EXPECT_EQ(-1, LoadMidi("tune.mid")) << "no loader after shut-down";
    EXPECT_EQ(0, PlayMusic(id));

    ASSERT_EQ(1, InitMusic());
    EXPECT_EQ(-1, currentMusic);
    EXPECT_EQ(0, LoadMidi("tune.mid"));
}

TEST(MusicWithoutStart, LoadsFail) {
    gamerun::ScratchFolder folder;
    WriteFile(folder.Path() + "/tune.mid", MakeMidi(3, 48));
    char previous[4096];
    ASSERT_NE(nullptr, getcwd(previous, sizeof previous));
    ASSERT_EQ(0, chdir(folder.Path().c_str()));
    EXPECT_EQ(-1, LoadMidi("tune.mid"));
    EXPECT_EQ(0, PlayMusic(0));
    EXPECT_EQ(0, MusicStatus(0));
    EXPECT_EQ(1, ShutdownMusic()) << "nothing to release is fine too";
    ASSERT_EQ(0, chdir(previous));
}

}  // namespace
