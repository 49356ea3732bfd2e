// Input scripts: one event a line, by pass number. The headless host runs them, the SDL
// host shows them (--play) and writes them (--record).
#pragma once

#include <string>
#include <vector>

#include "hosts/common/key_names.h"

namespace host {

struct ScriptEvent {
    enum class Kind { KeyDown, KeyUp, Click, Close, PadDown, PadUp, Stick };
    int pass = 0;
    Kind kind = Kind::KeyDown;
    int virtualKey = 0;
    int scanCode = 0;
    bool repeat = false;  // KeyDown: the keyboard's repeat of a held key
    PadButton button = PadButton::A;
    int x = 0;  // Click: the point; Stick: the stick's position
    int y = 0;
    bool doubleClick = false;  // Click: the second press of a double click
};

// Reads a script: "<pass> down|up|tap|repeat <key>", "<pass> pad down|up|tap <button>",
// "<pass> stick <x> <y>", "<pass> click|dblclick <x> <y>", "<pass> close"; '#' starts a
// comment.
// Events come out sorted by pass, keeping the file's order within a pass ("tap" gives a
// down at its pass and an up at the next). On a bad line returns false and says which in
// `error`. Key names are LookUpKey's, pad buttons LookUpPadButton's (hosts/common/key_names.h).
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);
bool LoadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error);

class Controls;
class Platform;
// Called by hosts as a pass starts, for each event of that pass: keys and pads go through
// the player's controls, clicks and the close button straight to the platform.
void DeliverScriptEvent(const ScriptEvent& event, Controls& controls, Platform& platform);

}  // namespace host
