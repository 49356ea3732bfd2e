// How soon the sound of each pass reached the audio device: counted in tenths of a
// millisecond up to half a second (later ones count as half a second; the latest is kept
// exactly), so a session of any length keeps a few kilobytes.
#pragma once

#include <vector>

namespace host::sdl {

struct LatencyFigures {
    int measured = 0;     // passes whose sound reached the device
    double medianMs = 0;  // from the start of the pass to its first sample handed over
    double latestMs = 0;  // the longest of those
    int underruns = 0;    // device requests that found too little sound queued
};

class SoundLatency {
public:
    void Add(double milliseconds);
    void Underrun() { ++underruns_; }
    LatencyFigures Figures() const;

private:
    static constexpr int kStepsPerMs = 10;
    static constexpr int kMostMs = 500;

    std::vector<int> counts_ = std::vector<int>(kMostMs * kStepsPerMs + 1, 0);
    int measured_ = 0;
    double latest_ = 0;
    int underruns_ = 0;
};

}  // namespace host::sdl
