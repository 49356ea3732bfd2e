// The player's settings file: "key = value" lines and "#" comments. Reading it gives the
// values (with one warning for each line it cannot use); saving it changes only the values
// set since, keeping comments, unknown keys and unreadable lines as they were, and replaces
// the file whole so it is never left half written. A file the game could not read, or may
// not write, is never written: the player's own lines would be lost.
#pragma once

#include <array>
#include <cstddef>
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

// A settings file holds a few dozen lines; a megabyte is thousands of times that, and larger
// is something else put in its place (an endless device, a runaway file).
constexpr std::size_t kSettingsMaxBytes = 1024 * 1024;
// The warnings a file gives one by one; the rest are only counted, so that a file of bad
// lines cannot bury the terminal.
constexpr std::size_t kSettingsMaxWarnings = 20;

class SettingsFile {
public:
    // Reads the file at `path`; one that is not there reads as empty. Each line that cannot
    // be used adds "<path>:<line>: <what is wrong>" to `warnings` (the first
    // kSettingsMaxWarnings of them, then one line with the count of the rest), and its
    // setting keeps its default. A file that is there but cannot be read (not a regular
    // file, larger than kSettingsMaxBytes, not permitted) gives one warning, reads as empty
    // and is never saved over. Paths in the file may start with "~/" or be relative to the
    // file's folder. A UTF-8 byte-order mark at its start is passed over (and kept).
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
    // folder when needed). A symbolic link is written through: the file it leads to is
    // replaced, the link stays. Temporaries an interrupted save left beside the file are
    // removed first. False with the reason in `error`, the old file then untouched: also
    // when the file could not be read, or is read-only.
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
    bool byteOrderMark_ = false;
    std::string unreadable_;  // why the file there could not be read; "" when it was read
    Settings values_;
    std::map<host::GameKey, int> keyLines_;  // the line each game key's bindings came from
};

// Settings values as the file spells them.
std::string BoolText(bool value);
