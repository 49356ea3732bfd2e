// What our SoundFont check adds to the start: the check of Debian's font beside the
// synthesizer's own load of it (samples read on demand, as the music loads it). Compare the
// two rates; skipped when the font is not installed.
#include <benchmark/benchmark.h>
#include <fluidsynth.h>
#include <unistd.h>

#include <string>

#include "platform/dmusic/sound_font_file.h"
#include "platform/dmusic/synth_log.h"

namespace {

const char kFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

void BM_OurSoundFontCheck(benchmark::State& state) {
    if (access(kFont, R_OK) != 0) return state.SkipWithError("no TimGM6mb.sf2");
    for (auto _ : state) {
        std::string why;
        bool missing = false;
        benchmark::DoNotOptimize(platform::CheckSoundFontFile(kFont, why, missing));
    }
}
BENCHMARK(BM_OurSoundFontCheck)->Unit(benchmark::kMillisecond);

void BM_SynthesizerLoadsTheSoundFont(benchmark::State& state) {
    if (access(kFont, R_OK) != 0) return state.SkipWithError("no TimGM6mb.sf2");
    dmusic_detail::QuietSynthLog();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_synth_t* synth = new_fluid_synth(settings);
    for (auto _ : state) {
        const int id = fluid_synth_sfload(synth, kFont, 0);
        fluid_synth_sfunload(synth, static_cast<unsigned>(id), 0);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}
BENCHMARK(BM_SynthesizerLoadsTheSoundFont)->Unit(benchmark::kMillisecond);

}  // namespace
