// Coverage-guided fuzzer for SoundFonts: any bytes through our SoundFont reader; what it
// takes is loaded by the synthesizer, as the music loads a font, and a note of each of its
// keys' ranges is played and mixed.
#include <fluidsynth.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_files.h"
#include "platform/dmusic/sound_font_file.h"
#include "platform/dmusic/synth_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string inputPath = "/tmp/fuzz_soundfont_" + std::to_string(::getpid()) + ".sf2";
    static fluid_synth_t* synth = [] {
        std::atexit([] { std::remove(inputPath.c_str()); });
        dmusic_detail::QuietSynthLog();
        fluid_settings_t* settings = new_fluid_settings();
        fluid_settings_setint(settings, "synth.cpu-cores", 1);
        fluid_settings_setint(settings, "synth.reverb.active", 0);
        fluid_settings_setint(settings, "synth.chorus.active", 0);
        return new_fluid_synth(settings);
    }();

    std::string why;
    const bool taken = platform::CheckSoundFontBytes(data, size, why);
    if (taken != why.empty()) std::abort();  // a refusal always says why, and only a refusal
    if (!taken || !synth || !WriteFile(inputPath, data, size)) return 0;

    // Whatever the reader lets through, the synthesizer loads or refuses without harm and
    // plays at a bounded cost.
    const int id = fluid_synth_sfload(synth, inputPath.c_str(), 1);
    if (id == FLUID_FAILED) return 0;
    static float left[1024], right[1024];
    for (int key : {0, 36, 60, 84, 127}) fluid_synth_noteon(synth, 0, key, 100);
    fluid_synth_write_float(synth, 1024, left, 0, 1, right, 0, 1);
    for (float s : left)
        if (!std::isfinite(s)) std::abort();
    // The voices go with the next block, and only then is the font free to unload at once:
    // a font still sounding is freed later, by a timer of the synthesizer's own.
    fluid_synth_all_sounds_off(synth, -1);
    fluid_synth_write_float(synth, 64, left, 0, 1, right, 0, 1);
    fluid_synth_sfunload(synth, static_cast<unsigned>(id), 1);
    return 0;
}
