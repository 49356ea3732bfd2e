// Tests of the SDL host's key table: the virtual-key code and the scan code each key
// reaches the game with, on other layouts too, and the table as a whole.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "hosts/common/script.h"
#include "hosts/key_codes.h"
#include "hosts/sdl/sdl_keymap.h"

namespace {

using host::sdl::KeyCodes;
using host::sdl::MapKey;

// The codes of a key event: the key's position and the symbol the layout gives it.
KeyCodes Map(SDL_Scancode position, SDL_Keycode symbol = SDLK_UNKNOWN) {
    SDL_Keysym key{};
    key.scancode = position;
    key.sym = symbol;
    return MapKey(key);
}

// "vk/scan" in hex, so that a wrong pair shows both halves.
std::string Text(int virtualKey, int scanCode) {
    char text[32];
    std::snprintf(text, sizeof text, "%#x/%#x", static_cast<unsigned>(virtualKey), static_cast<unsigned>(scanCode));
    return text;
}
std::string Text(KeyCodes codes) {
    return Text(codes.virtualKey, codes.scanCode);
}

// The scan codes of A to Z, in alphabetical order.
constexpr int kLetterScanCodes[26] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                                      DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                                      DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};

TEST(SdlKeyMap, LettersTakeTheLayoutsLabelForTheMessageAndThePositionForTheScanCode) {
    for (int i = 0; i < 26; ++i) {
        const auto position = static_cast<SDL_Scancode>(SDL_SCANCODE_A + i);
        EXPECT_EQ(Text('A' + i, kLetterScanCodes[i]), Text(Map(position, SDLK_a + i))) << char('A' + i);
    }
    // A French board: the key in the Q position reads A, the one in the A position reads Q,
    // and M sits where the US board has its semicolon.
    EXPECT_EQ(Text('A', DIK_Q), Text(Map(SDL_SCANCODE_Q, SDLK_a)));
    EXPECT_EQ(Text('Q', DIK_A), Text(Map(SDL_SCANCODE_A, SDLK_q)));
    EXPECT_EQ(Text('Z', DIK_W), Text(Map(SDL_SCANCODE_W, SDLK_z)));
    EXPECT_EQ(Text('M', 0x27), Text(Map(SDL_SCANCODE_SEMICOLON, SDLK_m)));
    // A board without Latin letters keeps the letter of the position.
    EXPECT_EQ(Text('A', DIK_A), Text(Map(SDL_SCANCODE_A, 0x0444)));
    EXPECT_EQ(Text('S', DIK_S), Text(Map(SDL_SCANCODE_S, SDLK_UNKNOWN)));
}

TEST(SdlKeyMap, DigitsFollowThePositionWhateverTheLayoutPrints) {
    const int digitScanCodes[10] = {DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9, DIK_0};
    // The top row of a US board and of a French one, where the digits need Shift.
    const SDL_Keycode us[10] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
    const SDL_Keycode french[10] = {'&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7, 0xE0};
    for (int i = 0; i < 10; ++i) {
        const auto position = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i);
        const int digit = i == 9 ? '0' : '1' + i;
        EXPECT_EQ(Text(digit, digitScanCodes[i]), Text(Map(position, us[i]))) << char(digit);
        EXPECT_EQ(Text(digit, digitScanCodes[i]), Text(Map(position, french[i]))) << char(digit);
    }
}

