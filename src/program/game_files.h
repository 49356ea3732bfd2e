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

// The name of every file the game loads, as it names them.
const std::vector<std::string>& GameFileNames();

// The game's files that `folder` lacks (those that are not there, not readable or not
// regular files), in the order of GameFileNames.
std::vector<std::string> MissingGameFiles(const std::string& folder);

// True when `folder` holds every one of the game's files.
bool HoldsGameFiles(const std::string& folder);

// Changes into the first of GameFileFolders that holds every one of the game's files; when
// a folder before it holds some of them, or --data names one that is passed over, says in
// one line which was passed over and which was chosen. When none does, says on stderr
// where it looked and how to make them, and answers false.
bool EnterGameFiles(const std::string& dataOption, const std::string& programFolder);
