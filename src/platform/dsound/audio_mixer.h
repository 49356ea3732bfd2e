// The platform's sound mixer: every playing sound buffer and the music synthesizer add
// their samples into one stereo stream, which the host pulls (on SDL's audio thread, or
// in step with the virtual clock when headless).
#pragma once

#include <cstdint>
#include <mutex>

#include "hosts/host.h"

namespace platform {

// The rate hosts pull at, in frames (stereo sample pairs) per second.
using host::kMixRate;

// Which of the player's two volumes a voice answers to.
enum class VoicePart { Effects, Music };

// Something that sounds: a sound buffer or the music synthesizer.
class AudioVoice {
public:
    virtual ~AudioVoice() = default;
    // Adds `frames` stereo frames at `rate` into `stereo` (interleaved left, right, full
    // scale +-1.0) and moves on by that much. Called with AudioLock() held.
    virtual void MixInto(float* stereo, int frames, int rate) = 0;
    // The mixer scales effects by the effects volume; music applies the music volume
    // itself (MusicVolume below), in the synthesizer's gain.
    virtual VoicePart Part() const { return VoicePart::Effects; }
};

// Held while the mix runs; the stand-ins take it to change what a voice plays.
std::mutex& AudioLock();

// The music volume the host last set (Platform::SetMixVolumes), 1 for full; read with
// AudioLock() held.
float MusicVolume();

// Called by the stand-ins when a voice is made and before it goes (with AudioLock() not held).
void AddVoice(AudioVoice* voice);
void RemoveVoice(AudioVoice* voice);

// Hosts pull the mix through Platform::MixAudio (platform/host_link.h).

}  // namespace platform
