// Our stand-in for the keyboard device service: one system keyboard whose 256 key bytes
// are read in one call, a key down when bit 0x80 of its byte is set.
#pragma once

#include "hosts/key_codes.h"
#include "platform/unknwn.h"
#include "platform/windows.h"

constexpr DWORD DIRECTINPUT_VERSION = 0x0800;

constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
constexpr HRESULT DIERR_NOTINITIALIZED = static_cast<HRESULT>(0x80070015u);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);

constexpr DWORD DISCL_EXCLUSIVE = 0x1;
constexpr DWORD DISCL_NONEXCLUSIVE = 0x2;
constexpr DWORD DISCL_FOREGROUND = 0x4;
constexpr DWORD DISCL_BACKGROUND = 0x8;

// DIK_ scan codes: hosts/key_codes.h.

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
};
// The standard keyboard format: 256 one-byte key objects.
extern const DIDATAFORMAT c_dfDIKeyboard;

extern const GUID IID_IDirectInput8A;
extern const GUID GUID_SysKeyboard;

struct IDirectInputDevice8A : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
};
using LPDIRECTINPUTDEVICE8A = IDirectInputDevice8A*;

struct IDirectInput8A : IUnknown {
    virtual HRESULT CreateDevice(const GUID& device, IDirectInputDevice8A** created, IUnknown* outer) = 0;
};
using LPDIRECTINPUT8A = IDirectInput8A*;

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* created, IUnknown* outer);

// ---------------------------------------------------------------- what the stand-in keeps
// The system keyboard's immediate state, written by the host through Platform::DeliverKey.
void SetSystemKeyState(int scanCode, bool down);
// Makes every keyboard read fail while set, as a lost device does (tests).
void SetKeyboardReadsFail(bool fail);
