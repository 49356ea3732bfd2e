// One pass of sound at a time, from the game's thread to the audio device's.
#include "hosts/sdl/pass_sound.h"

#include <algorithm>
#include <cstring>

namespace host::sdl {
namespace {

constexpr int kPassFrames = kMixRate * PassSound::kPassMilliseconds / 1000;
static_assert(kMixRate * PassSound::kPassMilliseconds % 1000 == 0, "a pass is a whole number of frames");

}  // namespace

void PassSound::MixPass(Platform& platform) {
    pass_.resize(static_cast<std::size_t>(kPassFrames) * 2);
    platform.MixAudio(pass_.data(), kPassFrames, kMixRate);
    std::lock_guard<std::mutex> hold(lock_);
    // What was played is dropped from the front before the queue grows.
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
    queue_.insert(queue_.end(), pass_.begin(), pass_.end());
    const std::size_t most = static_cast<std::size_t>(kMostPassesQueued) * kPassFrames * 2;
    if (queue_.size() > most) queue_.erase(queue_.begin(), queue_.end() - static_cast<std::ptrdiff_t>(most));
}

void PassSound::Play(std::int16_t* stereo, int frames) {
    const std::size_t wanted = static_cast<std::size_t>(frames) * 2;
    std::lock_guard<std::mutex> hold(lock_);
    const std::size_t queued = queue_.size() - head_;
    if (!playing_ && queued >= static_cast<std::size_t>(kPassesBeforePlaying) * kPassFrames * 2) playing_ = true;
    const std::size_t have = playing_ ? std::min(wanted, queued) : 0;
    if (playing_ && have < wanted) playing_ = false;
    if (have > 0) std::memcpy(stereo, queue_.data() + head_, have * sizeof(std::int16_t));
    std::memset(stereo + have, 0, (wanted - have) * sizeof(std::int16_t));
    head_ += have;
}

int PassSound::Queued() {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>((queue_.size() - head_) / 2);
}

}  // namespace host::sdl
