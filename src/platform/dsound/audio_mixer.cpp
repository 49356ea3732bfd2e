// The platform's sound mixer: the list of voices and the one mix every host pulls.
#include "platform/dsound/audio_mixer.h"

#include <algorithm>
#include <vector>

#include "platform/link/host_link.h"

namespace platform {
namespace {

// Voices add into a float chunk of this many frames at a time: small enough to live on
// the stack of SDL's audio thread, large enough that a voice's per-call cost vanishes.
constexpr int kChunkFrames = 512;

std::vector<AudioVoice*>& Voices() {
    static std::vector<AudioVoice*> voices;
    return voices;
}

// Full scale is +-1.0; anything past it is cut off at the 16-bit limits. A voice that
// produced something that is not a number gives silence rather than noise.
std::int16_t ToSample(float value) {
    if (!(value == value)) return 0;
    const float scaled = value * 32767.0f;
    if (scaled >= 32767.0f) return 32767;
    if (scaled <= -32768.0f) return -32768;
    const float rounded = scaled < 0.0f ? scaled - 0.5f : scaled + 0.5f;
    return static_cast<std::int16_t>(static_cast<int>(rounded));
}

// The player's volumes, as amplitude factors; changed and read with AudioLock() held.
float effectsVolume = 1.0f;
float musicVolume = 1.0f;

}  // namespace

float MusicVolume() {
    return musicVolume;
}

std::mutex& AudioLock() {
    static std::mutex lock;
    return lock;
}

void AddVoice(AudioVoice* voice) {
    if (!voice) return;
    std::lock_guard<std::mutex> hold(AudioLock());
    std::vector<AudioVoice*>& voices = Voices();
    if (std::find(voices.begin(), voices.end(), voice) == voices.end()) voices.push_back(voice);
}

void RemoveVoice(AudioVoice* voice) {
    std::lock_guard<std::mutex> hold(AudioLock());
    std::vector<AudioVoice*>& voices = Voices();
    voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
}

void HostLink::SetMixVolumes(float music, float effects) {
    const auto factor = [](float v) { return v == v ? std::clamp(v, 0.0f, 1.0f) : 1.0f; };
    std::lock_guard<std::mutex> hold(AudioLock());
    musicVolume = factor(music);
    effectsVolume = factor(effects);
}

void HostLink::MixAudio(std::int16_t* stereo, int frames, int rate) {
    if (!stereo || frames <= 0) return;
    float chunk[kChunkFrames * 2];
    float effect[kChunkFrames * 2];
    std::lock_guard<std::mutex> hold(AudioLock());
    const std::vector<AudioVoice*>& voices = Voices();
    const float effects = effectsVolume;
    while (frames > 0) {
        const int now = std::min(frames, kChunkFrames);
        std::fill(chunk, chunk + now * 2, 0.0f);
        for (AudioVoice* voice : voices) {
            // At full volume an effect adds straight into the mix; below it, it is mixed
            // on its own and scaled on the way in.
            if (effects == 1.0f || voice->Part() == VoicePart::Music) {
                voice->MixInto(chunk, now, rate);
                continue;
            }
            std::fill(effect, effect + now * 2, 0.0f);
            voice->MixInto(effect, now, rate);
            for (int i = 0; i < now * 2; ++i) chunk[i] += effect[i] * effects;
        }
        for (int i = 0; i < now * 2; ++i) stereo[i] = ToSample(chunk[i]);
        stereo += now * 2;
        frames -= now;
    }
}

}  // namespace platform
