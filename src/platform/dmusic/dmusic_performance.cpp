// The music performance: a SoundFont synthesizer and its file player per performance (synth.h),
// rendered into the mix.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <limits>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/dmusic/dmusic_internal.h"
#include "platform/dmusic/synth.h"

namespace dmusic_detail {
namespace {

// The SoundFonts to try and who hears what became of them.
struct SoundFontChoice {
    std::vector<std::string> paths;
    platform::SoundFontNews news;
};

SoundFontChoice& Choice() {
    static SoundFontChoice choice;
    return choice;
}

// Loads the first of the chosen SoundFonts that is whole and loads; false when none does. A
// font that is not there is passed over in silence; once, however many performances start,
// the chooser hears of the first one refused, or that none loads.
bool LoadSoundFont(Synth& synth) {
    const SoundFontChoice& choice = Choice();
    platform::SoundFontOutcome outcome;
    bool loaded = false;
    for (const std::string& path : choice.paths) {
        // No instrument is chosen yet: each piece picks its own as it starts.
        std::string why;
        const SoundFontLoad load = synth.LoadSoundFont(path, why);
        if (load == SoundFontLoad::Loaded) {
            outcome.loaded = path;
            loaded = true;
            break;
        }
        if (load == SoundFontLoad::Unloadable && outcome.passedOver.empty()) outcome = {"", path, why};
    }
    if (!loaded || !outcome.passedOver.empty()) {
        static std::once_flag once;
        std::call_once(once, [&] {
            if (choice.news) choice.news(outcome);
        });
    }
    return loaded;
}

// platform::LetMusicCatchUp's choice, taken by each performance as it starts.
std::atomic<bool> musicCatchesUp{false};

// A synthesizer behind goes through this many frames for each one mixed, so that it catches
// up with the passes in a few of them without costing any one pass much.
constexpr std::uint64_t kCatchUpPace = 8;

constexpr int kSustainPedal = 64;
constexpr int kSostenutoPedal = 66;
constexpr int kVolume = 7;
constexpr int kPan = 10;
constexpr int kResetControllers = 121;
constexpr int kDrumChannel = 9;

class DirectMusic final : public CountedObject<IDirectMusic> {};

}  // namespace

bool SynthAcceptsMidi(const Bytes& midi) {
    if (midi.empty()) return false;
    // The player reads its file when it first runs, so let a silent synthesizer run it for
    // one block: a file it cannot read leaves it finished at once. One silent synthesizer
    // serves every check, since making one costs more than the check itself.
    static const std::unique_ptr<Synth> checker = Synth::Make(false);
    if (!checker) return false;
    bool accepted = false;
    if (checker->StartPiece(midi.data(), midi.size())) {
        float left[64];
        float right[64];
        checker->Render(64, left, right);
        accepted = checker->PiecePlaying();
    }
    checker->StopPiece();
    checker->AllNotesOff();
    return accepted;
}

HRESULT Performance::Init(IDirectMusic** music, IDirectSound* /*sound*/, HWND /*window*/) {
    if (synth_) return DMUS_E_ALREADY_INITED;
    synth_ = Synth::Make(true);
    if (!synth_) return E_OUTOFMEMORY;
    // The SoundFont loads on the reader's thread while the game goes on loading; the first
    // piece played, or the first mix, waits for it, unless the music may fall behind.
    reader_.Start(*synth_, LoadSoundFont);
    mayFallBehind_ = musicCatchesUp.load();
    if (mayFallBehind_) {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        FallBehindLocked();
    }
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
    if (!mayFallBehind_) reader_.WaitForSoundFont();
    std::uint64_t serial = 0;
    {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        // A piece whose instruments are still being read starts once they are in, where it
        // would be by then, rather than have the synthesizer read them while the game waits.
        if (mayFallBehind_ && !behind_ && !reader_.Idle()) FallBehindLocked();
        StopLocked();
        if (behind_) {
            MissLocked(ours);
        } else {
            ResetChannelsLocked(*ours);
            if (!StartPieceLocked(*ours)) return E_FAIL;
        }
        pieceRunning_ = true;
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
        for (const Missed& missed : missed_)
            if (missed.piece) missed.piece->Release();
        missed_.clear();
        behind_ = false;
    }
    synth_.reset();
    volume_ = 1.0f;
    pending_ = pendingAt_ = 0;
    phase_ = 1.0;
    return S_OK;
}

void Performance::StopLocked() {
    pieceRunning_ = false;
    if (playing_) {
        playing_->Release();
        playing_ = nullptr;
    }
    if (behind_) {
        MissLocked(nullptr);
    } else {
        SilenceLocked();
    }
}

void Performance::SilenceLocked() {
    synth_->StopPiece();
    // Pedals up and every key let go: the notes fade out as they would when released.
    const int channels = synth_->Channels();
    for (int channel = 0; channel < channels; ++channel) {
        synth_->ControlChange(channel, kSustainPedal, 0);
        synth_->ControlChange(channel, kSostenutoPedal, 0);
    }
    synth_->AllNotesOff();
}

void Performance::ResetChannelsLocked(const Segment& next) {
    // What a piece left on the channels goes back to the defaults before the next one begins.
    // Each channel starts on the instrument the next piece gives it first (program 0 where
    // it plays a note before choosing), which the download already holds, so choosing it
    // reads nothing from the SoundFont; a channel the piece leaves silent keeps what it
    // has. The drum channel keeps its drum bank.
    const int channels = std::min(synth_->Channels(), 16);
    for (int channel = 0; channel < channels; ++channel) {
        synth_->ControlChange(channel, kResetControllers, 0);
        synth_->ControlChange(channel, kVolume, 100);
        synth_->ControlChange(channel, kPan, 64);
        if (channel != kDrumChannel) synth_->BankSelect(channel, 0);
        const int program = next.Summary().startInstruments[channel].second;
        if (program >= 0) synth_->ProgramChange(channel, program);
    }
}

bool Performance::StartPieceLocked(const Segment& piece) {
    return synth_->StartPiece(piece.Midi().data(), piece.Midi().size());
}

void Performance::FallBehindLocked() {
    behind_ = true;
    missedFrames_ = caughtUpFrames_ = 0;
    nextMissed_ = 0;
}

void Performance::MissLocked(Segment* piece) {
    // A stop after a stop changes nothing.
    if (!piece && !missed_.empty() && !missed_.back().piece) return;
    if (piece) piece->AddRef();
    missed_.push_back({missedFrames_, piece});
}

bool Performance::CatchUpLocked(std::uint64_t budget) {
    for (;;) {
        const bool eventDue = nextMissed_ < missed_.size();
        const std::uint64_t until = eventDue ? missed_[nextMissed_].at : missedFrames_;
        if (caughtUpFrames_ < until) {
            if (budget == 0) return false;
            const auto now =
                static_cast<int>(std::min<std::uint64_t>({budget, until - caughtUpFrames_, std::uint64_t{kBlock}}));
            RenderSynthLocked(now);
            caughtUpFrames_ += static_cast<std::uint64_t>(now);
            budget -= static_cast<std::uint64_t>(now);
            continue;
        }
        if (!eventDue) break;
        // The play or stop as it would have happened, with the frames before it rendered.
        Segment* piece = missed_[nextMissed_++].piece;
        SilenceLocked();
        if (piece) {
            ResetChannelsLocked(*piece);
            StartPieceLocked(*piece);
        }
    }
    for (const Missed& missed : missed_)
        if (missed.piece) missed.piece->Release();
    missed_.clear();
    behind_ = false;
    return true;
}

bool Performance::SoundingLocked() {
    // A piece counts as playing until its length, as our reader measured it, has been
    // rendered: up to its last event. The player itself stays busy a while longer for the
    // notes to ring out, and the game restarts pieces as soon as they end.
    return pieceRunning_ && renderedFrames_ < pieceFrames_;
}

void Performance::RenderSynthLocked(int frames) {
    // The player's music volume scales the synthesizer's gain, so reverb and chorus follow it.
    const float volume = platform::MusicVolume();
    if (volume != volume_) {
        synth_->SetVolume(volume);
        volume_ = volume;
    }
    synth_->Render(frames, left_, right_);
}

void Performance::RenderLocked(int frames) {
    RenderSynthLocked(frames);
    if (pieceRunning_) renderedFrames_ += static_cast<std::uint64_t>(frames);
}

void Performance::MixInto(float* stereo, int frames, int rate) {
    if (!synth_ || !stereo || frames <= 0 || rate <= 0) return;
    if (behind_) {
        // Behind the reading, the passes' time goes on in silence until the synthesizer can
        // go through what it missed; at another rate than ours it waits to, at once.
        if (rate != platform::kMixRate) {
            reader_.Finish();
            CatchUpLocked(std::numeric_limits<std::uint64_t>::max());
        } else if (!reader_.Idle() || !CatchUpLocked(kCatchUpPace * static_cast<std::uint64_t>(frames))) {
            missedFrames_ += static_cast<std::uint64_t>(frames);
            if (pieceRunning_) renderedFrames_ += static_cast<std::uint64_t>(frames);
            return;
        }
    }
    // The synthesizer renders only once its SoundFont is in (at once, after the first mix).
    reader_.WaitForSoundFont();
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

void ChooseSoundFonts(std::vector<std::string> paths, SoundFontNews news) {
    dmusic_detail::Choice() = {std::move(paths), std::move(news)};
}

void LetMusicCatchUp(bool catchUp) {
    dmusic_detail::musicCatchesUp = catchUp;
}

}  // namespace platform
