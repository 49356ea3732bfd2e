// The session recorder: one whole script line an input.
#include "hosts/common/session_recorder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "hosts/common/key_names.h"

namespace host {

SessionRecorder::~SessionRecorder() {
    if (fd_ >= 0) ::close(fd_);
}

bool SessionRecorder::Open(const std::string& path, std::int64_t calendarSeconds, std::string& error) {
    // A recording goes to a file: opening a named pipe would wait for a reader.
    struct stat facts {};
    if (::stat(path.c_str(), &facts) == 0 && !S_ISREG(facts.st_mode)) {
        error = path + ": " + (S_ISDIR(facts.st_mode) ? "a folder" : "not a regular file") + ", not a recording";
        return false;
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd_ < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    Line("# trundlebop record --time " + std::to_string(calendarSeconds));
    if (!ok_) error = path + ": cannot write";
    return ok_;
}

void SessionRecorder::Key(int pass, int virtualKey, int scanCode, bool down, bool repeat) {
    std::string name;
    if (fd_ < 0 || !NameOfKey(virtualKey, scanCode, name)) return;
    Line(std::to_string(pass) + (repeat ? " repeat " : down ? " down " : " up ") + name);
}

void SessionRecorder::Click(int pass, int x, int y, bool doubleClick) {
    if (fd_ < 0) return;
    Line(std::to_string(pass) + (doubleClick ? " dblclick " : " click ") + std::to_string(x) + " " + std::to_string(y));
}

void SessionRecorder::Close(int pass) {
    if (fd_ >= 0) Line(std::to_string(pass) + " close");
}

void SessionRecorder::Line(const std::string& text) {
    if (!ok_) return;  // a later line after a lost one would replay a different session
    const std::string line = text + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done == line.size()) {
        written_ += static_cast<long long>(done);
        return;
    }
    ok_ = false;
    // The part that fitted goes again, so the file ends at the last whole line.
    if (done > 0 && ::ftruncate(fd_, static_cast<off_t>(written_)) == 0)
        ::lseek(fd_, static_cast<off_t>(written_), SEEK_SET);
}

}  // namespace host
