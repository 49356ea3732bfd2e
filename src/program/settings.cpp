// The settings file: reading it, parsing line by line, typed values and in-place changes.
#include "program/settings.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "hosts/common/player_file.h"
#include "program/user_paths.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The value's place in a "key = value" line: after the '=' and its blanks, up to a comment
// that follows a blank ("# ..."), without the blanks before it.
void FindValue(const std::string& text, std::size_t equals, std::size_t& start, std::size_t& length) {
    start = equals + 1;
    while (start < text.size() && IsBlank(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !(text[end] == '#' && end > start && IsBlank(text[end - 1]))) ++end;
    while (end > start && IsBlank(text[end - 1])) --end;
    length = end - start;
}

std::string Trim(const std::string& text) {
    std::size_t from = 0, to = text.size();
    while (from < to && IsBlank(text[from])) ++from;
    while (to > from && IsBlank(text[to - 1])) --to;
    return text.substr(from, to - from);
}

bool ReadBool(const std::string& text, bool& value) {
    const std::string word = Lower(text);
    if (word == "true" || word == "yes" || word == "on" || word == "1") return value = true, true;
    if (word == "false" || word == "no" || word == "off" || word == "0") return value = false, true;
    return false;
}

bool ReadWhole(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 6) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    const int parsed = std::atoi(text.c_str());
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

// The keys a settings file may set besides key.<GameKey> and pad.<Button>.
const char* const kKeys[] = {"fullscreen", "scale",     "integer_scaling", "music_volume",  "effects_volume",
                             "mute",       "soundfont", "gamepad",         "screenshot_dir"};

const char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string Quoted(const std::string& text) {
    return "\"" + host::EchoText(text) + "\"";
}

std::string GameKeyList() {
    std::string list;
    for (int i = 0; i < host::kGameKeyCount; ++i)
        list += (i ? ", " : "") + std::string(host::GameKeyName(static_cast<host::GameKey>(i)));
    return list;
}

}  // namespace

std::string BoolText(bool value) {
    return value ? "true" : "false";
}

SettingsFile SettingsFile::Read(const std::string& path, std::vector<std::string>& warnings) {
    std::string text, why;
    switch (host::ReadPlayerFile(path, kSettingsMaxBytes, text, why)) {
        case host::PlayerFileOutcome::Read:
            return Parse(path, text, warnings);
        case host::PlayerFileOutcome::Missing:  // no file yet is the usual case
            return Parse(path, "", warnings);
        case host::PlayerFileOutcome::Refused:
            break;
    }
    // Worth a word; and what is there stays as it is, since it could not be read.
    warnings.push_back(path + ": " + why + "; using the defaults, and leaving it as it is");
    SettingsFile file = Parse(path, "", warnings);
    file.unreadable_ = why;
    return file;
}

SettingsFile SettingsFile::Parse(const std::string& path, const std::string& text, std::vector<std::string>& warnings) {
    SettingsFile file;
    file.path_ = path;
    file.endsWithBreak_ = text.empty() || text.back() == '\n';
    // Some editors start a UTF-8 file with a byte-order mark: it is no part of the first line.
    file.byteOrderMark_ = text.rfind(kByteOrderMark, 0) == 0;
    std::istringstream lines(file.byteOrderMark_ ? text.substr(3) : text);
    std::string raw;
    int number = 0;
    std::size_t warned = 0, unsaid = 0;
    while (std::getline(lines, raw)) {
        ++number;
        Line line;
        line.text = raw;
        const std::string content = Trim(raw);
        if (!content.empty() && content[0] != '#') {
            const std::size_t equals = raw.find('=');
            std::string why;
            if (equals == std::string::npos) {
                why = "not a \"key = value\" line";
            } else {
                line.key = Trim(raw.substr(0, equals));
                FindValue(raw, equals, line.valueStart, line.valueLength);
                const std::string value = raw.substr(line.valueStart, line.valueLength);
                if (line.key.empty())
                    why = "a value with no key";
                else
                    file.Apply(line.key, value, number, why);
            }
            if (!why.empty() && warned++ < kSettingsMaxWarnings)
                warnings.push_back(path + ":" + std::to_string(number) + ": " + why);
            else if (!why.empty())
                ++unsaid;
        }
        file.lines_.push_back(std::move(line));
    }
    if (unsaid > 0)
        warnings.push_back(path + ": " + std::to_string(unsaid) + " more line" + (unsaid == 1 ? "" : "s") +
                           " could not be used either");
    return file;
}

std::string SettingsFile::PathFromFile(const std::string& value) const {
    if (value.empty() || value[0] == '/') return value;
    if (value == "~" || value.rfind("~/", 0) == 0) return HomeFolder() + value.substr(1);
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    return (folder.empty() ? std::filesystem::path(value) : folder / value).lexically_normal().string();
}

