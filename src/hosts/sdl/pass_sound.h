// The sound of play, mixed in step with the game's passes. Each pass's sound is mixed on the
// game's thread, exactly as a headless run mixes it, so every sound and piece starts and
// ends on the same pass in play as in a replay of it, and the statuses the game reads move
// on the passes' own 30 ms clock. The audio device's thread plays out what is queued, as
// late as it safely can: the queue is kept a little over one pass long, and the device's
// clock, which never quite matches the passes', is followed by playing the queue very
// slightly faster or slower (at most kMostRateChange), never by gaps.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "hosts/host.h"
#include "hosts/sdl/sound_latency.h"

namespace host::sdl {

class PassSound {
public:
    // The game's frame clock gives each pass this long.
    static constexpr int kPassMilliseconds = 30;
    static constexpr int kPassFrames = kMixRate * kPassMilliseconds / 1000;
    // How far the playing rate may stray from the mix rate to follow the device's clock.
    static constexpr double kMostRateChange = 0.06;

    // Microseconds on a monotonic clock: when passes start and when the device takes sound.
    using Clock = std::function<std::int64_t()>;
    // With no clock, the system's monotonic one.
    explicit PassSound(Clock now = {});

    // Called by the host as each pass starts: the moment the pass's sound is measured from.
    void PassStarted();
    // Called on the game's thread once the pass's work is done and before the next pass
    // starts: mixes the pass's 30 ms of sound from the platform and queues it.
    void MixPass(Platform& platform);
    // Queues one pass's mixed sound (interleaved stereo, kPassFrames frames) that the pass
    // started at `startMicros` made.
    void Queue(const std::int16_t* stereo, std::int64_t startMicros);
    // Called on the audio device's thread: the next `frames` stereo frames. Playing starts
    // once the queue holds its target; when the queue runs dry all the same (a pass far too
    // late), the rest is silence and playing waits for the target again.
    void Play(std::int16_t* stereo, int frames);
    // Frames queued and not yet played.
    int Queued();
    // How soon each pass's sound reached the device, and how often it found too little.
    LatencyFigures Latency();

private:
    // Frames the queue holds on average while playing: half the newest pass, plus enough
    // that a pass up to kSparePassMs late still finds sound queued.
    static constexpr int kSparePassMs = 28;
    static constexpr double kTargetFrames = kPassFrames / 2.0 + kMixRate * kSparePassMs / 1000.0;
    // Beyond this the device has fallen far behind: the oldest sound goes, down to the target.
    static constexpr double kMostFrames = kTargetFrames + 2 * kPassFrames;
    static constexpr int kRingFrames = 8 * kPassFrames;

    struct Mark {
        std::int64_t frame;  // where a pass's sound starts, counted from the first frame queued
        std::int64_t startMicros;
    };

    void Steer(double queued, int frames, std::int64_t now);
    void SkipTo(double position);
    std::int16_t At(std::int64_t frame, int side) const {
        return ring_[static_cast<std::size_t>(frame % kRingFrames) * 2 + static_cast<std::size_t>(side)];
    }

    Clock now_;
    std::int64_t passStart_ = 0;
    std::vector<std::int16_t> pass_;

    std::mutex lock_;
    std::vector<std::int16_t> ring_;      // interleaved stereo; frame n at n % kRingFrames
    std::int64_t end_ = 0;                // one past the last frame queued
    double position_ = 0;                 // the next frame to play, with its fraction
    double rate_ = 1.0;                   // queued frames played per device frame
    double level_ = 0;                    // the queue's length, smoothed
    double drift_ = 0;                    // the part of the rate that follows the clocks' difference
    std::int64_t passes_ = 0;             // passes queued
    std::int64_t lastPassMicros_ = 0;     // when the last of them started
    std::int64_t taken_ = 0;              // frames the device took while playing
    std::int64_t stretchStart_ = -1;      // the device request the steady rate is measured from
    std::int64_t stretchTaken_ = 0;       // taken_ then
    std::int64_t stretchPasses_ = 0;      // passes_ then
    std::int64_t stretchPassMicros_ = 0;  // lastPassMicros_ then
    bool measured_ = false;               // a whole stretch has been measured
    bool playing_ = false;
    std::deque<Mark> marks_;
    SoundLatency latency_;
};

}  // namespace host::sdl
