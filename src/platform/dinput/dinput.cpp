// The keyboard device stand-in: one system keyboard, read as 256 immediate key bytes.
#include "platform/dinput.h"
#include "platform/com/com_object.h"

#include <cstring>

const GUID IID_IDirectInput8A = {0x4E61B3A5u, 0x7C1Du, 0x4B85u, {0x9A, 0x33, 0x52, 0x10, 0x6E, 0xA7, 0x1F, 0x03}};
const GUID GUID_SysKeyboard = {0x4E61B3A6u, 0x7C1Du, 0x4B85u, {0x9A, 0x33, 0x52, 0x10, 0x6E, 0xA7, 0x1F, 0x03}};
const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 0, 0x2, 256, 256};

namespace {

BYTE systemKeys[256] = {};
bool readsFail = false;

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

class Keyboard final : public CountedObject<IDirectInputDevice8A> {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override {
        const bool oneSharing = ((flags & DISCL_EXCLUSIVE) != 0) != ((flags & DISCL_NONEXCLUSIVE) != 0);
        const bool oneFocus = ((flags & DISCL_FOREGROUND) != 0) != ((flags & DISCL_BACKGROUND) != 0);
        if (!window || !oneSharing || !oneFocus) return E_INVALIDARG;
        return S_OK;
    }
    HRESULT SetDataFormat(const DIDATAFORMAT* format) override {
        if (format != &c_dfDIKeyboard) return E_INVALIDARG;
        if (acquired_) return static_cast<HRESULT>(0x80070005u);  // not while acquired
        formatSet_ = true;
        return S_OK;
    }
    HRESULT Acquire() override {
        if (!formatSet_) return E_INVALIDARG;
        acquired_ = true;
        return S_OK;
    }
    HRESULT Unacquire() override {
        if (!acquired_) return S_FALSE;
        acquired_ = false;
        return S_OK;
    }
    HRESULT GetDeviceState(DWORD size, LPVOID data) override {
        if (!data || size != sizeof(systemKeys)) return E_INVALIDARG;
        if (!acquired_) return DIERR_NOTACQUIRED;
        if (readsFail) return DIERR_INPUTLOST;
        std::memcpy(data, systemKeys, sizeof(systemKeys));
        return S_OK;
    }

private:
    ~Keyboard() override = default;
    bool formatSet_ = false;
    bool acquired_ = false;
};

class Input final : public CountedObject<IDirectInput8A> {
public:
    HRESULT CreateDevice(const GUID& device, IDirectInputDevice8A** created, IUnknown* outer) override {
        if (!created || outer) return E_INVALIDARG;
        *created = nullptr;
        if (!SameGuid(device, GUID_SysKeyboard)) return static_cast<HRESULT>(0x80040154u);  // no such device
        *created = new Keyboard();
        return S_OK;
    }

private:
    ~Input() override = default;
};

}  // namespace

HRESULT DirectInput8Create(HINSTANCE, DWORD version, REFIID iid, LPVOID* created, IUnknown* outer) {
    if (!created) return E_INVALIDARG;
    *created = nullptr;
    if (outer || version != DIRECTINPUT_VERSION || !SameGuid(iid, IID_IDirectInput8A)) return E_INVALIDARG;
    *created = static_cast<IDirectInput8A*>(new Input());
    return S_OK;
}

void SetSystemKeyState(int scanCode, bool down) {
    if (scanCode < 0 || scanCode > 255) return;
    systemKeys[scanCode] = down ? 0x80 : 0;
}

void SetKeyboardReadsFail(bool fail) {
    readsFail = fail;
}
