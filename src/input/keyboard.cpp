// The keyboard device: set-up, the per-frame read of the 256 key bytes, and release.
#include "input/keyboard.h"

#include "common/program.h"

std::uint8_t KeyState[256] = {};
LPDIRECTINPUT8A inputObject = nullptr;
LPDIRECTINPUTDEVICE8A keyboardDevice = nullptr;

int InitKeyboard() {
    if (FAILED(DirectInput8Create(appInstance, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                  reinterpret_cast<LPVOID*>(&inputObject), nullptr)))
        return 0;
    if (FAILED(inputObject->CreateDevice(GUID_SysKeyboard, &keyboardDevice, nullptr))) return 0;
    // Shared with other programs and readable while the window is in the background.
    if (FAILED(keyboardDevice->SetCooperativeLevel(mainWindow, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND))) return 0;
    if (FAILED(keyboardDevice->SetDataFormat(&c_dfDIKeyboard))) return 0;
    return SUCCEEDED(keyboardDevice->Acquire()) ? 1 : 0;
}

int ReadKeyboard() {
    if (!keyboardDevice) return 0;
    return SUCCEEDED(keyboardDevice->GetDeviceState(sizeof(KeyState), KeyState)) ? 1 : 0;
}

void ShutdownKeyboard() {
    // The input object goes first, then the device. The device is not unacquired first:
    // releasing it gives up the keyboard all the same.
    if (inputObject) {
        inputObject->Release();
        inputObject = nullptr;
    }
    if (keyboardDevice) {
        keyboardDevice->Release();
        keyboardDevice = nullptr;
    }
}