TEST(SdlKeyMap, BothCtrlShiftAndAltKeysGiveOneVirtualKeyWithTheirOwnScanCodes) {
    EXPECT_EQ(Text(VK_CONTROL, DIK_LCONTROL), Text(Map(SDL_SCANCODE_LCTRL)));
    EXPECT_EQ(Text(VK_CONTROL, DIK_RCONTROL), Text(Map(SDL_SCANCODE_RCTRL)));
    EXPECT_EQ(Text(VK_SHIFT, DIK_LSHIFT), Text(Map(SDL_SCANCODE_LSHIFT)));
    EXPECT_EQ(Text(VK_SHIFT, DIK_RSHIFT), Text(Map(SDL_SCANCODE_RSHIFT)));
    EXPECT_EQ(Text(VK_MENU, DIK_LMENU), Text(Map(SDL_SCANCODE_LALT)));
    EXPECT_EQ(Text(VK_MENU, DIK_RMENU), Text(Map(SDL_SCANCODE_RALT)));
    // Both Enter keys choose on the menu; the keypad's has a scan code of its own.
    EXPECT_EQ(Text(VK_RETURN, DIK_RETURN), Text(Map(SDL_SCANCODE_RETURN)));
    EXPECT_EQ(Text(VK_RETURN, 0x9C), Text(Map(SDL_SCANCODE_KP_ENTER)));
}

TEST(SdlKeyMap, ArrowsAndTheOtherExtendedKeysCarryTheHighBitOverTheirKeypadTwins) {
    EXPECT_EQ(Text(VK_UP, DIK_UP), Text(Map(SDL_SCANCODE_UP)));
    EXPECT_EQ(Text(VK_DOWN, DIK_DOWN), Text(Map(SDL_SCANCODE_DOWN)));
    EXPECT_EQ(Text(VK_LEFT, DIK_LEFT), Text(Map(SDL_SCANCODE_LEFT)));
    EXPECT_EQ(Text(VK_RIGHT, DIK_RIGHT), Text(Map(SDL_SCANCODE_RIGHT)));
    // Each extended key shares its low seven bits with the key it doubles on the keypad
    // or the main block, which has no 0x80 bit and a virtual key of its own.
    const std::pair<SDL_Scancode, SDL_Scancode> twins[] = {
        {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8},
        {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2},
        {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4},
        {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6},
        {SDL_SCANCODE_HOME, SDL_SCANCODE_KP_7},
        {SDL_SCANCODE_END, SDL_SCANCODE_KP_1},
        {SDL_SCANCODE_PAGEUP, SDL_SCANCODE_KP_9},
        {SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_KP_3},
        {SDL_SCANCODE_INSERT, SDL_SCANCODE_KP_0},
        {SDL_SCANCODE_DELETE, SDL_SCANCODE_KP_PERIOD},
        {SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_RETURN},
        {SDL_SCANCODE_RCTRL, SDL_SCANCODE_LCTRL},
        {SDL_SCANCODE_RALT, SDL_SCANCODE_LALT},
        {SDL_SCANCODE_KP_DIVIDE, SDL_SCANCODE_SLASH},
        {SDL_SCANCODE_PRINTSCREEN, SDL_SCANCODE_KP_MULTIPLY},
        {SDL_SCANCODE_PAUSE, SDL_SCANCODE_NUMLOCKCLEAR},
    };
    for (const auto& [extended, twin] : twins) {
        const KeyCodes e = Map(extended), t = Map(twin);
        SCOPED_TRACE(SDL_GetScancodeName(extended));
        EXPECT_EQ(0x80, e.scanCode & 0x80);
        EXPECT_EQ(0, t.scanCode & 0x80);
        EXPECT_EQ(t.scanCode | 0x80, e.scanCode);
        EXPECT_NE(0, t.scanCode);
        if (twin != SDL_SCANCODE_RETURN && twin != SDL_SCANCODE_LCTRL && twin != SDL_SCANCODE_LALT) {
            EXPECT_NE(t.virtualKey, e.virtualKey);
        }
    }
    for (const SDL_Scancode systemKey : {SDL_SCANCODE_LGUI, SDL_SCANCODE_RGUI, SDL_SCANCODE_APPLICATION})
        EXPECT_EQ(0x80, Map(systemKey).scanCode & 0x80) << SDL_GetScancodeName(systemKey);
}

