// The web host's key table: a key of the page to the codes the platform's messages carry.
#pragma once

namespace host::web {

struct KeyCodes {
    int virtualKey;  // 0 when the key has none
    int scanCode;    // 0 when the key has none
};

// `position` is the key's place on the board (KeyboardEvent.code, e.g. "KeyQ"), `meaning`
// what the layout makes of it (KeyboardEvent.key, e.g. "a"); a letter key's virtual-key code
// follows the layout, its scan code the position.
KeyCodes MapKey(const char* position, const char* meaning);

}  // namespace host::web
