// Reading a file the player names (a settings file, a script, a recording). Such a name can
// point at anything: a named pipe would hold the game until something wrote to it, and a
// device or an endless file would fill the memory. So only a regular file is read, and only
// up to a size the caller gives.
#pragma once

#include <cstddef>
#include <string>

namespace host {

enum class PlayerFileOutcome {
    Read,     // `text` holds the whole file
    Missing,  // nothing is there
    Refused,  // something is there that is not read; `why` says what in a few words
};

// What `why` says of a folder.
constexpr const char kFolderNotFile[] = "a folder, not a file";

// Reads the regular file at `path` whole into `text`, when it holds at most `maxBytes`.
// Never opens anything but a regular file, and never waits. /dev/null reads as empty.
PlayerFileOutcome ReadPlayerFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string& why);

// `text` as a message may echo it: at most `limit` bytes of it (then "..."), and anything
// that is not a printable ASCII character as '?', so a hostile file cannot flood or steer
// the player's terminal.
std::string EchoText(const std::string& text, std::size_t limit = 60);

// "1 MB", "64 MB", "1000 bytes": a size limit as messages give it.
std::string SizeText(std::size_t bytes);

}  // namespace host
