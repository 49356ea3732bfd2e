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

void WatchedHost::PumpInput() {
    if (countPasses_) stats_.PassStarted(inner_.PreciseMilliseconds());
    inner_.PumpInput();
    // After the host's own input, so the quit comes ahead of anything it queued.
    if (stopAsked.load()) host::DeliverQuit(0);
}
