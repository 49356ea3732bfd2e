// Reading the player's files: regular files only, bounded, without waiting.
#include "hosts/common/player_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace host {
namespace {

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return kFolderNotFile;
    if (S_ISFIFO(mode)) return "a named pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a file";
    if (S_ISSOCK(mode)) return "a socket, not a file";
    return "not a regular file";
}

}  // namespace

PlayerFileOutcome ReadPlayerFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string& why) {
    text.clear();
    // The kind is looked at before anything is opened: opening some devices already does
    // something, and opening a pipe waits for a writer.
    struct stat facts {};
    if (::stat(path.c_str(), &facts) != 0) {
        if (errno == ENOENT) return PlayerFileOutcome::Missing;
        why = std::string("cannot be read (") + std::strerror(errno) + ")";
        return PlayerFileOutcome::Refused;
    }
    // The null device is the usual way to name nothing: it reads as empty.
    if (S_ISCHR(facts.st_mode) && facts.st_rdev == makedev(1, 3)) return PlayerFileOutcome::Read;
    if (!S_ISREG(facts.st_mode)) {
        why = KindOf(facts.st_mode);
        return PlayerFileOutcome::Refused;
    }
    // Opened without waiting all the same, and looked at again: the name may have been given
    // to something else in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        why = std::string("cannot be read (") + std::strerror(errno) + ")";
        return PlayerFileOutcome::Refused;
    }
    const auto refuse = [&](const std::string& reason) {
        ::close(fd);
        text.clear();
        why = reason;
        return PlayerFileOutcome::Refused;
    };
    if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) return refuse(KindOf(facts.st_mode));
    const std::string tooLarge = "larger than " + SizeText(maxBytes);
    if (static_cast<unsigned long long>(facts.st_size) > maxBytes) return refuse(tooLarge);
    // The size can lie (a file still growing, some kernel files): the reading stops one byte
    // past the limit whatever it said.
    text.resize(static_cast<std::size_t>(facts.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == text.size()) {
            if (got > maxBytes) return refuse(tooLarge);
            text.resize(std::min(maxBytes + 1, text.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, &text[got], text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return refuse(std::string("cannot be read (") + std::strerror(errno) + ")");
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > maxBytes) {
        text.clear();
        why = tooLarge;
        return PlayerFileOutcome::Refused;
    }
    text.resize(got);
    return PlayerFileOutcome::Read;
}

std::string EchoText(const std::string& text, std::size_t limit) {
    std::string echo;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        echo.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    }
    if (text.size() > limit) echo += "...";
    return echo;
}

std::string SizeText(std::size_t bytes) {
    constexpr std::size_t kMegabyte = 1024 * 1024;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0) return std::to_string(bytes / kMegabyte) + " MB";
    return std::to_string(bytes) + " bytes";
}

}  // namespace host
