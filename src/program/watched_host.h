// The host the program installs around the real one: it passes every call through, counts
// the passes when --stats asks for them and turns SIGINT and SIGTERM into a quit, so the game
// shuts down as on a normal quit (trace, sound file and stats line complete). It can also
// keep the calendar still and write the trace for a host that does neither.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

#include "hosts/host.h"
#include "program/pass_stats.h"

class WatchedHost final : public host::Host {
public:
    // Pass starts are kept (for Stats) only when countPasses is set, as for --stats: a run
    // without it keeps nothing per pass, so its memory stays flat however long it runs.
    WatchedHost(host::Host& inner, bool countPasses) : inner_(inner), countPasses_(countPasses) {}

    // Called once by main: from now on SIGINT and SIGTERM end the run at the next pass.
    static void CatchStopSignals();

    void Connect(host::Platform& platform) override {
        platform_ = &platform;
        inner_.Connect(platform);
    }
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
    host::CalendarTime Calendar() override;
    void SetCursorVisible(bool visible) override { inner_.SetCursorVisible(visible); }
    // The host hears every question, kept trace or not: it marks the end of the pass's work.
    bool TraceWanted() override {
        const bool inner = inner_.TraceWanted();
        return trace_ || inner;
    }
    void TraceRecord(const std::string& fields) override;
    bool HasSoundDevice() override { return inner_.HasSoundDevice(); }

    PassStats& Stats() { return stats_; }

    // For play and the timedemo, where the host itself keeps neither: the calendar stands
    // still at `seconds` (so the game seeds its random numbers from them), and the trace of
    // every pass goes to `file`, which stays the caller's.
    void FixCalendar(std::int64_t seconds) { fixedSeconds_ = seconds; }
    void KeepTrace(std::FILE* file) { trace_ = file; }
    // False once a trace line could not be written.
    bool TraceOk() const { return traceOk_; }

private:
    host::Host& inner_;
    host::Platform* platform_ = &host::Unconnected();
    const bool countPasses_;
    PassStats stats_;
    int passes_ = 0;
    std::optional<std::int64_t> fixedSeconds_;
    std::FILE* trace_ = nullptr;
    bool traceOk_ = true;
};
