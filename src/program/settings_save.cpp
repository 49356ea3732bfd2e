// Saving the settings file: through a symbolic link to the file it leads to, never over a
// file that could not be read or is read-only, and whole (a new file renamed over the old).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "program/settings.h"

namespace {

namespace fs = std::filesystem;

// The file a save replaces: `path` itself, or where its chain of symbolic links ends (a
// link to a file not made yet leads to where it will be).
fs::path SaveTarget(const fs::path& path) {
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code failure;
        if (!fs::is_symlink(fs::symlink_status(target, failure))) break;
        const fs::path next = fs::read_symlink(target, failure);
        if (failure) break;
        target = (next.is_absolute() ? next : target.parent_path() / next).lexically_normal();
    }
    return target;
}

// A temporary of a save of `name`: "<name>." and the six letters and digits mkstemp puts
// in place of "XXXXXX".
bool IsOurTemporary(const std::string& entry, const std::string& name) {
    if (entry.size() != name.size() + 7 || entry.compare(0, name.size(), name) != 0 || entry[name.size()] != '.')
        return false;
    for (std::size_t i = name.size() + 1; i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Removes the temporaries of saves that never finished (the game was killed while saving)
// beside `target`. One changed in the last minute may be another game's save under way,
// and is left to it.
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    const std::string name = target.filename().string();
    DIR* entries = ::opendir(folder.c_str());
    if (!entries) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        if (!IsOurTemporary(entry->d_name, name)) continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat facts {};
        if (::lstat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_mtime < now - 60)
            ::unlink(path.c_str());
    }
    ::closedir(entries);
}

}  // namespace

bool SettingsFile::Save(std::string& error) const {
    if (!unreadable_.empty()) {
        error = path_ + " could not be read (" + unreadable_ + "), so it is left as it is";
        return false;
    }
    const fs::path target = SaveTarget(path_);
    const std::string where = target.string();
    struct stat old {};
    const bool exists = ::stat(where.c_str(), &old) == 0;
    // Read-only is the player's word that the file stays as it is (even for root, who could
    // write it).
    // Only a regular file is replaced: a save over /dev/null would put a file in its place.
    if (exists && !S_ISREG(old.st_mode)) {
        error = path_ + " is not a regular file, so it is left as it is";
        return false;
    }
    if (exists && ((old.st_mode & 0222) == 0 || ::access(where.c_str(), W_OK) != 0)) {
        error = path_ + " is read-only, so it is left as it is";
        return false;
    }
    std::error_code failure;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), failure);
    RemoveStaleTemporaries(target);
    std::string temporary = where + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot write beside " + where + ": " + std::strerror(errno);
        return false;
    }
    // The new file keeps the old one's permissions; a first one is readable by all.
    fchmod(fd, exists ? (old.st_mode & 07777) : 0644);
    const std::string text = Text();
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n <= 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    const bool whole = written == text.size() && fsync(fd) == 0;
    const int writeErrno = errno;
    if (close(fd) != 0 || !whole || std::rename(temporary.c_str(), where.c_str()) != 0) {
        error = "cannot write " + where + ": " + std::strerror(whole ? errno : writeErrno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
