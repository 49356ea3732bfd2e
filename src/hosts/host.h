// The one door between the platform stand-ins and the outside world: a host presents
// frames, feeds input, keeps the clocks, shows the cursor and pulls the sound. The null
// host (null_host.h) is the default and the stub to start a port from; the SDL host plays,
// the headless host runs tests, scripts and benchmarks. This header and the hosts know
// nothing of the stand-ins: they meet only through the types and calls below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

enum class PixelLayout { Rgb565, Rgb555, Indexed8 };

// A finished picture, valid only during the Present call.
struct Frame {
    const void* pixels;  // top row first
    int width;           // 640 in the game
    int height;          // 480 in the game
    int pitch;           // bytes from one row to the next
    PixelLayout layout;
    const std::uint8_t* palette;  // Indexed8 only: 256 entries of red, green, blue, flags
};

// A picture built into the program: the window icon or the mouse cursor.
struct Picture {
    int width;
    int height;
    int hotX;  // the pixel that is the cursor's point; the centre for an icon
    int hotY;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, row-major, top row first; alpha 0 or 255
};

// The local calendar time: whole seconds since 1970 and the millisecond within the second.
struct CalendarTime {
    std::int64_t seconds;
    std::uint16_t milliseconds;
};

// The rate hosts pull the sound at, in frames (stereo sample pairs) per second.
constexpr int kMixRate = 44100;

class Host {
public:
    virtual ~Host() = default;

    // CreateWindowExA: the game's one window appears (title, client size, class icon
    // and cursor; either picture may be null).
    virtual void OpenWindow(const char* title, int width, int height, const Picture* icon, const Picture* cursor) = 0;
    // DestroyWindow: the window goes away.
    virtual void CloseWindow() = 0;
    // IDirectDrawSurface7::Flip (and the windowed presentation blit): show this picture.
    virtual void Present(const Frame& frame) = 0;
    // PeekMessageA, once per call, before it looks at the queue: turn pending native
    // events (or scripted ones) into window messages and key state through the
    // functions at the end of this header.
    virtual void PumpInput() = 0;
    // GetTickCount: a millisecond clock that wraps at 2^32.
    virtual std::uint32_t Milliseconds() = 0;
    // GetCalendarTime: the calendar time in seconds with its millisecond part.
    virtual CalendarTime Calendar() = 0;
    // ShowCursor: the display count crossed zero.
    virtual void SetCursorVisible(bool visible) = 0;
    // The host's clock in milliseconds with their fraction, for measuring how passes keep
    // their pace; reading it moves nothing. Real time unless the host keeps its own.
    virtual double PreciseMilliseconds();
    // A trace record of the game's state after a pass's frame; hosts that keep no trace
    // answer false to TraceWanted and ignore the records.
    virtual bool TraceWanted() { return false; }
    virtual void TraceRecord(const std::string& fields) { (void)fields; }
    // DirectSoundCreate: whether something pulls the mix (MixAudio) as time goes by. A host
    // with no audio device answers false; then the sound stand-in makes no device and the
    // game runs silent, rather than with sounds that would read "playing" for ever.
    virtual bool HasSoundDevice() { return true; }
};

// The host every platform call talks to. Until a host is installed, the null host stands
// in, so the stand-ins always have one.
Host& Current();
void Install(Host* host);  // null puts the default back

// ---------------------------------------------------------------- what hosts call
// A key went down or up: the window gets WM_KEYDOWN / WM_KEYUP with the virtual-key
// code, and the keyboard device's state byte for the scan code changes at once.
// Either code may be 0 when the key has none. `repeat` marks a key-down the keyboard sent
// again because the key is held: its message carries the previous-state bit, and repeats
// of Escape are dropped, so holding Escape leaves a level once and never quits the game.
void DeliverKey(int virtualKey, int scanCode, bool down, bool repeat = false);
// The left mouse button was pressed at client (x, y); a second press of a double click
// arrives as WM_LBUTTONDBLCLK.
void DeliverClick(int x, int y, bool doubleClick);
// The window's close button (or Alt+F4): WM_CLOSE to the window.
void DeliverClose();
// Make the next PeekMessageA return WM_QUIT with this code ahead of anything queued
// (the headless host's end of a run of N passes).
void DeliverQuit(int exitCode);
// The player's volumes as linear amplitude factors from 0 (silent) to 1 (full): the
// mixer scales the sound effects, the synthesizer's gain the music. Both start at 1.
void SetMixVolumes(float music, float effects);
// Fills `frames` interleaved stereo 16-bit frames at `rate` with the mix of every sound
// buffer and the music, clipped to the 16-bit range. Safe from any thread.
void MixAudio(std::int16_t* stereo, int frames, int rate);

}  // namespace host
