// A headless host that notes what each pass of the main loop did: the screen and menu
// highlight each presented frame showed, the clock at the start of each pass. It can end
// a run at a given pass with a given exit code, and says what the calendar reads.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/screens.h"
#include "hosts/headless/headless_host.h"

namespace gametest {

class LoopHost : public host::HeadlessHost {
public:
    explicit LoopHost(host::HeadlessOptions o) : HeadlessHost(std::move(o)) {}
    void PumpInput() override {
        passStarts.push_back(lastTick);
        HeadlessHost::PumpInput();
        if (Pass() == quitAtPass) Connected().DeliverQuit(quitCode);
    }
    void Present(const host::Frame& frame) override {
        HeadlessHost::Present(frame);
        frames.push_back({Pass(), ScreenId, menuCursor});
    }
    // A frame wait that never ends would hang the test; it fails it instead.
    std::uint32_t Milliseconds() override {
        if (++readings > 1000000) throw std::runtime_error("the frame clock never stops waiting");
        return lastTick = HeadlessHost::Milliseconds();
    }
    host::CalendarTime Calendar() override { return host::CalendarTime{calendarSeconds, calendarMs}; }

    struct Shown {
        int pass, screen, cursor;
    };
    std::vector<Shown> frames;
    std::vector<std::uint32_t> passStarts;
    std::uint32_t lastTick = 0;
    long readings = 0;
    int quitAtPass = -1, quitCode = 0;
    std::int64_t calendarSeconds = 1000000000;
    std::uint16_t calendarMs = 0;
};

}  // namespace gametest
