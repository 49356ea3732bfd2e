// Play on a display through the SDL host: a window, the keyboard, pads and the sound
// device; a demo or a recording when asked; what the player changed saved at the end.
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/common/session_recorder.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/dmusic.h"
#include "program/player_setup.h"
#include "program/run_game.h"

namespace {

// The seconds a recorded script's first line gives ("# trundlebop record --time S").
std::optional<std::int64_t> RecordedSeconds(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return std::nullopt;
    long long seconds = 0;
    const bool found = std::fscanf(file, "# trundlebop record --time %lld", &seconds) == 1;
    std::fclose(file);
    if (!found) return std::nullopt;
    return seconds;
}

}  // namespace

int Play(const Options& o, SettingsFile& settingsFile, std::FILE* trace) {
    const Settings& settings = settingsFile.Values();
    // In play, what the player changes with Alt+Enter and the volume keys is kept.
    host::SdlOptions play = PlayOptionsFrom(settings, o);
    host::PlayState state;
    play.state = &state;
    host::SoundReport sound;
    if (o.stats) play.sound = &sound;

    // A demo shows a script; a recording writes one; either way the calendar the game
    // seeds from stands still, at the script's or the recording's seconds.
    std::vector<host::ScriptEvent> demo;
    std::optional<std::int64_t> seconds;
    if (o.timeGiven) seconds = o.time;
    if (!o.play.empty()) {
        if (!LoadScriptFile(o.play, demo)) return 2;
        if (!seconds) seconds = RecordedSeconds(o.play);
        play.demo = &demo;
    }
    host::SessionRecorder recorder;
    if (!o.record.empty()) {
        if (!seconds) seconds = static_cast<std::int64_t>(std::time(nullptr));
        std::string error;
        if (!recorder.Open(o.record, *seconds, error)) {
            std::fprintf(stderr, "trundlebop: cannot record the session: %s\n", error.c_str());
            return 1;
        }
        play.recorder = &recorder;
    }
    std::unique_ptr<host::Host> sdl = host::MakeSdlHost(play);
    if (!sdl) {
        std::fprintf(stderr, "trundlebop: no display to play on (try --headless --frames N)\n");
        return 1;
    }
    // In real time the game never waits for the music's SoundFont or instruments: the
    // music catches up once they are read.
    platform::LetMusicCatchUp(true);
    const host::PlayState before = state;
    bool traceOk = true;
    int code = RunGame(
        *sdl, o,
        [&](WatchedHost& watched) {
            if (seconds) watched.FixCalendar(*seconds);
            watched.Stats().ReportSound(&sound);
            if (trace) watched.KeepTrace(trace);
        },
        [&](WatchedHost& watched) { traceOk = watched.TraceOk(); });
    if (!traceOk) {
        std::fprintf(stderr, "trundlebop: the trace %s could not be written whole\n", o.trace.c_str());
        if (code == 0) code = 1;
    }
    if (recorder.IsOpen() && !recorder.Ok()) {
        std::fprintf(stderr, "trundlebop: the recording %s could not be written whole\n", o.record.c_str());
        if (code == 0) code = 1;
    }
    sdl.reset();
    std::string error;
    if (!SavePlayChanges(settingsFile, before, state, error))
        std::fprintf(stderr, "trundlebop: your settings were not saved: %s\n", error.c_str());
    return code;
}
