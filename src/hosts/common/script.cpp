// Input scripts: reading them, and delivering their events.
#include "hosts/common/script.h"

#include "hosts/common/controls.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "hosts/common/player_file.h"

namespace host {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

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

bool ParseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error, std::string* note) {
    if (note) note->clear();
    std::vector<ScriptEvent> parsed;
    std::istringstream lines(text);
    std::string line;
    std::size_t lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        if (lineNumber > kScriptMaxLines)
            return fail("more than " + std::to_string(kScriptMaxLines) + " lines, far more than any play makes");
        const bool cutOff = lines.eof();  // the text ended before this line's end
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;
        if (cutOff) {
            if (note)
                *note = "line " + std::to_string(lineNumber) + " (\"" + EchoText(line) +
                        "\") has no line end, as a recording cut off has; it is left out";
            break;
        }
        ScriptEvent event;
        if (!ParseInt(w[0], event.pass) || event.pass < 1) return fail("the pass must be a number from 1");
        if (w.size() < 2) return fail("an event is missing");
        const std::string verb = Lower(w[1]);
        if (verb == "down" || verb == "up" || verb == "tap" || verb == "repeat") {
            if (w.size() != 3) return fail(EchoText(verb) + " takes one key name");
            if (!LookUpKey(w[2], event.virtualKey, event.scanCode)) return fail("unknown key '" + EchoText(w[2]) + "'");
            event.kind = verb == "up" ? ScriptEvent::Kind::KeyUp : ScriptEvent::Kind::KeyDown;
            event.repeat = verb == "repeat";
            parsed.push_back(event);
            if (verb == "tap") {
                event.kind = ScriptEvent::Kind::KeyUp;
                event.pass += 1;
                parsed.push_back(event);
            }
        } else if (verb == "pad") {
            const std::string how = w.size() == 4 ? Lower(w[2]) : "";
            if (how != "down" && how != "up" && how != "tap") return fail("pad takes down, up or tap and a button");
            if (!LookUpPadButton(w[3], event.button)) return fail("unknown pad button '" + EchoText(w[3]) + "'");
            event.kind = how == "up" ? ScriptEvent::Kind::PadUp : ScriptEvent::Kind::PadDown;
            parsed.push_back(event);
            if (how == "tap") {
                event.kind = ScriptEvent::Kind::PadUp;
                event.pass += 1;
                parsed.push_back(event);
            }
        } else if (verb == "stick") {
            if (w.size() != 4 || !ParseInt(w[2], event.x) || !ParseInt(w[3], event.y) || event.x < -32768 ||
                event.y < -32768 || event.x > 32767 || event.y > 32767)
                return fail("stick takes x and y from -32768 to 32767");
            event.kind = ScriptEvent::Kind::Stick;
            parsed.push_back(event);
        } else if (verb == "click" || verb == "dblclick") {
            if (w.size() != 4 || !ParseInt(w[2], event.x) || !ParseInt(w[3], event.y) || event.x < 0 || event.y < 0 ||
                event.x > 0xFFFF || event.y > 0xFFFF)
                return fail(EchoText(verb) + " takes x and y from 0 to 65535");
            event.kind = ScriptEvent::Kind::Click;
            event.doubleClick = verb == "dblclick";
            parsed.push_back(event);
        } else if (verb == "close") {
            if (w.size() != 2) return fail("close takes nothing more");
            event.kind = ScriptEvent::Kind::Close;
            parsed.push_back(event);
        } else {
            return fail("unknown event '" + EchoText(w[1]) + "'");
        }
    }
    std::stable_sort(parsed.begin(), parsed.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.pass < b.pass; });
    events = std::move(parsed);
    return true;
}

bool LoadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error, std::string* note) {
    if (note) note->clear();
    std::string text, why;
    switch (ReadPlayerFile(path, kScriptMaxBytes, text, why)) {
        case PlayerFileOutcome::Read:
            return ParseScript(text, events, error, note);
        case PlayerFileOutcome::Missing:
            error = "no such file";
            return false;
        case PlayerFileOutcome::Refused:
            break;
    }
    // A folder would read as an empty script, a pipe would wait for a writer; and a script
    // that large is no play.
    error = why == kFolderNotFile ? "a folder, not a script" : why;
    if (why.rfind("larger than", 0) == 0) error += ", far more than any play makes";
    return false;
}

void DeliverScriptEvent(const ScriptEvent& event, Controls& controls, Platform& platform) {
    switch (event.kind) {
        case ScriptEvent::Kind::KeyDown:
            controls.Key(event.virtualKey, event.scanCode, true, event.repeat);
            break;
        case ScriptEvent::Kind::KeyUp:
            controls.Key(event.virtualKey, event.scanCode, false, false);
            break;
        case ScriptEvent::Kind::PadDown:
        case ScriptEvent::Kind::PadUp:
            controls.Input().Pad(0, event.button, event.kind == ScriptEvent::Kind::PadDown);
            break;
        case ScriptEvent::Kind::Stick:
            controls.Input().Stick(0, event.x, event.y);
            break;
        case ScriptEvent::Kind::Click:
            platform.DeliverClick(event.x, event.y, event.doubleClick);
            break;
        case ScriptEvent::Kind::Close:
            platform.DeliverClose();
            break;
    }
}

}  // namespace host
