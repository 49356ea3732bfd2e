// Input scripts of the headless host: parsing and key names.
#include "hosts/headless/script.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hosts/key_codes.h"

namespace host {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Scan codes of the letters in alphabetical order and of the digits 0 to 9.
constexpr int kLetterScanCodes[26] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                                      DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                                      DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
constexpr int kDigitScanCodes[10] = {DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9};

bool ParseInt(const std::string& word, int& value) {
    if (word.empty()) return false;
    std::size_t used = 0;
    try {
        const long parsed = std::stol(word, &used, 10);
        if (used != word.size() || parsed < -1000000000L || parsed > 1000000000L) return false;
        value = static_cast<int>(parsed);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

bool LookUpKey(const std::string& name, int& virtualKey, int& scanCode) {
    const std::string key = Lower(name);
    struct Named {
        const char* name;
        int vk;
        int dik;
    };
    static const Named named[] = {
        {"enter", VK_RETURN, DIK_RETURN}, {"escape", VK_ESCAPE, DIK_ESCAPE}, {"space", VK_SPACE, DIK_SPACE},
        {"up", VK_UP, DIK_UP},           {"down", VK_DOWN, DIK_DOWN},       {"left", VK_LEFT, DIK_LEFT},
        {"right", VK_RIGHT, DIK_RIGHT},  {"ctrl", VK_CONTROL, DIK_LCONTROL}, {"shift", VK_SHIFT, DIK_LSHIFT},
        {"alt", VK_MENU, DIK_LMENU},      {"leftctrl", VK_CONTROL, DIK_LCONTROL}, {"rightctrl", VK_CONTROL, DIK_RCONTROL},
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
    return false;
}

bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error) {
    std::vector<ScriptEvent> parsed;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        ScriptEvent event;
        if (!ParseInt(w[0], event.pass) || event.pass < 1) return fail("the pass must be a number from 1");
        if (w.size() < 2) return fail("an event is missing");
        const std::string verb = Lower(w[1]);
        if (verb == "down" || verb == "up" || verb == "tap") {
            if (w.size() != 3) return fail(verb + " takes one key name");
            if (!LookUpKey(w[2], event.virtualKey, event.scanCode)) return fail("unknown key '" + w[2] + "'");
            event.kind = verb == "up" ? ScriptEvent::Kind::KeyUp : ScriptEvent::Kind::KeyDown;
            parsed.push_back(event);
            if (verb == "tap") {
                event.kind = ScriptEvent::Kind::KeyUp;
                event.pass += 1;
                parsed.push_back(event);
            }
        } else if (verb == "click") {
            if (w.size() != 4 || !ParseInt(w[2], event.x) || !ParseInt(w[3], event.y) || event.x < 0 ||
                event.y < 0 || event.x > 0xFFFF || event.y > 0xFFFF)
                return fail("click takes x and y from 0 to 65535");
            event.kind = ScriptEvent::Kind::Click;
            parsed.push_back(event);
        } else if (verb == "close") {
            if (w.size() != 2) return fail("close takes nothing more");
            event.kind = ScriptEvent::Kind::Close;
            parsed.push_back(event);
        } else {
            return fail("unknown event '" + w[1] + "'");
        }
    }
    std::stable_sort(parsed.begin(), parsed.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.pass < b.pass; });
    events = std::move(parsed);
    return true;
}

bool LoadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error) {
    std::error_code failed;
    if (std::filesystem::is_directory(path, failed)) {  // it would read as an empty script
        error = "a folder, not a script";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseScript(text.str(), events, error);
}

}  // namespace host
