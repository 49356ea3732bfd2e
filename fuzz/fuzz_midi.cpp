// Coverage-guided fuzzer for music files: any bytes through our MIDI reader, then loaded as
// the game loads a piece (our reader, then the synthesizer's own load), played and mixed.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/music.h"
#include "audio/sound.h"
#include "fuzz_files.h"
#include "platform/dmusic.h"
#include "platform/dmusic/midi_file.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string inputPath = "/tmp/fuzz_midi_" + std::to_string(::getpid()) + ".mid";
    static const bool ready = [] {
        std::atexit([] { std::remove(inputPath.c_str()); });
        InstallSoundHost();
        // The pieces are played with a SoundFont when the machine has one, as in the game.
        platform::ChooseSoundFonts({"/usr/share/sounds/sf2/TimGM6mb.sf2"}, nullptr);
        InitSound();
        return InitMusic() == 1;
    }();
    if (!ready || !WriteFile(inputPath, data, size)) return 0;

    platform::MidiSummary summary;
    std::string why;
    const bool readable = platform::ReadMidiFile(data, size, summary, why);
    // What the reader lets through is a piece the synthesizer can keep and time.
    if (readable && (summary.tracks < 1 || summary.tracks > platform::kMostMidiTracks ||
                     !std::isfinite(summary.seconds) || summary.seconds <= 0))
        std::abort();
    if (!readable && why.empty()) std::abort();

    const int id = LoadMidi(inputPath.c_str());
    // A file our reader refuses never reaches the synthesizer: LoadMidi gives -1.
    if (!readable && id != -1) std::abort();
    if (id >= 0) {
        PlayMusic(id);
        static std::vector<std::int16_t> out(2048 * 2);
        platform::Link().MixAudio(out.data(), 2048, host::kMixRate);
        MusicStatus(id);
        platform::Link().MixAudio(out.data(), 300, 22050);
        StopMusic(id);
        DeleteMidi(id);
    }
    return 0;
}
