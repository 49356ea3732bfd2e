// Key, game key and pad button names.
#include "hosts/common/key_names.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "hosts/key_codes.h"

namespace host {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Scan codes of the letters in alphabetical order, of the digits 0 to 9 and of F1 to F12.
constexpr int kLetterScanCodes[26] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                                      DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                                      DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
constexpr int kDigitScanCodes[10] = {DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9};
constexpr int kFunctionScanCodes[12] = {DIK_F1, DIK_F2, DIK_F3, DIK_F4,  DIK_F5,  DIK_F6,
                                        DIK_F7, DIK_F8, DIK_F9, DIK_F10, DIK_F11, DIK_F12};

constexpr const char* kGameKeyNames[kGameKeyCount] = {"Left", "Right", "Up", "Down", "Space", "X", "Enter", "Escape"};
constexpr const char* kPadButtonNames[kPadButtonCount] = {"a",    "b",  "x",    "y",    "start",
                                                          "back", "up", "down", "left", "right"};

}  // namespace

bool LookUpKey(const std::string& name, int& virtualKey, int& scanCode) {
    const std::string key = Lower(name);
    struct Named {
        const char* name;
        int vk;
        int dik;
    };
    static const Named named[] = {
        {"enter", VK_RETURN, DIK_RETURN},
        {"escape", VK_ESCAPE, DIK_ESCAPE},
        {"space", VK_SPACE, DIK_SPACE},
        {"up", VK_UP, DIK_UP},
        {"down", VK_DOWN, DIK_DOWN},
        {"left", VK_LEFT, DIK_LEFT},
        {"right", VK_RIGHT, DIK_RIGHT},
        {"ctrl", VK_CONTROL, DIK_LCONTROL},
        {"shift", VK_SHIFT, DIK_LSHIFT},
        {"alt", VK_MENU, DIK_LMENU},
        {"leftctrl", VK_CONTROL, DIK_LCONTROL},
        {"rightctrl", VK_CONTROL, DIK_RCONTROL},
    };
    for (const Named& n : named) {
        if (key == n.name) {
            virtualKey = n.vk;
            scanCode = n.dik;
            return true;
        }
    }
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') {
        virtualKey = 'A' + (key[0] - 'a');
        scanCode = kLetterScanCodes[key[0] - 'a'];
        return true;
    }
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
        virtualKey = key[0];
        scanCode = kDigitScanCodes[key[0] - '0'];
        return true;
    }
    const bool digitsAfterF = key.size() >= 2 && key.size() <= 3 && key[0] == 'f' && key[1] != '0' &&
                              std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digitsAfterF && std::stoi(key.substr(1)) <= 12) {
        const int number = std::stoi(key.substr(1));
        virtualKey = VK_F1 + number - 1;
        scanCode = kFunctionScanCodes[number - 1];
        return true;
    }
    return false;
}

bool NameOfKey(int virtualKey, int scanCode, std::string& name) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = {"Enter", "Escape", "Space", "Up",  "Down",     "Left",
                                        "Right", "Ctrl",   "Shift", "Alt", "RightCtrl"};
        for (char c = 'A'; c <= 'Z'; ++c) all.emplace_back(1, c);
        for (char c = '0'; c <= '9'; ++c) all.emplace_back(1, c);
        for (int f = 1; f <= 12; ++f) all.push_back("F" + std::to_string(f));
        return all;
    }();
    for (const std::string& candidate : names) {
        int vk = 0, scan = 0;
        if (LookUpKey(candidate, vk, scan) && vk == virtualKey && scan == scanCode) {
            name = candidate;
            return true;
        }
    }
    return false;
}

const char* GameKeyName(GameKey key) {
    return kGameKeyNames[static_cast<int>(key)];
}

bool LookUpGameKey(const std::string& name, GameKey& key) {
    for (int i = 0; i < kGameKeyCount; ++i) {
        if (Lower(name) == Lower(kGameKeyNames[i])) {
            key = static_cast<GameKey>(i);
            return true;
        }
    }
    return false;
}

void GameKeyCodes(GameKey key, int& virtualKey, int& scanCode) {
    LookUpKey(GameKeyName(key), virtualKey, scanCode);
}

const char* PadButtonName(PadButton button) {
    return kPadButtonNames[static_cast<int>(button)];
}

bool LookUpPadButton(const std::string& name, PadButton& button) {
    for (int i = 0; i < kPadButtonCount; ++i) {
        if (Lower(name) == kPadButtonNames[i]) {
            button = static_cast<PadButton>(i);
            return true;
        }
    }
    return false;
}

}  // namespace host
