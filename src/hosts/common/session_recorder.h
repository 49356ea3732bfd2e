// Writes a session's input as an input script while it is played: the keys as they reach
// the game (after the player's bindings, so a replay does not depend on them), clicks and
// the close button, each on the pass it arrived in. Every line goes to the file as it is
// written, so a crash keeps the session so far; and only whole lines do: when the disk
// fills, the part of a line that fitted is taken back and the recording stops there, so the
// file always ends at a line's end and replays as far as it goes.
#pragma once

#include <cstdint>
#include <string>

namespace host {

class SessionRecorder {
public:
    SessionRecorder() = default;
    ~SessionRecorder();
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // Starts the script with its seed line, "# trundlebop record --time S". False, with
    // the reason, when the file cannot be written.
    bool Open(const std::string& path, std::int64_t calendarSeconds, std::string& error);
    bool IsOpen() const { return fd_ >= 0; }

    // Called as each input reaches the game during pass `pass`. A key the scripts have no
    // name for is left out: the game reads no such key.
    void Key(int pass, int virtualKey, int scanCode, bool down, bool repeat);
    void Click(int pass, int x, int y, bool doubleClick);
    void Close(int pass);
    // False once a line could not be written (the disk is full); no line is written after.
    bool Ok() const { return ok_; }

private:
    void Line(const std::string& text);

    int fd_ = -1;
    long long written_ = 0;  // the bytes of the whole lines in the file
    bool ok_ = true;
};

}  // namespace host
