// The --stats line: pass periods from the host's clock, wall seconds and the main thread's
// processor time.
#include "program/pass_stats.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::int64_t ThreadCpuNanoseconds() {
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0) return 0;
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// All the process's threads: the game's, the audio device's and SDL's own.
std::int64_t ProcessCpuNanoseconds() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    const auto ns = [](const timeval& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + static_cast<std::int64_t>(t.tv_usec) * 1000;
    };
    return ns(usage.ru_utime) + ns(usage.ru_stime);
}

}  // namespace

PassSummary SummarizePasses(const std::vector<double>& starts) {
    PassSummary s;
    s.passes = static_cast<int>(starts.size());
    if (starts.size() < 2) return s;
    std::vector<double> periods;
    periods.reserve(starts.size() - 1);
    for (std::size_t i = 1; i < starts.size(); ++i) periods.push_back(starts[i] - starts[i - 1]);
    double sum = 0;
    for (double p : periods) sum += p;
    s.periodMeanMs = sum / static_cast<double>(periods.size());
    std::sort(periods.begin(), periods.end());
    // The smallest period that at least 99% of periods do not exceed.
    const std::size_t rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(periods.size())));
    s.periodP99Ms = periods[std::max<std::size_t>(rank, 1) - 1];
    s.periodMaxMs = periods.back();
    return s;
}

void PassStats::PassStarted(double clockMs) {
    CommitPending();
    if (starts_.empty() && !pending_) {
        firstWall_ = std::chrono::steady_clock::now();
        firstCpuNs_ = ThreadCpuNanoseconds();
        firstProcessCpuNs_ = ProcessCpuNanoseconds();
    }
    pendingStart_ = clockMs;
    pending_ = true;
    presentedSinceStart_ = false;
}

void PassStats::CommitPending() {
    if (pending_ && presentedSinceStart_) starts_.push_back(pendingStart_);
    pending_ = false;
}

std::string PassStats::Line() {
    CommitPending();
    const PassSummary s = SummarizePasses(starts_);
    double seconds = 0, cpuPercent = 0, processPercent = 0;
    if (!starts_.empty()) {
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - firstWall_).count();
        const double cpuSeconds = static_cast<double>(ThreadCpuNanoseconds() - firstCpuNs_) / 1e9;
        const double processSeconds = static_cast<double>(ProcessCpuNanoseconds() - firstProcessCpuNs_) / 1e9;
        if (seconds > 0) {
            cpuPercent = 100.0 * cpuSeconds / seconds;
            processPercent = 100.0 * processSeconds / seconds;
        }
    }
    char line[384];
    int length = std::snprintf(line, sizeof line,
                               "stats: passes=%d seconds=%.2f period_mean_ms=%.3f period_p99_ms=%.3f "
                               "period_max_ms=%.3f cpu_main_pct=%.1f",
                               s.passes, seconds, s.periodMeanMs, s.periodP99Ms, s.periodMaxMs, cpuPercent);
    if (sound_ && sound_->device && length > 0 && length < static_cast<int>(sizeof line)) {
        length += std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length),
                                " audio_latency_ms_p50=%.1f audio_latency_ms_max=%.1f audio_underruns=%d",
                                sound_->medianMs, sound_->latestMs, sound_->underruns);
    }
    if (length > 0 && length < static_cast<int>(sizeof line))
        std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), " cpu_process_pct=%.1f",
                      processPercent);
    return line;
}
