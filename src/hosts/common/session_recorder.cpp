// The session recorder: one flushed script line an input.
#include "hosts/common/session_recorder.h"

#include <cerrno>
#include <cstring>

#include "hosts/common/key_names.h"

namespace host {

SessionRecorder::~SessionRecorder() {
    if (file_) std::fclose(file_);
}

bool SessionRecorder::Open(const std::string& path, std::int64_t calendarSeconds, std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    Line("# trundlebop record --time " + std::to_string(calendarSeconds));
    if (!ok_) error = path + ": cannot write";
    return ok_;
}

void SessionRecorder::Key(int pass, int virtualKey, int scanCode, bool down, bool repeat) {
    std::string name;
    if (!file_ || !NameOfKey(virtualKey, scanCode, name)) return;
    Line(std::to_string(pass) + (repeat ? " repeat " : down ? " down " : " up ") + name);
}

void SessionRecorder::Click(int pass, int x, int y, bool doubleClick) {
    if (!file_) return;
    Line(std::to_string(pass) + (doubleClick ? " dblclick " : " click ") + std::to_string(x) + " " + std::to_string(y));
}

void SessionRecorder::Close(int pass) {
    if (file_) Line(std::to_string(pass) + " close");
}

void SessionRecorder::Line(const std::string& text) {
    if (std::fputs((text + "\n").c_str(), file_) < 0 || std::fflush(file_) != 0) ok_ = false;
}

}  // namespace host
