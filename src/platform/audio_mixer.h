// The platform's sound mixer: every playing sound buffer and the music synthesizer add
// their samples into one stereo stream, which the host pulls (on SDL's audio thread, or
// in step with the virtual clock when headless).
#pragma once

#include <cstdint>
#include <mutex>

namespace platform {

// The rate hosts pull at, in frames (stereo sample pairs) per second.
constexpr int kMixRate = 44100;

// Something that sounds: a sound buffer or the music synthesizer.
class AudioVoice {
public:
    virtual ~AudioVoice() = default;
    // Adds `frames` stereo frames at `rate` into `stereo` (interleaved left, right, full
    // scale +-1.0) and moves on by that much. Called with AudioLock() held.
    virtual void MixInto(float* stereo, int frames, int rate) = 0;
};

// Held while the mix runs; the stand-ins take it to change what a voice plays.
std::mutex& AudioLock();

// Called by the stand-ins when a voice is made and before it goes (with AudioLock() not held).
void AddVoice(AudioVoice* voice);
void RemoveVoice(AudioVoice* voice);

// Called by hosts: fills `frames` interleaved stereo 16-bit frames at `rate` with the mix of
// every voice, clipped to the 16-bit range. Safe from any thread.
void MixAudio(std::int16_t* stereo, int frames, int rate);

}  // namespace platform