bool SettingsFile::Apply(const std::string& key, const std::string& value, int lineNumber, std::string& why) {
    Settings& s = values_;
    const auto flag = [&](bool& to) {
        if (!ReadBool(value, to)) why = key + " is true or false, not " + Quoted(value) + "; keeping " + BoolText(to);
    };
    const auto whole = [&](int low, int high, int& to) {
        if (!ReadWhole(value, low, high, to))
            why = key + " is a whole number from " + std::to_string(low) + " to " + std::to_string(high) + ", not " +
                  Quoted(value) + "; keeping " + std::to_string(to);
    };
    if (key == "fullscreen")
        flag(s.fullscreen);
    else if (key == "integer_scaling")
        flag(s.integerScaling);
    else if (key == "mute")
        flag(s.mute);
    else if (key == "gamepad")
        flag(s.gamepad);
    else if (key == "scale")
        whole(1, 8, s.scale);
    else if (key == "music_volume")
        whole(0, 100, s.musicVolume);
    else if (key == "effects_volume")
        whole(0, 100, s.effectsVolume);
    else if (key == "soundfont")
        s.soundFont = PathFromFile(value);
    else if (key == "screenshot_dir")
        s.screenshotFolder = PathFromFile(value);
    else if (key.rfind("key.", 0) == 0) {
        host::GameKey gameKey;
        if (!host::LookUpGameKey(key.substr(4), gameKey)) {
            why = "no game key " + Quoted(key.substr(4)) + " (there are " + GameKeyList() + ")";
            return false;
        }
        std::map<int, host::GameKey> bound;
        std::istringstream names(value);
        for (std::string name; std::getline(names, name, ',');) {
            name = Trim(name);
            int virtualKey = 0, scanCode = 0;
            if (name.empty()) continue;
            if (!host::LookUpKey(name, virtualKey, scanCode)) {
                why = key + ": no key named " + Quoted(name) + "; keeping its keys as they were";
                return false;
            }
            const auto taken = s.keys.find(virtualKey);
            if (taken != s.keys.end() && taken->second != gameKey) {
                why = host::EchoText(key) + ": " + name + " already acts as " + host::GameKeyName(taken->second) +
                      " (line " + std::to_string(keyLines_[taken->second]) + "); keeping it there";
                return false;
            }
            bound[virtualKey] = gameKey;
        }
        // A later line for the same game key replaces the earlier one's keys.
        for (auto it = s.keys.begin(); it != s.keys.end();) it = it->second == gameKey ? s.keys.erase(it) : ++it;
        s.keys.insert(bound.begin(), bound.end());
        keyLines_[gameKey] = lineNumber;
    } else if (key.rfind("pad.", 0) == 0) {
        host::PadButton button;
        host::GameKey gameKey;
        if (!host::LookUpPadButton(key.substr(4), button)) {
            why = "no pad button " + Quoted(key.substr(4)) +
                  " (there are a, b, x, y, start, back, up, down, left, right)";
        } else if (Lower(value) == "none") {
            s.pad[static_cast<int>(button)].reset();
        } else if (host::LookUpGameKey(value, gameKey)) {
            s.pad[static_cast<int>(button)] = gameKey;
        } else {
            why = key + " is a game key (" + GameKeyList() + ") or none, not " + Quoted(value);
        }
    } else {
        // A key the game does not know is most likely misspelled: said, as a bad value is,
        // and kept in the file as it is (it may be a later version's).
        why = "no setting " + Quoted(key);
        for (const char* known : kKeys)
            if (Lower(key) == known) why += "; did you mean " + std::string(known) + "?";
        if (Lower(key).rfind("key.", 0) == 0 || Lower(key).rfind("pad.", 0) == 0)
            why += "; did you mean " + host::EchoText(Lower(key.substr(0, 4)) + key.substr(4)) + "?";
        if (why.back() != '?') why += " (trundlebop --help lists them)";
    }
    return why.empty();
}

void SettingsFile::Set(const std::string& key, const std::string& value) {
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
        if (line->key != key) continue;
        line->text.replace(line->valueStart, line->valueLength, value);
        line->valueLength = value.size();
        return;
    }
    Line line;
    line.text = key + " = " + value;
    line.key = key;
    line.valueStart = key.size() + 3;
    line.valueLength = value.size();
    if (lines_.empty())
        lines_.push_back(
            {"# Trundlebop's settings, one \"key = value\" a line; trundlebop --help lists them.", "", 0, 0});
    lines_.push_back(std::move(line));
    endsWithBreak_ = true;
}

std::string SettingsFile::Text() const {
    std::string text = byteOrderMark_ ? kByteOrderMark : "";
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i].text;
        if (i + 1 < lines_.size() || endsWithBreak_) text += '\n';
    }
    return text;
}
