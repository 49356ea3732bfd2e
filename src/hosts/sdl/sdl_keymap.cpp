// The key table of the SDL host: SDL key positions to virtual-key codes and scan codes.
#include "hosts/sdl/sdl_keymap.h"

#include <array>

#include "hosts/key_codes.h"

namespace host::sdl {
namespace {

struct KeyRow {
    SDL_Scancode position;
    int virtualKey;
    int scanCode;  // keyboard set 1; keys of the extended group carry the 0x80 bit
};

constexpr KeyRow kKeys[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01},
    {SDL_SCANCODE_1, '1', 0x02},
    {SDL_SCANCODE_2, '2', 0x03},
    {SDL_SCANCODE_3, '3', 0x04},
    {SDL_SCANCODE_4, '4', 0x05},
    {SDL_SCANCODE_5, '5', 0x06},
    {SDL_SCANCODE_6, '6', 0x07},
    {SDL_SCANCODE_7, '7', 0x08},
    {SDL_SCANCODE_8, '8', 0x09},
    {SDL_SCANCODE_9, '9', 0x0A},
    {SDL_SCANCODE_0, '0', 0x0B},
    {SDL_SCANCODE_MINUS, kVkMinus, 0x0C},
    {SDL_SCANCODE_EQUALS, kVkEquals, 0x0D},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E},
    {SDL_SCANCODE_TAB, VK_TAB, 0x0F},
    {SDL_SCANCODE_Q, 'Q', 0x10},
    {SDL_SCANCODE_W, 'W', 0x11},
    {SDL_SCANCODE_E, 'E', 0x12},
    {SDL_SCANCODE_R, 'R', 0x13},
    {SDL_SCANCODE_T, 'T', 0x14},
    {SDL_SCANCODE_Y, 'Y', 0x15},
    {SDL_SCANCODE_U, 'U', 0x16},
    {SDL_SCANCODE_I, 'I', 0x17},
    {SDL_SCANCODE_O, 'O', 0x18},
    {SDL_SCANCODE_P, 'P', 0x19},
    {SDL_SCANCODE_LEFTBRACKET, kVkLeftBracket, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, kVkRightBracket, 0x1B},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D},
    {SDL_SCANCODE_A, 'A', 0x1E},
    {SDL_SCANCODE_S, 'S', 0x1F},
    {SDL_SCANCODE_D, 'D', 0x20},
    {SDL_SCANCODE_F, 'F', 0x21},
    {SDL_SCANCODE_G, 'G', 0x22},
    {SDL_SCANCODE_H, 'H', 0x23},
    {SDL_SCANCODE_J, 'J', 0x24},
    {SDL_SCANCODE_K, 'K', 0x25},
    {SDL_SCANCODE_L, 'L', 0x26},
    {SDL_SCANCODE_SEMICOLON, kVkSemicolon, 0x27},
    {SDL_SCANCODE_APOSTROPHE, kVkApostrophe, 0x28},
    {SDL_SCANCODE_GRAVE, kVkGrave, 0x29},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, kVkBackslash, 0x2B},
    {SDL_SCANCODE_NONUSHASH, kVkBackslash, 0x2B},
    {SDL_SCANCODE_Z, 'Z', 0x2C},
    {SDL_SCANCODE_X, 'X', 0x2D},
    {SDL_SCANCODE_C, 'C', 0x2E},
    {SDL_SCANCODE_V, 'V', 0x2F},
    {SDL_SCANCODE_B, 'B', 0x30},
    {SDL_SCANCODE_N, 'N', 0x31},
    {SDL_SCANCODE_M, 'M', 0x32},
    {SDL_SCANCODE_COMMA, kVkComma, 0x33},
    {SDL_SCANCODE_PERIOD, kVkPeriod, 0x34},
    {SDL_SCANCODE_SLASH, kVkSlash, 0x35},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, kVkMultiply, 0x37},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, kVkCapsLock, 0x3A},
    {SDL_SCANCODE_F1, kVkF1 + 0, 0x3B},
    {SDL_SCANCODE_F2, kVkF1 + 1, 0x3C},
    {SDL_SCANCODE_F3, kVkF1 + 2, 0x3D},
    {SDL_SCANCODE_F4, kVkF1 + 3, 0x3E},
    {SDL_SCANCODE_F5, kVkF1 + 4, 0x3F},
    {SDL_SCANCODE_F6, kVkF1 + 5, 0x40},
    {SDL_SCANCODE_F7, kVkF1 + 6, 0x41},
    {SDL_SCANCODE_F8, kVkF1 + 7, 0x42},
    {SDL_SCANCODE_F9, kVkF1 + 8, 0x43},
    {SDL_SCANCODE_F10, kVkF1 + 9, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, kVkNumLock, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, kVkScrollLock, 0x46},
    {SDL_SCANCODE_KP_7, kVkNumpad0 + 7, 0x47},
    {SDL_SCANCODE_KP_8, kVkNumpad0 + 8, 0x48},
    {SDL_SCANCODE_KP_9, kVkNumpad0 + 9, 0x49},
    {SDL_SCANCODE_KP_MINUS, kVkSubtract, 0x4A},
    {SDL_SCANCODE_KP_4, kVkNumpad0 + 4, 0x4B},
    {SDL_SCANCODE_KP_5, kVkNumpad0 + 5, 0x4C},
    {SDL_SCANCODE_KP_6, kVkNumpad0 + 6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, kVkAdd, 0x4E},
    {SDL_SCANCODE_KP_1, kVkNumpad0 + 1, 0x4F},
    {SDL_SCANCODE_KP_2, kVkNumpad0 + 2, 0x50},
    {SDL_SCANCODE_KP_3, kVkNumpad0 + 3, 0x51},
    {SDL_SCANCODE_KP_0, kVkNumpad0 + 0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, kVkDecimal, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, kVkExtraBackslash, 0x56},
    {SDL_SCANCODE_F11, kVkF1 + 10, 0x57},
    {SDL_SCANCODE_F12, kVkF1 + 11, 0x58},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x9C},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x9D},
    {SDL_SCANCODE_KP_DIVIDE, kVkDivide, 0xB5},
    {SDL_SCANCODE_PRINTSCREEN, kVkPrintScreen, 0xB7},
    {SDL_SCANCODE_RALT, VK_MENU, 0xB8},
    {SDL_SCANCODE_PAUSE, kVkPause, 0xC5},
    {SDL_SCANCODE_HOME, kVkHome, 0xC7},
    {SDL_SCANCODE_UP, VK_UP, 0xC8},
    {SDL_SCANCODE_PAGEUP, kVkPageUp, 0xC9},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0xCB},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0xCD},
    {SDL_SCANCODE_END, kVkEnd, 0xCF},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, kVkPageDown, 0xD1},
    {SDL_SCANCODE_INSERT, kVkInsert, 0xD2},
    {SDL_SCANCODE_DELETE, kVkDelete, 0xD3},
    {SDL_SCANCODE_LGUI, kVkLeftSystemKey, 0xDB},
    {SDL_SCANCODE_RGUI, kVkRightSystemKey, 0xDC},
    {SDL_SCANCODE_APPLICATION, kVkApplications, 0xDD},
};

// Every SDL key position to its row, built once.
const std::array<KeyCodes, SDL_NUM_SCANCODES>& Table() {
    static const std::array<KeyCodes, SDL_NUM_SCANCODES> table = [] {
        std::array<KeyCodes, SDL_NUM_SCANCODES> built{};
        for (const KeyRow& row : kKeys) built[row.position] = KeyCodes{row.virtualKey, row.scanCode};
        return built;
    }();
    return table;
}

}  // namespace

KeyCodes MapKey(const SDL_Keysym& key) {
    KeyCodes codes{0, 0};
    if (key.scancode >= 0 && key.scancode < SDL_NUM_SCANCODES) codes = Table()[key.scancode];
    // A letter's window message follows the layout: on a board where the key in the Q
    // position reads A, it sends 'A' while the keyboard device still reports position Q.
    // Layouts without Latin letters keep the position's letter.
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) codes.virtualKey = 'A' + (key.sym - SDLK_a);
    return codes;
}

}  // namespace host::sdl
