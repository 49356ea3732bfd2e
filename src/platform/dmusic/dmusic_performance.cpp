// The music performance: a FluidSynth synthesizer and file player per performance, rendered into the mix.
#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/dmusic/dmusic_internal.h"

namespace dmusic_detail {
namespace {

// The SoundFonts to try and who hears when none of them loads.
struct SoundFontChoice {
    std::vector<std::string> paths;
    platform::SoundFontFailure noneLoads;
};

SoundFontChoice& Choice() {
    static SoundFontChoice choice;
    return choice;
}

// The synthesizer's gain at full music volume: the music sits under the sound effects.
constexpr double kFullGain = 0.5;

// Loads the first of the chosen SoundFonts that loads; -1 when none does, and then, once
// however many performances start, the chooser hears which one failed.
int LoadSoundFont(fluid_synth_t* synth) {
    const SoundFontChoice& choice = Choice();
    std::string unloadable;
    for (const std::string& path : choice.paths) {
        if (::access(path.c_str(), R_OK) != 0) continue;
        // No instrument is chosen yet: each piece picks its own as it starts.
        const int id = fluid_synth_sfload(synth, path.c_str(), 0);
        if (id != FLUID_FAILED) return id;
        if (unloadable.empty()) unloadable = path;
    }
    static std::once_flag once;
    std::call_once(once, [&] {
        if (choice.noneLoads) choice.noneLoads(unloadable);
    });
    return -1;
}

constexpr int kSustainPedal = 64;
constexpr int kSostenutoPedal = 66;
constexpr int kVolume = 7;
constexpr int kPan = 10;
constexpr int kResetControllers = 121;
constexpr int kDrumChannel = 9;

// The synthesizer's own messages would land on the game's console; it keeps quiet instead.
void QuietSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

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

class DirectMusic final : public CountedObject<IDirectMusic> {};

}  // namespace

bool SynthAcceptsMidi(const Bytes& midi) {
    if (midi.empty()) return false;
    QuietSynthLog();
    // The player reads its file when it first runs, so let a silent synthesizer run it for
    // one block: a file it cannot read leaves it finished at once. One silent synthesizer
    // serves every check, since making one costs more than the check itself.
    struct Checker {
        fluid_settings_t* settings = NewSettings(false);
        fluid_synth_t* synth = settings ? new_fluid_synth(settings) : nullptr;
        ~Checker() {
            if (synth) delete_fluid_synth(synth);
            if (settings) delete_fluid_settings(settings);
        }
    };
    static Checker checker;
    fluid_synth_t* synth = checker.synth;
    if (!synth) return false;
    fluid_synth_system_reset(synth);
    fluid_player_t* player = new_fluid_player(synth);
    bool accepted = false;
    if (player && fluid_player_add_mem(player, midi.data(), midi.size()) == FLUID_OK &&
        fluid_player_play(player) == FLUID_OK) {
        float left[64];
        float right[64];
        fluid_synth_write_float(synth, 64, left, 0, 1, right, 0, 1);
        accepted = fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
    }
    if (player) delete_fluid_player(player);
    return accepted;
}

HRESULT Performance::Init(IDirectMusic** music, IDirectSound* /*sound*/, HWND /*window*/) {
    if (synth_) return DMUS_E_ALREADY_INITED;
    QuietSynthLog();
    settings_ = NewSettings(true);
    if (!settings_) return E_OUTOFMEMORY;
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        delete_fluid_settings(settings_);
        settings_ = nullptr;
        return E_OUTOFMEMORY;
    }
    // The SoundFont loads on the reader's thread while the game goes on loading; the first
    // piece played, or the first mix, waits for it.
    reader_.Start(synth_, LoadSoundFont);
    if (music && !*music) *music = new DirectMusic();
    return S_OK;
}

void Performance::HoldInstruments(const std::set<std::pair<int, int>>& instruments) {
    if (!synth_) return;
    reader_.Hold(instruments);
}

