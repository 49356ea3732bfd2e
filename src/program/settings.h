// The player's settings file: "key = value" lines and "#" comments. Reading it gives the
// values (with one warning for each line it cannot use); saving it changes only the values
// set since, keeping comments, unknown keys and unreadable lines as they were, and replaces
// the file whole so it is never left half written.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hosts/common/input_map.h"
#include "hosts/common/key_names.h"

struct Settings {
    bool fullscreen = true;
    int scale = 2;  // the window's size in multiples of 640 x 480
    bool integerScaling = false;
    int musicVolume = 100;
    int effectsVolume = 100;
    bool mute = false;
    std::string soundFont;  // empty: Debian's General MIDI SoundFont
    bool gamepad = true;
    std::string screenshotFolder;  // empty: the pictures folder's "trundlebop"
    // key.<GameKey> = <Key>[, <Key>...]: keys, by virtual-key code, acting as a game key.
    std::map<int, host::GameKey> keys;
    // pad.<Button> = <GameKey> | none
    std::array<std::optional<host::GameKey>, host::kPadButtonCount> pad = host::Bindings::DefaultPad();
};

class SettingsFile {
public:
    // Reads the file at `path`; one that is not there reads as empty. Each line that cannot
    // be used adds "<path>:<line>: <what is wrong>" to `warnings`, and its setting keeps its
    // default. Paths in the file may start with "~/" or be relative to the file's folder.
    static SettingsFile Read(const std::string& path, std::vector<std::string>& warnings);
    // The same from text already read.
    static SettingsFile Parse(const std::string& path, const std::string& text, std::vector<std::string>& warnings);

    const Settings& Values() const { return values_; }
    const std::string& Path() const { return path_; }

    // Puts `value` on the line that sets `key` (the last one, when several do), keeping what
    // else the line holds; a key the file does not set yet gets a line at the end.
    void Set(const std::string& key, const std::string& value);
    // The whole file as it would be saved.
    std::string Text() const;
    // Writes the text to a new file beside this one, then renames it over it (making the
    // folder when needed). False with the reason in `error`; the old file is then untouched.
    bool Save(std::string& error) const;

private:
    struct Line {
        std::string text;            // as read, without the line break
        std::string key;             // empty for comments, blanks and lines without '='
        std::size_t valueStart = 0;  // where the value sits in `text`
        std::size_t valueLength = 0;
    };

    // Applies one key's value; false with what is wrong in `why`.
    bool Apply(const std::string& key, const std::string& value, int lineNumber, std::string& why);
    std::string PathFromFile(const std::string& value) const;

    std::string path_;
    std::vector<Line> lines_;
    bool endsWithBreak_ = true;
    Settings values_;
    std::map<host::GameKey, int> keyLines_;  // the line each game key's bindings came from
};

// Settings values as the file spells them.
std::string BoolText(bool value);
