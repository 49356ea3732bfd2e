// How well the main loop kept its pace: the periods between pass starts, the wall time, the
// main thread's processor time, how soon the sound reached the audio device (when there was
// one) and the whole process's processor time, printed as one line for people and scripts.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "hosts/common/sound_report.h"

class PassStats {
public:
    // Called on the main thread as each pass starts, with the host's clock in milliseconds
    // (real time when playing, virtual time when headless).
    void PassStarted(double clockMs);
    // Called when the pass shows its frame: only passes that got that far are counted, so
    // the last look at the queue, which finds the quit, is not.
    void FramePresented() { presentedSinceStart_ = true; }
    // The sound figures the line shows; they stay the caller's and are read by Line.
    void ReportSound(const host::SoundReport* sound) { sound_ = sound; }
    // The line, as of now; call it on the main thread.
    std::string Line();

private:
    void CommitPending();

    std::vector<double> starts_;
    double pendingStart_ = 0;
    bool pending_ = false;
    bool presentedSinceStart_ = false;
    std::chrono::steady_clock::time_point firstWall_{};
    std::int64_t firstCpuNs_ = 0;
    std::int64_t firstProcessCpuNs_ = 0;
    const host::SoundReport* sound_ = nullptr;
};

// The line's numbers, apart from the clock readings (tests read them).
struct PassSummary {
    int passes = 0;
    double periodMeanMs = 0;
    double periodP99Ms = 0;
    double periodMaxMs = 0;
};
PassSummary SummarizePasses(const std::vector<double>& passStartsMs);
