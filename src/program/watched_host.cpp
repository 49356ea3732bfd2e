// Passes counted, and a stop signal turned into a quit.
#include "program/watched_host.h"

#include <signal.h>

#include <atomic>

namespace {

std::atomic<bool> stopAsked{false};

void AskStop(int) {
    stopAsked.store(true);
}

}  // namespace

void WatchedHost::CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = AskStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

host::CalendarTime WatchedHost::Calendar() {
    if (fixedSeconds_) return host::CalendarTime{*fixedSeconds_, 0};
    return inner_.Calendar();
}

// The same lines a headless run writes: the pass number, then the game's fields.
void WatchedHost::TraceRecord(const std::string& fields) {
    if (!trace_) {
        inner_.TraceRecord(fields);
        return;
    }
    const std::string line = "{\"pass\":" + std::to_string(passes_) + (fields.empty() ? "" : ",") + fields + "}\n";
    if (std::fputs(line.c_str(), trace_) < 0 || std::fflush(trace_) != 0) traceOk_ = false;
}

void WatchedHost::PumpInput() {
    ++passes_;
    if (countPasses_) stats_.PassStarted(inner_.PreciseMilliseconds());
    inner_.PumpInput();
    // After the host's own input, so the quit comes ahead of anything it queued.
    if (stopAsked.load()) platform_->DeliverQuit(0);
}
