// The synthesizer on the web: FluidSynth compiled for the browser, which the page loads with
// its SoundFont before the game starts and offers as Module.trundlebopMusic (web/music.js).
// Without it (the program run under node, or a page whose font failed to load) the music
// runs silent: a piece plays until it is stopped, so the game sees its music as it would
// with sound.
#include <emscripten.h>

#include <algorithm>

#include "platform/dmusic/synth.h"

namespace dmusic_detail {
namespace {

// clang-format off
EM_JS(int, PageSynthPresent, (), { return Module.trundlebopMusic ? 1 : 0; });
EM_JS(int, PageSynthHasFont, (), { return Module.trundlebopMusic.hasFont() ? 1 : 0; });
EM_JS(int, PageSynthStart, (const std::uint8_t* midi, int size), {
    return Module.trundlebopMusic.start(HEAPU8.slice(midi, midi + size)) ? 1 : 0;
});
EM_JS(void, PageSynthStop, (), { Module.trundlebopMusic.stop(); });
EM_JS(int, PageSynthPlaying, (), { return Module.trundlebopMusic.playing() ? 1 : 0; });
EM_JS(int, PageSynthChannels, (), { return Module.trundlebopMusic.channels(); });
EM_JS(void, PageSynthControl, (int channel, int control, int value), {
    Module.trundlebopMusic.control(channel, control, value);
});
EM_JS(void, PageSynthBank, (int channel, int bank), { Module.trundlebopMusic.bank(channel, bank); });
EM_JS(void, PageSynthProgram, (int channel, int program), { Module.trundlebopMusic.program(channel, program); });
EM_JS(void, PageSynthNotesOff, (), { Module.trundlebopMusic.allNotesOff(); });
EM_JS(void, PageSynthVolume, (float volume), { Module.trundlebopMusic.volume(volume); });
EM_JS(void, PageSynthRender, (int frames, float* left, float* right), {
    Module.trundlebopMusic.render(HEAPF32.subarray(left >> 2, (left >> 2) + frames),
                                  HEAPF32.subarray(right >> 2, (right >> 2) + frames));
});
// clang-format on

constexpr int kChannels = 16;

// The page's synthesizer, one for the page: the performance of the game's music.
class PageSynth final : public Synth {
public:
    SoundFontLoad LoadSoundFont(const std::string& /*path*/, std::string& /*why*/) override {
        // The page loads its one SoundFont itself, before the game starts.
        return PageSynthHasFont() ? SoundFontLoad::Loaded : SoundFontLoad::Missing;
    }
    // The page's synthesizer reads the whole font when it loads: every instrument is held.
    bool HoldPreset(int /*bank*/, int /*program*/) override { return PageSynthHasFont() != 0; }
    bool StartPiece(const std::uint8_t* midi, std::size_t size) override {
        return PageSynthStart(midi, static_cast<int>(size)) != 0;
    }
    void StopPiece() override { PageSynthStop(); }
    bool PiecePlaying() override { return PageSynthPlaying() != 0; }
    int Channels() override { return PageSynthChannels(); }
    void ControlChange(int channel, int control, int value) override { PageSynthControl(channel, control, value); }
    void BankSelect(int channel, int bank) override { PageSynthBank(channel, bank); }
    void ProgramChange(int channel, int program) override { PageSynthProgram(channel, program); }
    void AllNotesOff() override { PageSynthNotesOff(); }
    void SetVolume(float volume) override { PageSynthVolume(volume); }
    void Render(int frames, float* left, float* right) override {
        if (MusicSynthesisLeftOut()) {
            std::fill(left, left + frames, 0.0f);
            std::fill(right, right + frames, 0.0f);
            return;
        }
        PageSynthRender(frames, left, right);
    }
};

// No synthesizer: silence, and a piece that plays until it is stopped.
class SilentSynth final : public Synth {
public:
    SoundFontLoad LoadSoundFont(const std::string& /*path*/, std::string& /*why*/) override {
        return SoundFontLoad::Missing;
    }
    bool HoldPreset(int /*bank*/, int /*program*/) override { return false; }
    bool StartPiece(const std::uint8_t* /*midi*/, std::size_t size) override {
        playing_ = size > 0;
        return playing_;
    }
    void StopPiece() override { playing_ = false; }
    bool PiecePlaying() override { return playing_; }
    int Channels() override { return kChannels; }
    void ControlChange(int, int, int) override {}
    void BankSelect(int, int) override {}
    void ProgramChange(int, int) override {}
    void AllNotesOff() override {}
    void SetVolume(float) override {}
    void Render(int frames, float* left, float* right) override {
        std::fill(left, left + frames, 0.0f);
        std::fill(right, right + frames, 0.0f);
    }

private:
    bool playing_ = false;
};

}  // namespace

std::unique_ptr<Synth> Synth::Make(bool forListening) {
    // Files are checked by our own reader alone (dmusic.cpp): the silent synthesizer takes
    // whatever it passes.
    if (forListening && PageSynthPresent()) return std::make_unique<PageSynth>();
    return std::make_unique<SilentSynth>();
}

}  // namespace dmusic_detail
