// The host the program installs around the real one: it passes every call through, counts
// the passes when --stats asks for them and turns SIGINT and SIGTERM into a quit, so the game shuts down
// as on a normal quit (trace, sound file and stats line complete).
#pragma once

#include "hosts/host.h"
#include "program/pass_stats.h"

class WatchedHost final : public host::Host {
public:
    // Pass starts are kept (for Stats) only when countPasses is set, as for --stats: a run
    // without it keeps nothing per pass, so its memory stays flat however long it runs.
    WatchedHost(host::Host& inner, bool countPasses) : inner_(inner), countPasses_(countPasses) {}

    // Called once by main: from now on SIGINT and SIGTERM end the run at the next pass.
    static void CatchStopSignals();

    void OpenWindow(const char* title, int width, int height, const host::Picture* icon,
                    const host::Picture* cursor) override {
        inner_.OpenWindow(title, width, height, icon, cursor);
    }
    void CloseWindow() override { inner_.CloseWindow(); }
    void Present(const host::Frame& frame) override {
        stats_.FramePresented();
        inner_.Present(frame);
    }
    void PumpInput() override;
    std::uint32_t Milliseconds() override { return inner_.Milliseconds(); }
    double PreciseMilliseconds() override { return inner_.PreciseMilliseconds(); }
    host::CalendarTime Calendar() override { return inner_.Calendar(); }
    void SetCursorVisible(bool visible) override { inner_.SetCursorVisible(visible); }
    bool TraceWanted() override { return inner_.TraceWanted(); }
    void TraceRecord(const std::string& fields) override { inner_.TraceRecord(fields); }

    PassStats& Stats() { return stats_; }

private:
    host::Host& inner_;
    const bool countPasses_;
    PassStats stats_;
};
