// The headless host: no display and no audio device; a virtual clock, scripted input,
// a trace file, frame captures and a sound file, so that the same script always gives
// the same run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "hosts/common/controls.h"
#include "hosts/common/script.h"
#include "hosts/headless/wav_file.h"
#include "hosts/host.h"

namespace host {

struct HeadlessOptions {
    std::uint32_t startTick = 0;                // the virtual clock's first reading
    std::int64_t calendarSeconds = 1000000000;  // what the calendar says, fixed
    std::vector<ScriptEvent> script;            // input, by pass
    int maxPasses = 0;                          // end the run after this many passes (0: never)
    std::string tracePath;                      // JSON Lines trace, empty for none
    std::map<int, std::string> shots;           // pass -> PNG file of that pass's frame
    bool keepLastFrame = false;                 // keep a copy of the last frame for tests
    // How far each clock reading moves the virtual clock: 0 moves it by a 64th of a
    // millisecond, so the frame clock's wait ends exactly on its 30th millisecond and every
    // pass takes exactly 30 ms; a whole number of milliseconds moves it that far (the
    // timedemo takes 30, so the frame clock never waits).
    std::uint32_t millisecondsPerReading = 0;
    std::string audioOutPath;  // WAV file of everything mixed, empty for none
    // 0: each pass start mixes the sound of the virtual time since the one before. Any
    // other number: each pass start but the first mixes that many milliseconds of sound,
    // whatever the clock did, as play mixes one pass at each (the timedemo, whose clock
    // leaps, takes 30).
    std::uint32_t mixMillisecondsEachPass = 0;
    // Key and pad bindings, volumes and the screenshot folder, as in play: scripted keys
    // and pads go through the bindings, F5 to F9 change the volumes, F12 saves the frame
    // of its pass.
    ControlOptions controls;
    bool soundDevice = true;  // false: a machine with no audio device
};

class HeadlessHost : public Host {
public:
    explicit HeadlessHost(HeadlessOptions options);
    ~HeadlessHost() override;

    void Connect(Platform& platform) override;
    void OpenWindow(const char* title, int width, int height, const Picture* icon, const Picture* cursor) override;
    void CloseWindow() override;
    void Present(const Frame& frame) override;
    void PumpInput() override;
    std::uint32_t Milliseconds() override;
    // The virtual clock, fraction included.
    double PreciseMilliseconds() override { return static_cast<double>(clock_) / (1 << kClockFractionBits); }
    CalendarTime Calendar() override;
    void SetCursorVisible(bool visible) override;
    bool TraceWanted() override;
    void TraceRecord(const std::string& fields) override;
    bool HasSoundDevice() override { return options_.soundDevice; }

    // The pass now running, counted from 1 at the first PeekMessageA.
    int Pass() const { return pass_; }
    int FramesPresented() const { return framesPresented_; }
    bool WindowOpen() const { return windowOpen_; }
    const std::string& WindowTitle() const { return windowTitle_; }
    bool CursorVisible() const { return cursorVisible_; }
    // Moves the virtual clock (tests). The jump is not played: the sound carries on from
    // the new reading.
    void SetClock(std::uint32_t tick) {
        clock_ = static_cast<std::uint64_t>(tick) << kClockFractionBits;
        mixedTick_ = tick;
    }
    // Stereo frames mixed so far (whether or not they were written to a file).
    std::uint64_t FramesMixed() const { return framesMixed_; }
    // Completes the sound file (its sizes) and closes it; later mixing writes nothing.
    // The destructor does it too; call it first to learn from OutputsOk() whether it worked.
    void FinishAudio();
    // At the end of a run: FinishAudio, and each capture asked for a pass that presented no
    // frame is named on stderr and makes OutputsOk() false.
    void FinishOutputs();
    // The last frame presented, as 0xRRGGBB pixels, 640 x 480 (keepLastFrame only).
    const std::vector<std::uint32_t>& LastFrame() const { return lastFrame_; }
    int LastFrameWidth() const { return lastWidth_; }
    int LastFrameHeight() const { return lastHeight_; }
    // False once a requested capture, the trace or the sound file could not be written.
    bool OutputsOk() const { return outputsOk_; }

protected:
    // The platform this host was connected to (Unconnected() until then), for hosts built on
    // this one that have more to tell it.
    Platform& Connected() { return *platform_; }

private:
    // Mixes the sound of the pass that just ended.
    void MixPassSound();
    void WriteAudio(const std::int16_t* stereo, int frames);
    void TraceFailed();  // says why the trace could not be written, and writes no more

    HeadlessOptions options_;
    Platform* platform_ = &Unconnected();
    Controls controls_;
    std::size_t nextEvent_ = 0;
    int pass_ = 0;
    int framesPresented_ = 0;
    // The virtual clock in 64ths of a millisecond; readings give the whole milliseconds.
    static constexpr int kClockFractionBits = 6;
    std::uint64_t clock_ = 0;
    std::uint32_t Now() const { return static_cast<std::uint32_t>(clock_ >> kClockFractionBits); }
    bool windowOpen_ = false;
    std::string windowTitle_;
    bool cursorVisible_ = true;
    std::FILE* trace_ = nullptr;
    std::set<int> shotsTaken_;
    bool outputsOk_ = true;
    std::vector<std::uint32_t> lastFrame_;
    int lastWidth_ = 0;
    int lastHeight_ = 0;

    std::uint32_t mixedTick_ = 0;     // the clock reading the mix has reached
    std::uint32_t mixRemainder_ = 0;  // thousandths of a frame not yet mixed
    std::uint64_t framesMixed_ = 0;
    std::vector<std::int16_t> mixBuffer_;
    WavFile audio_;
};

}  // namespace host
