// The headless host: no display and no audio device; a virtual clock, scripted input,
// a trace file and frame captures, so that the same script always gives the same run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/script.h"
#include "platform/host.h"

namespace host {

struct HeadlessOptions {
    std::uint32_t startTick = 0;           // the virtual clock's first reading
    std::int64_t calendarSeconds = 1000000000;  // what the calendar says, fixed
    std::vector<ScriptEvent> script;       // input, by pass
    int maxPasses = 0;                     // end the run after this many passes (0: never)
    std::string tracePath;                 // JSON Lines trace, empty for none
    std::map<int, std::string> shots;      // pass -> PNG file of that pass's frame
    bool keepLastFrame = false;            // keep a copy of the last frame for tests
    std::uint32_t millisecondsPerReading = 1;  // how far each clock reading moves the clock
};

class HeadlessHost : public Host {
public:
    explicit HeadlessHost(HeadlessOptions options);
    ~HeadlessHost() override;

    void OpenWindow(const char* title, int width, int height, HICON icon, HCURSOR cursor) override;
    void CloseWindow() override;
    void Present(const Frame& frame) override;
    void PumpInput() override;
    std::uint32_t Milliseconds() override;
    CalendarTime Calendar() override;
    void SetCursorVisible(bool visible) override;
    bool TraceWanted() override;
    void TraceRecord(const std::string& fields) override;

    // The pass now running, counted from 1 at the first PeekMessageA.
    int Pass() const { return pass_; }
    int FramesPresented() const { return framesPresented_; }
    bool WindowOpen() const { return windowOpen_; }
    const std::string& WindowTitle() const { return windowTitle_; }
    bool CursorVisible() const { return cursorVisible_; }
    // Moves the virtual clock (tests).
    void SetClock(std::uint32_t tick) { tick_ = tick; }
    // The last frame presented, as 0xRRGGBB pixels, 640 x 480 (keepLastFrame only).
    const std::vector<std::uint32_t>& LastFrame() const { return lastFrame_; }
    int LastFrameWidth() const { return lastWidth_; }
    int LastFrameHeight() const { return lastHeight_; }
    // False once a requested capture or the trace could not be written.
    bool OutputsOk() const { return outputsOk_; }

private:
    HeadlessOptions options_;
    std::size_t nextEvent_ = 0;
    int pass_ = 0;
    int framesPresented_ = 0;
    std::uint32_t tick_ = 0;
    bool windowOpen_ = false;
    std::string windowTitle_;
    bool cursorVisible_ = true;
    std::FILE* trace_ = nullptr;
    bool outputsOk_ = true;
    std::vector<std::uint32_t> lastFrame_;
    int lastWidth_ = 0;
    int lastHeight_ = 0;
};

// Converts a presented frame to 0xRRGGBB pixels.
std::vector<std::uint32_t> FrameToRgb(const Frame& frame);

}  // namespace host
