// The synthesizer on the desktop: FluidSynth's library, with no threads of its own.
#include <fluidsynth.h>

#include <algorithm>

#include "platform/dmusic/sound_font_file.h"
#include "platform/dmusic/synth.h"
#include "platform/dmusic/synth_log.h"
#include "platform/dsound/audio_mixer.h"

namespace dmusic_detail {
namespace {

// The synthesizer's gain at full music volume: the music sits under the sound effects.
constexpr double kFullGain = 0.5;

// Settings every synthesizer of ours shares: the mix's rate, no threads of its own, and a
// file player that moves on with the samples we render (so headless runs repeat exactly).
// Between pieces we reset the channels ourselves, so the last notes of one piece can ring out.
fluid_settings_t* NewSettings(bool forListening) {
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", platform::kMixRate);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "player.reset-synth", 0);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    if (forListening) {
        // Samples are read from the SoundFont only for the instruments the pieces use,
        // when their pieces are loaded: a large font then starts as fast as a small one.
        fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
        // Room for the busiest passages; under the sound effects, which play at full scale.
        fluid_settings_setint(settings, "synth.polyphony", 96);
        fluid_settings_setnum(settings, "synth.gain", kFullGain);
        // A modest room and a light chorus, as a sound card of the day would add.
        fluid_settings_setint(settings, "synth.reverb.active", 1);
        fluid_settings_setnum(settings, "synth.reverb.room-size", 0.4);
        fluid_settings_setnum(settings, "synth.reverb.damp", 0.3);
        fluid_settings_setnum(settings, "synth.reverb.width", 0.8);
        fluid_settings_setnum(settings, "synth.reverb.level", 0.5);
        fluid_settings_setint(settings, "synth.chorus.active", 1);
        fluid_settings_setnum(settings, "synth.chorus.level", 0.8);
    } else {
        fluid_settings_setint(settings, "synth.polyphony", 1);
        fluid_settings_setint(settings, "synth.reverb.active", 0);
        fluid_settings_setint(settings, "synth.chorus.active", 0);
    }
    return settings;
}

class FluidSynth final : public Synth {
public:
    FluidSynth(fluid_settings_t* settings, fluid_synth_t* synth, bool heard)
        : settings_(settings), synth_(synth), heard_(heard) {}
    ~FluidSynth() override {
        StopPiece();
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }

    SoundFontLoad LoadSoundFont(const std::string& path, std::string& why) override {
        // Our own reader sees the font whole before the synthesizer is trusted with it.
        bool missing = false;
        if (!platform::CheckSoundFontFile(path, why, missing))
            return missing ? SoundFontLoad::Missing : SoundFontLoad::Unloadable;
        font_ = fluid_synth_sfload(synth_, path.c_str(), 0);
        return font_ == FLUID_FAILED ? SoundFontLoad::Unloadable : SoundFontLoad::Loaded;
    }
    bool HoldPreset(int bank, int program) override {
        return font_ != FLUID_FAILED && fluid_synth_pin_preset(synth_, font_, bank, program) == FLUID_OK;
    }
    bool StartPiece(const std::uint8_t* midi, std::size_t size) override {
        StopPiece();
        player_ = new_fluid_player(synth_);
        if (!player_) return false;
        if (fluid_player_add_mem(player_, midi, size) != FLUID_OK || fluid_player_play(player_) != FLUID_OK) {
            StopPiece();
            return false;
        }
        return true;
    }
    void StopPiece() override {
        if (!player_) return;
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    bool PiecePlaying() override { return player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING; }
    int Channels() override { return fluid_synth_count_midi_channels(synth_); }
    void ControlChange(int channel, int control, int value) override {
        fluid_synth_cc(synth_, channel, control, value);
    }
    void BankSelect(int channel, int bank) override { fluid_synth_bank_select(synth_, channel, bank); }
    void ProgramChange(int channel, int program) override { fluid_synth_program_change(synth_, channel, program); }
    void AllNotesOff() override { fluid_synth_all_notes_off(synth_, -1); }
    void SetVolume(float volume) override { fluid_synth_set_gain(synth_, static_cast<float>(kFullGain * volume)); }
    void Render(int frames, float* left, float* right) override {
        if (!heard_) {
            // Synthesis left out: nothing is rendered, and the player, which moves on only
            // as the synthesizer renders, plays none of its notes.
            std::fill(left, left + frames, 0.0f);
            std::fill(right, right + frames, 0.0f);
            return;
        }
        fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
    }

private:
    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
    const bool heard_;  // renders the music; false when its synthesis is left out
    fluid_player_t* player_ = nullptr;
    int font_ = FLUID_FAILED;
};

}  // namespace

std::unique_ptr<Synth> Synth::Make(bool forListening) {
    QuietSynthLog();
    fluid_settings_t* settings = NewSettings(forListening);
    if (!settings) return nullptr;
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (!synth) {
        delete_fluid_settings(settings);
        return nullptr;
    }
    // The silent checker renders whatever happens: its rendering is how it reads a file.
    const bool heard = !forListening || !MusicSynthesisLeftOut();
    return std::make_unique<FluidSynth>(settings, synth, heard);
}

}  // namespace dmusic_detail