TEST(SdlKeyMap, KeysTheGameHasNoCodeForGiveNone) {
    for (const SDL_Scancode unknown : {SDL_SCANCODE_UNKNOWN, SDL_SCANCODE_F13, SDL_SCANCODE_F24, SDL_SCANCODE_MUTE,
                                       SDL_SCANCODE_AUDIONEXT, SDL_SCANCODE_LANG1, SDL_SCANCODE_MODE})
        EXPECT_EQ(Text(0, 0), Text(Map(unknown))) << SDL_GetScancodeName(unknown);
    // Positions beyond SDL's own count are not looked up at all.
    EXPECT_EQ(Text(0, 0), Text(Map(SDL_NUM_SCANCODES)));
    EXPECT_EQ(Text(0, 0), Text(Map(static_cast<SDL_Scancode>(1000))));
}

TEST(SdlKeyMap, NoTwoPositionsShareAScanCodeAndEveryKeyHasBothCodes) {
    // SDL names the key left of Enter on ISO boards apart from the US backslash key; it is
    // the same key, with the same scan code.
    const std::pair<SDL_Scancode, SDL_Scancode> sameKey{SDL_SCANCODE_BACKSLASH, SDL_SCANCODE_NONUSHASH};
    std::map<int, SDL_Scancode> owner;
    int mapped = 0;
    for (int i = 0; i < SDL_NUM_SCANCODES; ++i) {
        const auto position = static_cast<SDL_Scancode>(i);
        const KeyCodes codes = Map(position);
        if (codes.scanCode == 0 && codes.virtualKey == 0) continue;
        ++mapped;
        SCOPED_TRACE(SDL_GetScancodeName(position));
        // The window messages drop virtual keys above 255; the keyboard state has 256 bytes.
        EXPECT_GT(codes.virtualKey, 0);
        EXPECT_LT(codes.virtualKey, 256);
        EXPECT_GT(codes.scanCode, 0);
        EXPECT_LT(codes.scanCode, 256);
        const auto [it, first] = owner.emplace(codes.scanCode, position);
        if (!first && !(it->second == sameKey.first && position == sameKey.second))
            ADD_FAILURE() << "scan code " << Text(0, codes.scanCode) << " also belongs to "
                          << SDL_GetScancodeName(it->second);
    }
    EXPECT_GE(mapped, 100) << "a full board has over a hundred keys";
}

TEST(SdlKeyMap, AgreesWithTheKeyNamesOfHeadlessScripts) {
    // A scripted run must press the keys a player presses, down to the scan code.
    std::map<std::string, SDL_Scancode> named = {
        {"Enter", SDL_SCANCODE_RETURN}, {"Escape", SDL_SCANCODE_ESCAPE}, {"Space", SDL_SCANCODE_SPACE},
        {"Up", SDL_SCANCODE_UP},        {"Down", SDL_SCANCODE_DOWN},     {"Left", SDL_SCANCODE_LEFT},
        {"Right", SDL_SCANCODE_RIGHT},  {"Ctrl", SDL_SCANCODE_LCTRL},    {"Shift", SDL_SCANCODE_LSHIFT},
        {"Alt", SDL_SCANCODE_LALT},
    };
    for (int i = 0; i < 26; ++i) named[std::string(1, char('A' + i))] = static_cast<SDL_Scancode>(SDL_SCANCODE_A + i);
    for (int i = 0; i < 10; ++i)
        named[std::string(1, char('0' + i))] =
            i == 0 ? SDL_SCANCODE_0 : static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i - 1);
    for (const auto& [name, position] : named) {
        int virtualKey = 0, scanCode = 0;
        ASSERT_TRUE(host::LookUpKey(name, virtualKey, scanCode)) << name;
        const SDL_Keycode symbol = name.size() == 1 && name[0] >= 'A' ? SDLK_a + (name[0] - 'A') : SDLK_UNKNOWN;
        EXPECT_EQ(Text(virtualKey, scanCode), Text(Map(position, symbol))) << name;
    }
}

}  // namespace
