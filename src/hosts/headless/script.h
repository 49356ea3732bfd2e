// Input scripts of the headless host: one event a line, by pass number.
#pragma once

#include <string>
#include <vector>

namespace host {

struct ScriptEvent {
    enum class Kind { KeyDown, KeyUp, Click, Close };
    int pass = 0;
    Kind kind = Kind::KeyDown;
    int virtualKey = 0;
    int scanCode = 0;
    int x = 0;
    int y = 0;
};

// Reads a script: "<pass> down|up|tap <key>", "<pass> click <x> <y>", "<pass> close";
// '#' starts a comment. Events come out sorted by pass, keeping the file's order within
// a pass ("tap" gives a down at its pass and an up at the next). On a bad line returns
// false and says which in `error`.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);
bool LoadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error);

// The virtual-key and scan codes of a key name (Enter, Escape, Space, Up, Down, Left,
// Right, Ctrl (the left one), LeftCtrl, RightCtrl, A to Z, 0 to 9). False for an unknown name.
bool LookUpKey(const std::string& name, int& virtualKey, int& scanCode);

}  // namespace host
