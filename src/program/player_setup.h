// The settings file and the command line combined into what the hosts take, and what the
// player changed in play written back into the file.
#pragma once

#include <string>

#include "hosts/common/controls.h"
#include "hosts/sdl/sdl_host.h"
#include "program/options.h"
#include "program/settings.h"

// Bindings, volumes and the screenshot folder (the pictures folder's when none is set).
host::ControlOptions ControlsFrom(const Settings& settings);

// The SDL host's options: the settings, with the command line's choices over them.
host::SdlOptions PlayOptionsFrom(const Settings& settings, const Options& options);

// Puts into `file` what changed between `before` and `after` (full screen and the volumes)
// and saves it; nothing is written when nothing changed. False with the reason in `error`.
bool SavePlayChanges(SettingsFile& file, const host::PlayState& before, const host::PlayState& after,
                     std::string& error);
