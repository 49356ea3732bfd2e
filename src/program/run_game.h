// Running the game on a chosen host: watched for stop signals and, when asked, its pace.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hosts/common/script.h"
#include "hosts/host.h"
#include "program/options.h"
#include "program/settings.h"
#include "program/watched_host.h"

// Runs the game's WinMain on `chosen`, wrapped in a WatchedHost; gives its exit code.
// `prepare` and `finish` see the watching host before and after the game runs.
int RunGame(host::Host& chosen, const Options& o, const std::function<void(WatchedHost&)>& prepare = {},
            const std::function<void(WatchedHost&)>& finish = {});

// Loads the script at `path`, saying on stderr in one line why it cannot, or that its last
// line was cut off and left out.
bool LoadScriptFile(const std::string& path, std::vector<host::ScriptEvent>& events);

// Plays on a display: the SDL host on the desktop (play_sdl.cpp); a build without one says
// so (play_none.cpp). `settingsFile` takes what the player changed while playing; the
// trace goes to `trace` when it is not null.
int Play(const Options& o, SettingsFile& settingsFile, std::FILE* trace);
