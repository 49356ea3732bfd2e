// The one door between the platform stand-ins and the outside world: a host presents
// frames, feeds input, keeps the clocks and shows the cursor. Two hosts implement it:
// the SDL one for play and the headless one for tests, scripted runs and benchmarks.
#pragma once

#include <cstdint>
#include <string>

#include "platform/windows.h"

namespace host {

enum class PixelLayout { Rgb565, Rgb555, Indexed8 };

// A finished picture, valid only during the Present call.
struct Frame {
    const void* pixels;         // top row first
    int width;                  // 640 in the game
    int height;                 // 480 in the game
    int pitch;                  // bytes from one row to the next
    PixelLayout layout;
    const std::uint8_t* palette;  // Indexed8 only: 256 entries of red, green, blue, flags
};

class Host {
public:
    virtual ~Host() = default;

    // CreateWindowExA: the game's one window appears (title, client size, class icon
    // and cursor; either picture may be null).
    virtual void OpenWindow(const char* title, int width, int height, HICON icon, HCURSOR cursor) = 0;
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
    // A trace record of the game's state after a pass's frame; hosts that keep no trace
    // answer false to TraceWanted and ignore the records.
    virtual bool TraceWanted() { return false; }
    virtual void TraceRecord(const std::string& fields) { (void)fields; }
};

// The host every platform call talks to. Until a host is installed, a quiet headless
// host with default settings stands in, so the stand-ins always have one.
Host& Current();
void Install(Host* host);  // null puts the default back

// ---------------------------------------------------------------- what hosts call
// A key went down or up: the window gets WM_KEYDOWN / WM_KEYUP with the virtual-key
// code, and the keyboard device's state byte for the scan code changes at once.
// Either code may be 0 when the key has none.
void DeliverKey(int virtualKey, int scanCode, bool down);
// The left mouse button was pressed at client (x, y); a second press of a double click
// arrives as WM_LBUTTONDBLCLK.
void DeliverClick(int x, int y, bool doubleClick);
// The window's close button (or Alt+F4): WM_CLOSE to the window.
void DeliverClose();
// Make the next PeekMessageA return WM_QUIT with this code ahead of anything queued
// (the headless host's end of a run of N passes).
void DeliverQuit(int exitCode);
// The main window, or null before it exists and after it is destroyed.
HWND MainWindow();

}  // namespace host
