// From settings and options to host options, and back to the settings file.
#include "program/player_setup.h"

#include "program/user_paths.h"

host::ControlOptions ControlsFrom(const Settings& settings) {
    host::ControlOptions controls;
    controls.bindings.keys = settings.keys;
    controls.bindings.pad = settings.pad;
    controls.bindings.padEnabled = settings.gamepad;
    controls.volumes.music = settings.musicVolume;
    controls.volumes.effects = settings.effectsVolume;
    controls.volumes.mute = settings.mute;
    controls.screenshotFolder =
        settings.screenshotFolder.empty() ? DefaultScreenshotFolder() : settings.screenshotFolder;
    return controls;
}

host::SdlOptions PlayOptionsFrom(const Settings& settings, const Options& options) {
    host::SdlOptions play;
    play.fullscreen = options.fullscreen.value_or(settings.fullscreen);
    play.scale = options.scale.value_or(settings.scale);
    play.integerScale = options.integerScale || settings.integerScaling;
    play.controls = ControlsFrom(settings);
    return play;
}

bool SavePlayChanges(SettingsFile& file, const host::PlayState& before, const host::PlayState& after,
                     std::string& error) {
    bool changed = false;
    const auto set = [&](bool differs, const char* key, const std::string& value) {
        if (!differs) return;
        file.Set(key, value);
        changed = true;
    };
    set(before.fullscreen != after.fullscreen, "fullscreen", BoolText(after.fullscreen));
    set(before.volumes.music != after.volumes.music, "music_volume", std::to_string(after.volumes.music));
    set(before.volumes.effects != after.volumes.effects, "effects_volume", std::to_string(after.volumes.effects));
    set(before.volumes.mute != after.volumes.mute, "mute", BoolText(after.volumes.mute));
    return !changed || file.Save(error);
}
