// Where the player's files live: the home folder, the settings file, the screenshots and
// the program's own folder, after the XDG base directory conventions.
#pragma once

#include <string>

// $HOME, else the account's home folder; "" when neither is known.
std::string HomeFolder();
// Makes a relative $HOME absolute against the working folder, so that the settings file and
// the pictures folder stay where they were found once the program moves into the game's
// folder. Called once, before anything changes the working folder.
void MakeHomeAbsolute();
// $XDG_CONFIG_HOME/trundlebop/settings.ini, else ~/.config/trundlebop/settings.ini.
std::string DefaultSettingsPath();
// $XDG_PICTURES_DIR/trundlebop, else ~/Pictures/trundlebop.
std::string DefaultScreenshotFolder();
// The folder the running program's file is in.
std::string ProgramFolder(const char* argv0);
// `path` made absolute against the working folder ("" stays "").
std::string Absolute(const std::string& path);