HRESULT Performance::AddPort(IDirectMusicPort* port) {
    if (port) return E_NOTIMPL;  // only the default port is ours to give
    if (!synth_) return DMUS_E_NOT_INIT;
    if (!inMix_) {
        platform::AddVoice(this);
        inMix_ = true;
    }
    return S_OK;
}

HRESULT Performance::PlaySegment(IDirectMusicSegment* segment, DWORD /*flags*/, REFERENCE_TIME /*startTime*/,
                                 IDirectMusicSegmentState** state) {
    if (state) *state = nullptr;
    if (!segment) return E_POINTER;
    auto* ours = dynamic_cast<Segment*>(segment);
    if (!ours) return E_INVALIDARG;
    if (!synth_) return DMUS_E_NOT_INIT;
    if (!inMix_) return DMUS_E_NO_PORT;
    if (ours->Midi().empty()) return DMUS_E_SEGMENT_EMPTY;
    reader_.Font();
    std::uint64_t serial = 0;
    {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        StopLocked();
        ResetChannelsLocked(*ours);
        player_ = new_fluid_player(synth_);
        if (!player_) return E_OUTOFMEMORY;
        if (fluid_player_add_mem(player_, ours->Midi().data(), ours->Midi().size()) != FLUID_OK ||
            fluid_player_play(player_) != FLUID_OK) {
            delete_fluid_player(player_);
            player_ = nullptr;
            return E_FAIL;
        }
        playing_ = ours;
        pieceFrames_ = static_cast<std::uint64_t>(ours->Summary().seconds * platform::kMixRate + 0.5);
        renderedFrames_ = 0;
        playing_->AddRef();
        serial = ++serial_;
    }
    if (state) *state = new SegmentState(ours, serial);
    return S_OK;
}

HRESULT Performance::Stop(IDirectMusicSegment* segment, IDirectMusicSegmentState* state, MUSIC_TIME /*time*/,
                          DWORD /*flags*/) {
    auto* ours = dynamic_cast<Segment*>(segment);
    auto* run = dynamic_cast<SegmentState*>(state);
    if ((segment && !ours) || (state && !run)) return E_INVALIDARG;
    if (!synth_) return DMUS_E_NOT_INIT;
    std::lock_guard<std::mutex> hold(platform::AudioLock());
    const bool everything = !segment && !state;
    const bool current = playing_ && (!ours || ours == playing_) && (!run || run->serial() == serial_);
    if (everything || current) StopLocked();
    return S_OK;
}

HRESULT Performance::IsPlaying(IDirectMusicSegment* segment, IDirectMusicSegmentState* state) {
    if (!segment && !state) return E_POINTER;
    auto* ours = dynamic_cast<Segment*>(segment);
    auto* run = dynamic_cast<SegmentState*>(state);
    if ((segment && !ours) || (state && !run)) return E_INVALIDARG;
    if (!synth_) return DMUS_E_NOT_INIT;
    std::lock_guard<std::mutex> hold(platform::AudioLock());
    if (!playing_ || (ours && ours != playing_) || (run && run->serial() != serial_)) return S_FALSE;
    return SoundingLocked() ? S_OK : S_FALSE;
}

HRESULT Performance::CloseDown() {
    // Out of the mix first; after that no mix can be inside this synthesizer.
    if (inMix_) {
        platform::RemoveVoice(this);
        inMix_ = false;
    }
    reader_.Stop();
    if (synth_) {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        StopLocked();
    }
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
    synth_ = nullptr;
    settings_ = nullptr;
    volume_ = 1.0f;
    pending_ = pendingAt_ = 0;
    phase_ = 1.0;
    return S_OK;
}

void Performance::StopLocked() {
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (playing_) {
        playing_->Release();
        playing_ = nullptr;
    }
    // Pedals up and every key let go: the notes fade out as they would when released.
    const int channels = fluid_synth_count_midi_channels(synth_);
    for (int channel = 0; channel < channels; ++channel) {
        fluid_synth_cc(synth_, channel, kSustainPedal, 0);
        fluid_synth_cc(synth_, channel, kSostenutoPedal, 0);
    }
    fluid_synth_all_notes_off(synth_, -1);
}

