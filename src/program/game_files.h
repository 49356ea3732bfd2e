// Finding the game's files (its pictures, sounds and music): the program runs inside the
// first folder that holds them.
#pragma once

#include <string>
#include <vector>

// The folders tried, in order: `dataOption` (--data DIR) when given, the working folder,
// "assets" beside the program, "../share/trundlebop" from the program's folder, then
// "trundlebop" in each folder of `xdgDataDirs` (/usr/local/share and /usr/share when it is
// null or empty). Repeats are left out.
std::vector<std::string> GameFileFolders(const std::string& dataOption, const std::string& workingFolder,
                                         const std::string& programFolder, const char* xdgDataDirs);

// True when `folder` holds the game's files (its menu picture is the sign).
bool HoldsGameFiles(const std::string& folder);

// Changes into the first of GameFileFolders that holds the game's files. When none does,
// says on stderr where it looked and how to make them, and answers false.
bool EnterGameFiles(const std::string& dataOption, const std::string& programFolder);
