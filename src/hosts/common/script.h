// Input scripts: one event a line, by pass number. The headless host runs them, the SDL
// host shows them (--play) and writes them (--record).
#pragma once

#include <cstddef>
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

// The most a script may hold. A recording writes a line of about 15 bytes for each key
// press or release, click and close: ten of them a second for two days of play make 1.7
// million lines. A longer script is no play but a runaway file, and would take hundreds of
// megabytes as events.
constexpr std::size_t kScriptMaxLines = 2000000;
constexpr std::size_t kScriptMaxBytes = 64 * 1024 * 1024;

// Reads a script: "<pass> down|up|tap|repeat <key>", "<pass> pad down|up|tap <button>",
// "<pass> stick <x> <y>", "<pass> click|dblclick <x> <y>", "<pass> close"; '#' starts a
// comment.
// Events come out sorted by pass, keeping the file's order within a pass ("tap" gives a
// down at its pass and an up at the next). On a bad line returns false and says which in
// `error`. Key names are LookUpKey's, pad buttons LookUpPadButton's (hosts/common/key_names.h).
// A last line without its line end is what a recording cut off (by a full disk, a kill)
// ends with: it is left out, and `note`, when given, says so; else `note` is left empty.
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error,
                 std::string* note = nullptr);
// The same from the file at `path`: only a regular file of at most kScriptMaxBytes is read.
bool LoadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error,
                std::string* note = nullptr);

class Controls;
class Platform;
// Called by hosts as a pass starts, for each event of that pass: keys and pads go through
// the player's controls, clicks and the close button straight to the platform.
void DeliverScriptEvent(const ScriptEvent& event, Controls& controls, Platform& platform);

}  // namespace host
