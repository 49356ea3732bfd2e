// The keyboard device: set up at start-up, read once per level frame into KeyState.
#pragma once

#include <cstdint>

#include "platform/dinput.h"

// One byte per scan code; a key is down when bit 0x80 of its byte is set.
extern std::uint8_t KeyState[256];
extern LPDIRECTINPUT8A inputObject;
extern LPDIRECTINPUTDEVICE8A keyboardDevice;

// True when the key's byte in KeyState has bit 0x80 set.
inline bool KeyHeld(int scanCode) {
    return (KeyState[scanCode & 0xFF] & 0x80) != 0;
}

// Called once by InitGame, after the window and display: 1 set up and acquired, else 0.
int InitKeyboard();
// Called first by each level frame: 1 when KeyState now holds the keys, 0 on failure.
int ReadKeyboard();
// Called first by ShutdownGame.
void ShutdownKeyboard();
