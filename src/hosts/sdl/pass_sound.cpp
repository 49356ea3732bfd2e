// One pass of sound at a time, from the game's thread to the audio device's, played out at
// the device's own pace.
#include "hosts/sdl/pass_sound.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>

namespace host::sdl {
namespace {

static_assert(kMixRate * PassSound::kPassMilliseconds % 1000 == 0, "a pass is a whole number of frames");

// The queue's length is followed over about two passes: long enough to smooth out the
// sawtooth of whole passes arriving and device buffers leaving, short enough to see a run
// of late passes coming.
constexpr double kSmoothingFrames = 2.0 * PassSound::kPassFrames;
// How hard the rate answers the queue's distance from its target: a whole pass too many
// or too few frames plays 1.5% faster or slower.
constexpr double kLevelGain = 0.05 / PassSound::kPassFrames;
// The steady part of the rate is the passes' rate of frames over the device's, measured over
// stretches of this many microseconds. It follows the clocks' difference and the time late
// passes lose, without waiting for the queue to run low.
constexpr std::int64_t kStretchMicros = 500'000;

std::int64_t SteadyMicros() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(now).count();
}

std::int16_t Between(std::int16_t a, std::int16_t b, double fraction) {
    const double value = a + (b - a) * fraction;
    return static_cast<std::int16_t>(std::lround(value));
}

}  // namespace

PassSound::PassSound(Clock now)
    : now_(now ? std::move(now) : Clock(SteadyMicros)), ring_(static_cast<std::size_t>(kRingFrames) * 2, 0) {}

void PassSound::PassStarted() {
    passStart_ = now_();
}

void PassSound::MixPass(Platform& platform) {
    pass_.resize(static_cast<std::size_t>(kPassFrames) * 2);
    platform.MixAudio(pass_.data(), kPassFrames, kMixRate);
    Queue(pass_.data(), passStart_);
}

void PassSound::Queue(const std::int16_t* stereo, std::int64_t startMicros) {
    std::lock_guard<std::mutex> hold(lock_);
    for (int i = 0; i < kPassFrames; ++i) {
        const std::size_t at = static_cast<std::size_t>((end_ + i) % kRingFrames) * 2;
        ring_[at] = stereo[i * 2];
        ring_[at + 1] = stereo[i * 2 + 1];
    }
    marks_.push_back(Mark{end_, startMicros});
    ++passes_;
    lastPassMicros_ = startMicros;
    end_ += kPassFrames;
    // A device that stopped taking sound (or plays far slower than the passes) hears the
    // newest sound, not sound that grows ever older.
    if (static_cast<double>(end_) - position_ > kMostFrames) SkipTo(static_cast<double>(end_) - kTargetFrames);
}

void PassSound::SkipTo(double position) {
    position_ = position;
    level_ = kTargetFrames;
    while (!marks_.empty() && static_cast<double>(marks_.front().frame) < position_) marks_.pop_front();
}

void PassSound::Steer(double queued, int frames, std::int64_t now) {
    if (stretchStart_ < 0 || passes_ == 0) {
        stretchStart_ = now;
        stretchTaken_ = taken_;
        stretchPasses_ = passes_;
        stretchPassMicros_ = lastPassMicros_;
    } else if (now - stretchStart_ >= (measured_ ? kStretchMicros : kStretchMicros / 2) &&
               passes_ - stretchPasses_ >= 2 && lastPassMicros_ > stretchPassMicros_ && taken_ > stretchTaken_) {
        // Both rates are measured between events, the passes' starts and the device's
        // requests, so neither is rounded to whole passes or whole device buffers.
        const double passRate = static_cast<double>(passes_ - stretchPasses_) * kPassFrames /
                                static_cast<double>(lastPassMicros_ - stretchPassMicros_);
        const double deviceRate =
            static_cast<double>(taken_ - stretchTaken_) / static_cast<double>(now - stretchStart_);
        const double keeping = passRate / deviceRate - 1.0;
        // The first stretch is taken whole; later ones move the rate half way, so that one
        // late pass more or less in a stretch does not swing it.
        drift_ = std::clamp(measured_ ? (drift_ + keeping) / 2 : keeping, -kMostRateChange, kMostRateChange);
        measured_ = true;
        stretchStart_ = now;
        stretchTaken_ = taken_;
        stretchPasses_ = passes_;
        stretchPassMicros_ = lastPassMicros_;
    }
    taken_ += frames;
    level_ += (queued - level_) * std::min(1.0, frames / kSmoothingFrames);
    const double error = level_ - kTargetFrames;
    rate_ = std::clamp(1.0 + drift_ + error * kLevelGain, 1.0 - kMostRateChange, 1.0 + kMostRateChange);
}

void PassSound::Play(std::int16_t* stereo, int frames) {
    const std::int64_t now = now_();
    std::lock_guard<std::mutex> hold(lock_);
    const double queued = static_cast<double>(end_) - position_;
    if (!playing_ && queued >= kTargetFrames + kPassFrames / 2.0) {
        playing_ = true;
        level_ = queued;
    }
    int done = 0;
    if (playing_) {
        Steer(queued, frames, now);
        for (; done < frames; ++done) {
            const std::int64_t frame = static_cast<std::int64_t>(position_);
            const double fraction = position_ - static_cast<double>(frame);
            if (frame + 1 >= end_) break;
            stereo[done * 2] = Between(At(frame, 0), At(frame + 1, 0), fraction);
            stereo[done * 2 + 1] = Between(At(frame, 1), At(frame + 1, 1), fraction);
            position_ += rate_;
        }
        if (done < frames) {
            // Found short: the rest is silence, and playing waits for the target again.
            latency_.Underrun();
            playing_ = false;
            stretchStart_ = -1;
        }
        while (!marks_.empty() && static_cast<double>(marks_.front().frame) < position_) {
            latency_.Add(static_cast<double>(now - marks_.front().startMicros) / 1000.0);
            marks_.pop_front();
        }
    }
    std::memset(stereo + done * 2, 0, static_cast<std::size_t>(frames - done) * 2 * sizeof(std::int16_t));
}

int PassSound::Queued() {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(static_cast<double>(end_) - position_);
}

LatencyFigures PassSound::Latency() {
    std::lock_guard<std::mutex> hold(lock_);
    return latency_.Figures();
}

}  // namespace host::sdl
