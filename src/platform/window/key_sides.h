// The two sides of the modifier keys. Key messages carry VK_SHIFT, VK_CONTROL or VK_MENU
// for either side; the scan code in the message tells which, and the key state keeps the
// sides apart, so letting go of one Ctrl leaves Ctrl held while the other is still down.
#pragma once

#include "platform/windows.h"

namespace platform {

// The side's own virtual-key code (VK_LCONTROL, VK_RSHIFT, ...) of a modifier key message,
// from its virtual-key code and lParam; 0 for any other key.
inline int SidedModifierKey(int virtualKey, LPARAM lParam) {
    const int scanCode = static_cast<int>((lParam >> 16) & 0xFF);
    // The right Ctrl and Alt are extended keys: the 0x80 bit of our scan codes, or bit 24.
    const bool extended = (scanCode & 0x80) != 0 || (lParam & (static_cast<LPARAM>(1) << 24)) != 0;
    switch (virtualKey) {
        case VK_SHIFT:
            return (scanCode & 0x7F) == DIK_RSHIFT ? VK_RSHIFT : VK_LSHIFT;
        case VK_CONTROL:
            return extended ? VK_RCONTROL : VK_LCONTROL;
        case VK_MENU:
            return extended ? VK_RMENU : VK_LMENU;
        default:
            return 0;
    }
}

}  // namespace platform
