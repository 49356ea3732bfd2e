// Our stand-in for the window, message, GDI, file and clock services the game calls,
// under the platform's own names and signatures.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hosts/key_codes.h"

// ---------------------------------------------------------------- basic types
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using BOOL = int;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = WORD;
using COLORREF = DWORD;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using SHORT = std::int16_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#define WINAPI
#define CALLBACK

// Handles are opaque pointers to records the platform owns.
struct PlatformWindow;
struct PlatformInstance;
struct PlatformDeviceContext;
struct PlatformGdiObject;
namespace host {
struct Picture;
}
using HWND = PlatformWindow*;
using HINSTANCE = PlatformInstance*;
using HMENU = void*;
using HDC = PlatformDeviceContext*;
using HGDIOBJ = PlatformGdiObject*;
using HBRUSH = PlatformGdiObject*;
using HICON = const host::Picture*;
using HCURSOR = const host::Picture*;
using HFILE = int;

#define MAKEINTRESOURCEA(id) (reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define LOWORD(l) (static_cast<WORD>(static_cast<std::uintptr_t>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<std::uintptr_t>(l) >> 16) & 0xFFFF))
#define MAKELPARAM(lo, hi) \
    (static_cast<LPARAM>(  \
        static_cast<DWORD>((static_cast<WORD>(lo)) | (static_cast<DWORD>(static_cast<WORD>(hi)) << 16))))
#define RGB(r, g, b)                                                                                 \
    (static_cast<COLORREF>((static_cast<BYTE>(r)) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(c) (static_cast<BYTE>(c))
#define GetGValue(c) (static_cast<BYTE>((c) >> 8))
#define GetBValue(c) (static_cast<BYTE>((c) >> 16))
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using LPMSG = MSG*;

using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

// ---------------------------------------------------------------- constants
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;

// VK_ key codes: hosts/key_codes.h.

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;

constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

constexpr int BLACK_BRUSH = 4;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr int SW_SHOW = 5;

// ---------------------------------------------------------------- windows and messages
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
// Fails while a window of the class exists.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// Creates the window and sends WM_CREATE to its procedure before returning.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Sends WM_DESTROY to the window's procedure; later messages to it are dropped.
BOOL DestroyWindow(HWND window);
BOOL PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// WM_CLOSE destroys the window; every other message does nothing and returns 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// Negative while the key is down, as of the key messages already taken off the queue.
SHORT GetKeyState(int virtualKey);
// Display count: the cursor shows while the count is 0 or more. Returns the new count.
int ShowCursor(BOOL show);
BOOL GetWindowRect(HWND window, LPRECT rect);
HGDIOBJ GetStockObject(int object);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// ---------------------------------------------------------------- clock
// Milliseconds from the host clock; wraps at 2^32.
DWORD GetTickCount();

// ---------------------------------------------------------------- GDI text
COLORREF SetTextColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

// ---------------------------------------------------------------- file reading
constexpr UINT OF_READ = 0x0000;
constexpr HFILE HFILE_ERROR = -1;
struct OFSTRUCT {
    BYTE cBytes;
    BYTE fFixedDisk;
    WORD nErrCode;
    WORD reserved1;
    WORD reserved2;
    char szPathName[128];
};
HFILE OpenFile(LPCSTR fileName, OFSTRUCT* info, UINT style);
// Reads up to `count` bytes; returns the number read (0 at the end, UINT(-1) on error).
UINT _lread(HFILE file, LPVOID buffer, UINT count);
HFILE _lclose(HFILE file);
// Copies the working directory into buffer; returns its length, or the size needed
// (terminator included) when the buffer is too small, or 0 on failure.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);

// ---------------------------------------------------------------- the program's entry
// Written by the game; the platform calls it once.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

// ---------------------------------------------------------------- this stand-in's own
namespace platform {
// The game's one window, or null before it exists and after it is destroyed (tests use it
// to clean up after a game that did not quit).
HWND MainWindow();
}  // namespace platform
