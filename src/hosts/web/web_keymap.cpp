// The key table of the web host: the page's key positions (KeyboardEvent.code) to
// virtual-key codes and scan codes, the same codes the SDL host gives for the same keys.
#include "hosts/web/web_keymap.h"

#include <cstring>

#include "hosts/key_codes.h"

namespace host::web {
namespace {

struct KeyRow {
    const char* position;  // KeyboardEvent.code
    int virtualKey;
    int scanCode;  // keyboard set 1; keys of the extended group carry the 0x80 bit
};

constexpr KeyRow kKeys[] = {
    {"Escape", VK_ESCAPE, 0x01},
    {"Digit1", '1', 0x02},
    {"Digit2", '2', 0x03},
    {"Digit3", '3', 0x04},
    {"Digit4", '4', 0x05},
    {"Digit5", '5', 0x06},
    {"Digit6", '6', 0x07},
    {"Digit7", '7', 0x08},
    {"Digit8", '8', 0x09},
    {"Digit9", '9', 0x0A},
    {"Digit0", '0', 0x0B},
    {"Minus", kVkMinus, 0x0C},
    {"Equal", kVkEquals, 0x0D},
    {"Backspace", VK_BACK, 0x0E},
    {"Tab", VK_TAB, 0x0F},
    {"KeyQ", 'Q', 0x10},
    {"KeyW", 'W', 0x11},
    {"KeyE", 'E', 0x12},
    {"KeyR", 'R', 0x13},
    {"KeyT", 'T', 0x14},
    {"KeyY", 'Y', 0x15},
    {"KeyU", 'U', 0x16},
    {"KeyI", 'I', 0x17},
    {"KeyO", 'O', 0x18},
    {"KeyP", 'P', 0x19},
    {"BracketLeft", kVkLeftBracket, 0x1A},
    {"BracketRight", kVkRightBracket, 0x1B},
    {"Enter", VK_RETURN, 0x1C},
    {"ControlLeft", VK_CONTROL, 0x1D},
    {"KeyA", 'A', 0x1E},
    {"KeyS", 'S', 0x1F},
    {"KeyD", 'D', 0x20},
    {"KeyF", 'F', 0x21},
    {"KeyG", 'G', 0x22},
    {"KeyH", 'H', 0x23},
    {"KeyJ", 'J', 0x24},
    {"KeyK", 'K', 0x25},
    {"KeyL", 'L', 0x26},
    {"Semicolon", kVkSemicolon, 0x27},
    {"Quote", kVkApostrophe, 0x28},
    {"Backquote", kVkGrave, 0x29},
    {"ShiftLeft", VK_SHIFT, 0x2A},
    {"Backslash", kVkBackslash, 0x2B},
    {"KeyZ", 'Z', 0x2C},
    {"KeyX", 'X', 0x2D},
    {"KeyC", 'C', 0x2E},
    {"KeyV", 'V', 0x2F},
    {"KeyB", 'B', 0x30},
    {"KeyN", 'N', 0x31},
    {"KeyM", 'M', 0x32},
    {"Comma", kVkComma, 0x33},
    {"Period", kVkPeriod, 0x34},
    {"Slash", kVkSlash, 0x35},
    {"ShiftRight", VK_SHIFT, 0x36},
    {"NumpadMultiply", kVkMultiply, 0x37},
    {"AltLeft", VK_MENU, 0x38},
    {"Space", VK_SPACE, 0x39},
    {"CapsLock", kVkCapsLock, 0x3A},
    {"F1", kVkF1 + 0, 0x3B},
    {"F2", kVkF1 + 1, 0x3C},
    {"F3", kVkF1 + 2, 0x3D},
    {"F4", kVkF1 + 3, 0x3E},
    {"F5", kVkF1 + 4, 0x3F},
    {"F6", kVkF1 + 5, 0x40},
    {"F7", kVkF1 + 6, 0x41},
    {"F8", kVkF1 + 7, 0x42},
    {"F9", kVkF1 + 8, 0x43},
    {"F10", kVkF1 + 9, 0x44},
    {"NumLock", kVkNumLock, 0x45},
    {"ScrollLock", kVkScrollLock, 0x46},
    {"Numpad7", kVkNumpad0 + 7, 0x47},
    {"Numpad8", kVkNumpad0 + 8, 0x48},
    {"Numpad9", kVkNumpad0 + 9, 0x49},
    {"NumpadSubtract", kVkSubtract, 0x4A},
    {"Numpad4", kVkNumpad0 + 4, 0x4B},
    {"Numpad5", kVkNumpad0 + 5, 0x4C},
    {"Numpad6", kVkNumpad0 + 6, 0x4D},
    {"NumpadAdd", kVkAdd, 0x4E},
    {"Numpad1", kVkNumpad0 + 1, 0x4F},
    {"Numpad2", kVkNumpad0 + 2, 0x50},
    {"Numpad3", kVkNumpad0 + 3, 0x51},
    {"Numpad0", kVkNumpad0 + 0, 0x52},
    {"NumpadDecimal", kVkDecimal, 0x53},
    {"IntlBackslash", kVkExtraBackslash, 0x56},
    {"F11", kVkF1 + 10, 0x57},
    {"F12", kVkF1 + 11, 0x58},
    {"NumpadEnter", VK_RETURN, 0x9C},
    {"ControlRight", VK_CONTROL, 0x9D},
    {"NumpadDivide", kVkDivide, 0xB5},
    {"PrintScreen", kVkPrintScreen, 0xB7},
    {"AltRight", VK_MENU, 0xB8},
    {"Pause", kVkPause, 0xC5},
    {"Home", kVkHome, 0xC7},
    {"ArrowUp", VK_UP, 0xC8},
    {"PageUp", kVkPageUp, 0xC9},
    {"ArrowLeft", VK_LEFT, 0xCB},
    {"ArrowRight", VK_RIGHT, 0xCD},
    {"End", kVkEnd, 0xCF},
    {"ArrowDown", VK_DOWN, 0xD0},
    {"PageDown", kVkPageDown, 0xD1},
    {"Insert", kVkInsert, 0xD2},
    {"Delete", kVkDelete, 0xD3},
    {"MetaLeft", kVkLeftSystemKey, 0xDB},
    {"MetaRight", kVkRightSystemKey, 0xDC},
    {"ContextMenu", kVkApplications, 0xDD},
};

}  // namespace

KeyCodes MapKey(const char* position, const char* meaning) {
    KeyCodes codes{0, 0};
    if (!position) return codes;
    for (const KeyRow& row : kKeys) {
        if (std::strcmp(row.position, position) == 0) {
            codes = KeyCodes{row.virtualKey, row.scanCode};
            break;
        }
    }
    // A letter's window message follows the layout: on a board where the key in the Q
    // position reads A, it sends 'A' while the keyboard device still reports position Q.
    // Layouts without Latin letters keep the position's letter.
    if (meaning && meaning[0] != '\0' && meaning[1] == '\0') {
        const char c = meaning[0];
        if (c >= 'a' && c <= 'z') codes.virtualKey = 'A' + (c - 'a');
        if (c >= 'A' && c <= 'Z') codes.virtualKey = c;
    }
    return codes;
}

}  // namespace host::web
