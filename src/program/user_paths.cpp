// The player's folders from the environment.
#include "program/user_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

// An environment variable the XDG conventions allow: set, and an absolute path.
std::string XdgFolder(const char* variable) {
    const char* value = std::getenv(variable);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

}  // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir) return account->pw_dir;
    return "";
}

void MakeHomeAbsolute() {
    const char* home = std::getenv("HOME");
    if (!home || !*home || home[0] == '/') return;
    const std::string absolute = Absolute(home);
    if (!absolute.empty() && absolute[0] == '/') setenv("HOME", absolute.c_str(), 1);
}

std::string DefaultSettingsPath() {
    std::string config = XdgFolder("XDG_CONFIG_HOME");
    if (config.empty()) config = HomeFolder() + "/.config";
    return config + "/trundlebop/settings.ini";
}

std::string DefaultScreenshotFolder() {
    std::string pictures = XdgFolder("XDG_PICTURES_DIR");
    if (pictures.empty()) pictures = HomeFolder() + "/Pictures";
    return pictures + "/trundlebop";
}

std::string ProgramFolder(const char* argv0) {
    std::error_code failure;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
    if (failure) self = std::filesystem::absolute(argv0 ? argv0 : ".", failure);
    return self.parent_path().string();
}

std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    std::error_code failure;
    const std::filesystem::path made = std::filesystem::absolute(path, failure);
    return failure ? path : made.lexically_normal().string();
}