void Performance::ResetChannelsLocked(const Segment& next) {
    // What a piece left on the channels goes back to the defaults before the next one begins.
    // Each channel starts on the instrument the next piece gives it first (program 0 where
    // it plays a note before choosing), which the download already holds, so choosing it
    // reads nothing from the SoundFont; a channel the piece leaves silent keeps what it
    // has. The drum channel keeps its drum bank.
    const int channels = std::min(fluid_synth_count_midi_channels(synth_), 16);
    for (int channel = 0; channel < channels; ++channel) {
        fluid_synth_cc(synth_, channel, kResetControllers, 0);
        fluid_synth_cc(synth_, channel, kVolume, 100);
        fluid_synth_cc(synth_, channel, kPan, 64);
        if (channel != kDrumChannel) fluid_synth_bank_select(synth_, channel, 0);
        const int program = next.Summary().startInstruments[channel].second;
        if (program >= 0) fluid_synth_program_change(synth_, channel, program);
    }
}

bool Performance::SoundingLocked() {
    // A piece counts as playing until its length, as our reader measured it, has been
    // rendered: up to its last event. The player itself stays busy a while longer for the
    // notes to ring out, and the game restarts pieces as soon as they end.
    return player_ && renderedFrames_ < pieceFrames_;
}

void Performance::RenderLocked(int frames) {
    // The player's music volume scales the synthesizer's gain, so reverb and chorus follow it.
    const float volume = platform::MusicVolume();
    if (volume != volume_) {
        fluid_synth_set_gain(synth_, static_cast<float>(kFullGain * volume));
        volume_ = volume;
    }
    fluid_synth_write_float(synth_, frames, left_, 0, 1, right_, 0, 1);
    if (player_) renderedFrames_ += static_cast<std::uint64_t>(frames);
}

void Performance::MixInto(float* stereo, int frames, int rate) {
    if (!synth_ || !stereo || frames <= 0 || rate <= 0) return;
    // The synthesizer renders only once its SoundFont is in (at once, after the first mix).
    reader_.Font();
    if (rate != platform::kMixRate) {
        MixResampledLocked(stereo, frames, rate);
        return;
    }
    pending_ = pendingAt_ = 0;
    while (frames > 0) {
        const int now = std::min(frames, kBlock);
        RenderLocked(now);
        // The gain sits before reverb and chorus, whose tail would ring on after a mute: at
        // volume 0 the music still moves on but adds nothing.
        for (int i = 0; i < now && volume_ > 0.0f; ++i) {
            stereo[2 * i] += left_[i];
            stereo[2 * i + 1] += right_[i];
        }
        stereo += 2 * now;
        frames -= now;
    }
}

void Performance::MixResampledLocked(float* stereo, int frames, int rate) {
    // Our frames at our rate, read out at the mix's rate between neighbours.
    const double step = static_cast<double>(platform::kMixRate) / rate;
    for (int i = 0; i < frames; ++i) {
        while (phase_ >= 1.0) {
            if (pendingAt_ >= pending_) {
                RenderLocked(kBlock);
                pending_ = kBlock;
                pendingAt_ = 0;
            }
            previous_[0] = next_[0];
            previous_[1] = next_[1];
            next_[0] = left_[pendingAt_];
            next_[1] = right_[pendingAt_];
            ++pendingAt_;
            phase_ -= 1.0;
        }
        const float t = static_cast<float>(phase_);
        phase_ += step;
        if (volume_ <= 0.0f) continue;
        stereo[2 * i] += previous_[0] + (next_[0] - previous_[0]) * t;
        stereo[2 * i + 1] += previous_[1] + (next_[1] - previous_[1]) * t;
    }
}

}  // namespace dmusic_detail

namespace platform {

void ChooseSoundFonts(std::vector<std::string> paths, SoundFontFailure noneLoads) {
    dmusic_detail::Choice() = {std::move(paths), std::move(noneLoads)};
}

}  // namespace platform
