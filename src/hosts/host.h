// The one door between the platform stand-ins and the outside world: a host presents
// frames, feeds input, keeps the clocks, shows the cursor and pulls the sound. The null
// host (null_host.h) is the default and the stub to start a port from; the SDL host plays,
// the headless host runs tests, scripts and benchmarks.
//
// The door opens both ways, and each side sees only an interface of the other: the
// stand-ins call the installed Host (Current()); the host tells the stand-ins of input and
// asks them for sound through the Platform it is handed when it is installed. Installing is
// the stand-ins' business (platform::InstallHost in platform/host_link.h calls Install below
// with their side of the door), so everything declared here is defined here or in a host,
// and the hosts link without the stand-ins.
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

// What a host may tell the platform: input as it arrives, the player's volumes, and the
// wish for the next stretch of mixed sound.
class Platform {
public:
    // A key went down or up: the window gets WM_KEYDOWN / WM_KEYUP with the virtual-key
    // code, and the keyboard device's state byte for the scan code changes at once.
    // Either code may be 0 when the key has none. `repeat` marks a key-down the keyboard
    // sent again because the key is held: its message carries the previous-state bit, a
    // repeat arriving while one of the same key still waits in the queue adds to that one's
    // repeat count instead of queueing another, and repeats of Escape are dropped, so
    // holding Escape leaves a level once and never quits the game.
    virtual void DeliverKey(int virtualKey, int scanCode, bool down, bool repeat = false) = 0;
    // The left mouse button was pressed at client (x, y); a second press of a double click
    // arrives as WM_LBUTTONDBLCLK.
    virtual void DeliverClick(int x, int y, bool doubleClick) = 0;
    // The window's close button (or Alt+F4): WM_CLOSE to the window, ahead of any queued
    // input and never dropped by a full queue.
    virtual void DeliverClose() = 0;
    // Make the next PeekMessageA return WM_QUIT with this code ahead of anything queued
    // (the headless host's end of a run of N passes).
    virtual void DeliverQuit(int exitCode) = 0;
    // The player's volumes as linear amplitude factors from 0 (silent) to 1 (full): the
    // mixer scales the sound effects, the synthesizer's gain the music. Both start at 1.
    virtual void SetMixVolumes(float music, float effects) = 0;
    // Fills `frames` interleaved stereo 16-bit frames at `rate` with the mix of every sound
    // buffer and the music, clipped to the 16-bit range. Safe from any thread.
    virtual void MixAudio(std::int16_t* stereo, int frames, int rate) = 0;

protected:
    ~Platform() = default;
};

// What a host hears from before it is installed: input goes nowhere, the volumes are
// forgotten and the mix is silence. Hosts hold it until Connect hands them the platform.
Platform& Unconnected();

// The system's monotonic clock in milliseconds with their fraction: the PreciseMilliseconds
// of hosts that run in real time.
double RealMilliseconds();

class Host {
public:
    virtual ~Host() = default;

    // The platform this host tells of input and asks for sound from now on (at its
    // installation); a wrapper passes it on to the host it wraps.
    virtual void Connect(Platform& platform) = 0;
    // CreateWindowExA: the game's one window appears (title, client size, class icon
    // and cursor; either picture may be null).
    virtual void OpenWindow(const char* title, int width, int height, const Picture* icon, const Picture* cursor) = 0;
    // DestroyWindow: the window goes away.
    virtual void CloseWindow() = 0;
    // IDirectDrawSurface7::Flip (and the windowed presentation blit): show this picture.
    virtual void Present(const Frame& frame) = 0;
    // PeekMessageA, once per call, before it looks at the queue: turn pending native
    // events (or scripted ones) into window messages and key state through the Platform.
    virtual void PumpInput() = 0;
    // GetTickCount: a millisecond clock that wraps at 2^32.
    virtual std::uint32_t Milliseconds() = 0;
    // The host's clock in milliseconds with their fraction, for measuring how passes keep
    // their pace; reading it moves nothing. RealMilliseconds() unless the host keeps its
    // own clock.
    virtual double PreciseMilliseconds() = 0;
    // The calendar time in seconds with its millisecond part: what the game seeds its random
    // numbers from and stamps its error file with (common/game_services.h).
    virtual CalendarTime Calendar() = 0;
    // ShowCursor: the display count crossed zero.
    virtual void SetCursorVisible(bool visible) = 0;
    // A trace record of the game's state after a pass's frame; hosts that keep no trace
    // answer false to TraceWanted and ignore the records.
    virtual bool TraceWanted() = 0;
    virtual void TraceRecord(const std::string& fields) = 0;
    // DirectSoundCreate: whether something pulls the mix (Platform::MixAudio) as time goes
    // by. A host with no audio device answers false; then the sound stand-in makes no
    // device and the game runs silent, rather than with sounds that would read "playing"
    // for ever.
    virtual bool HasSoundDevice() = 0;
};

// The host every platform call talks to. Until a host is installed, the null host stands
// in, so the stand-ins always have one.
Host& Current();
// Makes `host` the one every platform call talks to (null puts the null host back) and
// connects it to `platform`; gives the host installed before, or null for the null host.
// A host must stay alive while it is installed.
Host* Install(Host* host, Platform& platform);

}  // namespace host
