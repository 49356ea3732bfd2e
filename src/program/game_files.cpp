// The search for the game's files.
#include "program/game_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "program/user_paths.h"

std::vector<std::string> GameFileFolders(const std::string& dataOption, const std::string& workingFolder,
                                         const std::string& programFolder, const char* xdgDataDirs) {
    namespace fs = std::filesystem;
    std::vector<std::string> folders;
    const auto add = [&](const fs::path& folder) {
        std::string tidy = folder.lexically_normal().string();
        if (tidy.size() > 1 && tidy.back() == '/') tidy.pop_back();
        if (std::find(folders.begin(), folders.end(), tidy) == folders.end()) folders.push_back(tidy);
    };
    if (!dataOption.empty()) add(dataOption);
    add(workingFolder);
    add(fs::path(programFolder) / "assets");
    add(fs::path(programFolder) / ".." / "share" / "trundlebop");
    std::istringstream dataDirs(xdgDataDirs && *xdgDataDirs ? xdgDataDirs : "/usr/local/share:/usr/share");
    for (std::string folder; std::getline(dataDirs, folder, ':');)
        if (!folder.empty() && folder[0] == '/') add(fs::path(folder) / "trundlebop");
    return folders;
}

const std::vector<std::string>& GameFileNames() {
    static const std::vector<std::string> names = {
        "menu.bmp",           "option1.bmp",      "option2.bmp",
        "option3.bmp",        "menu_bgmusic.mid", "lev1_backgroundtile.bmp",
        "lev1_houses.bmp",    "lev1_vandu.bmp",   "lev1_bgmusic.mid",
        "lev1_boardloop.wav", "lev1_jump.wav",    "viewback.bmp",
        "scan00.bmp",         "scan01.bmp",       "vandu0.BMP",
        "vandu1.BMP",         "vandu2.BMP",       "vandu3.BMP",
        "l2bg.mid",           "l2fall.wav",       "l3room0.bmp",
        "l3room1.bmp",        "l3maskroom0.bmp",  "l3maskroom1.bmp",
        "l3vandu0.BMP",       "l3vandu1.BMP",     "l3vandu2.BMP",
        "l3vandu3.BMP",       "l3bg.mid",         "l3_steps.wav",
    };
    return names;
}

std::vector<std::string> MissingGameFiles(const std::string& folder) {
    std::vector<std::string> missing;
    for (const std::string& name : GameFileNames()) {
        const std::string path = folder + "/" + name;
        struct stat facts {};
        if (::stat(path.c_str(), &facts) != 0 || !S_ISREG(facts.st_mode) || ::access(path.c_str(), R_OK) != 0)
            missing.push_back(name);
    }
    return missing;
}

bool HoldsGameFiles(const std::string& folder) {
    return MissingGameFiles(folder).empty();
}

namespace {

// "lacks menu.bmp" or "lacks menu.bmp and 4 more of the game's files".
std::string Lacks(const std::vector<std::string>& missing) {
    std::string text = "lacks " + missing.front();
    if (missing.size() > 1) text += " and " + std::to_string(missing.size() - 1) + " more of the game's files";
    return text;
}

}  // namespace

bool EnterGameFiles(const std::string& dataOption, const std::string& programFolder) {
    const std::vector<std::string> folders =
        GameFileFolders(dataOption, Absolute("."), programFolder, std::getenv("XDG_DATA_DIRS"));
    const std::size_t everyFile = GameFileNames().size();
    std::vector<std::vector<std::string>> lacking;
    for (const std::string& folder : folders) {
        std::vector<std::string> missing = MissingGameFiles(folder);
        if (missing.empty() && chdir(folder.c_str()) == 0) {
            // The folder passed over that the player should hear of: the one --data named,
            // else the first that holds some of the game's files (a stray menu picture in
            // the working folder, or an install a file short).
            for (std::size_t i = 0; i < lacking.size(); ++i) {
                const bool none = lacking[i].empty() || lacking[i].size() == everyFile;
                if (none && (dataOption.empty() || i != 0)) continue;
                const std::string what = none ? "does not hold the game's files" : Lacks(lacking[i]);
                std::fprintf(stderr, "trundlebop: %s %s; playing with the game's files in %s\n", folders[i].c_str(),
                             what.c_str(), folder.c_str());
                break;
            }
            return true;
        }
        lacking.push_back(std::move(missing));
    }
    std::fprintf(stderr, "trundlebop: the game's files (menu.bmp and the rest) are in none of these folders:\n");
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const bool some = i < lacking.size() && !lacking[i].empty() && lacking[i].size() < everyFile;
        std::fprintf(stderr, "  %s%s\n", folders[i].c_str(), some ? (" (it " + Lacks(lacking[i]) + ")").c_str() : "");
    }
    std::fprintf(stderr,
                 "Build them in the game's source folder with \"cmake -S . -B build && cmake --build build\"; "
                 "they land in build/assets, beside the program. Or name their folder with --data DIR.\n");
    return false;
}
