// The sound of play, mixed in step with the game's passes. Each pass start mixes the sound
// of one pass on the game's thread, exactly as a headless run does, so every sound and
// piece starts and ends on the same pass in play as in a replay of it; the audio device's
// thread only plays out what is queued.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "hosts/host.h"

namespace host::sdl {

class PassSound {
public:
    // The game's frame clock gives each pass this long.
    static constexpr int kPassMilliseconds = 30;

    // Called by the host at each pass start but the first: mixes one pass of sound from
    // the platform and queues it for the device.
    void MixPass(Platform& platform);
    // Called on the audio device's thread: the next `frames` stereo frames. Playing starts
    // once two passes are queued, so a pass that starts a little late finds sound still
    // queued; when the queue runs dry all the same, it is silence until two passes are
    // queued again.
    void Play(std::int16_t* stereo, int frames);
    // Frames queued and not yet played.
    int Queued();

private:
    // More than this many passes queued means the device fell behind; the oldest go.
    static constexpr int kMostPassesQueued = 4;
    static constexpr int kPassesBeforePlaying = 2;

    std::mutex lock_;
    std::vector<std::int16_t> queue_;  // interleaved stereo, oldest first, from head_ on
    std::size_t head_ = 0;
    bool playing_ = false;
    std::vector<std::int16_t> pass_;
};

}  // namespace host::sdl
