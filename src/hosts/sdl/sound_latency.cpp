// The latency figures of the sound of play, kept in a fixed table.
#include "hosts/sdl/sound_latency.h"

#include <algorithm>

namespace host::sdl {

void SoundLatency::Add(double milliseconds) {
    if (!(milliseconds >= 0)) milliseconds = 0;
    const double step = std::min(milliseconds * kStepsPerMs + 0.5, static_cast<double>(counts_.size() - 1));
    ++counts_[static_cast<std::size_t>(step)];
    ++measured_;
    latest_ = std::max(latest_, milliseconds);
}

LatencyFigures SoundLatency::Figures() const {
    LatencyFigures f;
    f.measured = measured_;
    f.latestMs = latest_;
    f.underruns = underruns_;
    // The smallest latency that at least half the passes did not exceed.
    const int half = (measured_ + 1) / 2;
    int seen = 0;
    for (std::size_t step = 0; step < counts_.size() && measured_ > 0; ++step) {
        seen += counts_[step];
        if (seen >= half) {
            f.medianMs = static_cast<double>(step) / kStepsPerMs;
            break;
        }
    }
    return f;
}

}  // namespace host::sdl
