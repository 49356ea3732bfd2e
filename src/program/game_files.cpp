// The search for the game's files.
#include "program/game_files.h"

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

bool HoldsGameFiles(const std::string& folder) {
    return access((folder + "/menu.bmp").c_str(), R_OK) == 0;
}

bool EnterGameFiles(const std::string& dataOption, const std::string& programFolder) {
    const std::vector<std::string> folders =
        GameFileFolders(dataOption, Absolute("."), programFolder, std::getenv("XDG_DATA_DIRS"));
    for (const std::string& folder : folders) {
        if (!HoldsGameFiles(folder) || chdir(folder.c_str()) != 0) continue;
        if (!dataOption.empty() && folder != folders.front())
            std::fprintf(stderr, "trundlebop: %s does not hold the game's files; playing with those in %s\n",
                         dataOption.c_str(), folder.c_str());
        return true;
    }
    std::fprintf(stderr, "trundlebop: the game's files (menu.bmp and the rest) are in none of these folders:\n");
    for (const std::string& folder : folders) std::fprintf(stderr, "  %s\n", folder.c_str());
    std::fprintf(stderr,
                 "Build them in the game's source folder with \"cmake -S . -B build && cmake --build build\"; "
                 "they land in build/assets, beside the program. Or name their folder with --data DIR.\n");
    return false;
}
