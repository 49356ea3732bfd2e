// Turns SDL's keys into the codes the game's window messages and keyboard device expect.
#pragma once

#include <SDL.h>

namespace host::sdl {

struct KeyCodes {
    int virtualKey;  // for WM_KEYDOWN / WM_KEYUP; 0 when the key has none
    int scanCode;    // the keyboard device's state byte; 0 when the key has none
};

// Called by the SDL host for every key event. The virtual-key code of a letter follows
// the label the keyboard layout puts on the key (as the window messages do); the scan
// code follows the key's position (as the keyboard device does). Both Ctrl keys give
// VK_CONTROL, both Shift keys VK_SHIFT and both Alt keys VK_MENU, each with its own scan
// code; keypad Enter gives VK_RETURN.
KeyCodes MapKey(const SDL_Keysym& key);

}  // namespace host::sdl
