// The program's entry: reads the command line and the settings file, finds the game's
// files, sets up the SDL or the headless host and calls the game's WinMain.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/dmusic.h"
#include "platform/windows.h"
#include "program/game_files.h"
#include "program/options.h"
#include "program/player_setup.h"
#include "program/settings.h"
#include "program/user_paths.h"
#include "program/watched_host.h"

struct PlatformInstance {
    int unused;
};

namespace {

// The timedemo host measures the wall time from the first pass to the end of the run.
class TimedemoHost : public host::HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    void PumpInput() override {
        const auto now = std::chrono::steady_clock::now();
        if (Pass() == 0) first_ = now;
        last_ = now;
        HeadlessHost::PumpInput();
    }
    double Milliseconds() const { return std::chrono::duration<double, std::milli>(last_ - first_).count(); }

private:
    std::chrono::steady_clock::time_point first_{}, last_{};
};

PlatformInstance programInstance{0};

// Runs the game on `chosen`, watched for stop signals and, when asked, its pace.
int RunGame(host::Host& chosen, const Options& o) {
    WatchedHost watched(chosen);
    WatchedHost::CatchStopSignals();
    host::Install(&watched);
    char commandLine[1] = {'\0'};
    const int code = WinMain(&programInstance, nullptr, commandLine, SW_SHOW);
    host::Install(nullptr);
    if (o.stats) std::fprintf(stderr, "%s\n", watched.Stats().Line().c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    const int early = ParseOptions(argc, argv, o);
    if (early >= 0) return early;
    if (o.version) {
        std::printf("%s\n", VersionText().c_str());
        return 0;
    }
    MakePathsAbsolute(o);
    const std::string settingsPath = o.config.empty() ? DefaultSettingsPath() : o.config;
    if (o.help) {
        std::fputs(HelpText(settingsPath).c_str(), stdout);
        return 0;
    }
    std::vector<std::string> warnings;
    SettingsFile settingsFile = SettingsFile::Read(settingsPath, warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "trundlebop: %s\n", warning.c_str());
    const Settings& settings = settingsFile.Values();

    if (!EnterGameFiles(o.data, ProgramFolder(argv[0]))) return 1;
    platform::ChooseSoundFont(o.soundFont.empty() ? settings.soundFont : o.soundFont);

    std::vector<host::ScriptEvent> script;
    const std::string& scriptPath = o.timedemo.empty() ? o.input : o.timedemo;
    if (!scriptPath.empty()) {
        std::string error;
        if (!host::LoadScript(scriptPath, script, error)) return Fail(scriptPath + ": " + error);
    }

    if (!o.timedemo.empty()) {
        host::HeadlessOptions h;
        h.script = script;
        h.calendarSeconds = o.time;
        h.controls = ControlsFrom(settings);
        h.millisecondsPerReading = 30;
        // In play the mix runs on the audio device's own thread; the timedemo measures
        // the frames themselves.
        h.mixAudio = false;
        h.maxPasses = o.framesGiven ? o.frames : (script.empty() ? 1000 : script.back().pass + 1);
        TimedemoHost demo(h);
        const int code = RunGame(demo, o);
        const int frames = demo.FramesPresented();
        const double ms = demo.Milliseconds();
        const double fps = ms > 0 ? frames * 1000.0 / ms : 0.0;
        const double us = frames > 0 ? ms * 1000.0 / frames : 0.0;
        std::printf("%d frames in %.0f ms: %.1f fps, %.1f us/frame\n", frames, ms, fps, us);
        return code;
    }

    if (o.headless) {
        host::HeadlessOptions h;
        h.script = script;
        h.calendarSeconds = o.time;
        h.maxPasses = o.frames;
        h.tracePath = o.trace;
        h.shots = o.shots;
        h.audioOutPath = o.audioOut;
        h.controls = ControlsFrom(settings);
        host::HeadlessHost headless(h);
        const int code = RunGame(headless, o);
        headless.FinishAudio();
        if (!headless.OutputsOk()) return code == 0 ? 1 : code;
        return code;
    }

    // In play, what the player changes with Alt+Enter and the volume keys is kept.
    host::SdlOptions play = PlayOptionsFrom(settings, o);
    host::PlayState state;
    play.state = &state;
    std::unique_ptr<host::Host> sdl = host::MakeSdlHost(play);
    if (!sdl) {
        std::fprintf(stderr, "trundlebop: no display to play on (try --headless --frames N)\n");
        return 1;
    }
    const host::PlayState before = state;
    const int code = RunGame(*sdl, o);
    sdl.reset();
    std::string error;
    if (!SavePlayChanges(settingsFile, before, state, error))
        std::fprintf(stderr, "trundlebop: your settings were not saved: %s\n", error.c_str());
    return code;
}
