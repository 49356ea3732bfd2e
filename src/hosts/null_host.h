// The null host: no picture, no input, no sound device, a plain clock. The stand-ins talk
// to it until a real host is installed, and it is the smallest host there is, so a port to
// a new system starts by copying it and filling in each call.
#pragma once

#include "hosts/host.h"

namespace host {

class NullHost : public Host {
public:
    // It never has anything to tell the platform.
    void Connect(Platform& platform) override { (void)platform; }
    // The window, the picture and the cursor go nowhere.
    void OpenWindow(const char* title, int width, int height, const Picture* icon, const Picture* cursor) override;
    void CloseWindow() override {}
    void Present(const Frame& frame) override;
    // No input ever arrives, so a game on the null host runs until something posts a quit.
    void PumpInput() override {}
    // The system's monotonic clock in milliseconds.
    std::uint32_t Milliseconds() override;
    double PreciseMilliseconds() override { return RealMilliseconds(); }
    // The system's calendar.
    CalendarTime Calendar() override;
    void SetCursorVisible(bool visible) override { (void)visible; }
    // No trace is kept.
    bool TraceWanted() override { return false; }
    void TraceRecord(const std::string& fields) override { (void)fields; }
    // Nothing would ever pull the mix, so the game runs silent.
    bool HasSoundDevice() override { return false; }
};

}  // namespace host
