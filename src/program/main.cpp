// The program's entry: reads the command line and the settings file, finds the game's
// files, sets up the headless host (or play on a display, run_game.h) and calls the game's WinMain.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hosts/common/session_recorder.h"
#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
#include "platform/dmusic.h"
#include "platform/link/host_link.h"
#include "platform/windows.h"
#include "program/game_files.h"
#include "program/options.h"
#include "program/player_setup.h"
#include "program/run_game.h"
#include "program/settings.h"
#include "program/sound_fonts.h"
#include "program/user_paths.h"
#include "program/watched_host.h"

namespace {

// The timedemo host measures the wall time from the first pass to the end of the run.
class TimedemoHost : public host::HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    void PumpInput() override {
        // The measuring starts once the music's instruments are read: loading is not a frame's cost.
        if (Pass() == 0) platform::FinishReadingInstruments();
        const auto now = std::chrono::steady_clock::now();
        if (Pass() == 0) first_ = now;
        last_ = now;
        HeadlessHost::PumpInput();
    }
    double Milliseconds() const { return std::chrono::duration<double, std::milli>(last_ - first_).count(); }

private:
    std::chrono::steady_clock::time_point first_{}, last_{};
};

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
    MakeHomeAbsolute();
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
    ChooseSoundFont(o.soundFont.empty() ? settings.soundFont : o.soundFont);

    std::vector<host::ScriptEvent> script;
    const std::string& scriptPath = o.timedemo.empty() ? o.input : o.timedemo;
    if (!scriptPath.empty() && !LoadScriptFile(scriptPath, script)) return 2;

    // A trace file the program writes itself, for play and the timedemo.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> trace(nullptr, std::fclose);
    if (!o.trace.empty() && !o.headless) {
        trace.reset(std::fopen(o.trace.c_str(), "w"));
        if (!trace) {
            std::fprintf(stderr, "trundlebop: cannot write the trace %s: %s\n", o.trace.c_str(), std::strerror(errno));
            return 1;
        }
    }
    bool traceOk = true;
    const auto keepTrace = [&](WatchedHost& watched) {
        if (trace) watched.KeepTrace(trace.get());
    };
    const auto traceKept = [&](WatchedHost& watched) { traceOk = watched.TraceOk(); };

    if (o.noMusicSynthesis) platform::LeaveOutMusicSynthesis();

    if (!o.timedemo.empty()) {
        host::HeadlessOptions h;
        h.script = script;
        h.calendarSeconds = o.time;
        h.controls = ControlsFrom(settings);
        h.millisecondsPerReading = 30;
        // The clock leaps, so the sound is mixed a pass at a time, as play mixes it: the
        // frame rate includes the mix, and a sound lasts as many passes as in play.
        h.mixMillisecondsEachPass = 30;
        h.maxPasses = o.framesGiven ? o.frames : (script.empty() ? 1000 : script.back().pass + 1);
        TimedemoHost demo(h);
        int code = RunGame(demo, o, keepTrace, traceKept);
        const int frames = demo.FramesPresented();
        const double ms = demo.Milliseconds();
        const double fps = ms > 0 ? frames * 1000.0 / ms : 0.0;
        const double us = frames > 0 ? ms * 1000.0 / frames : 0.0;
        std::printf("%d frames in %.0f ms: %.1f fps, %.1f us/frame\n", frames, ms, fps, us);
        if (!traceOk) {
            std::fprintf(stderr, "trundlebop: the trace %s could not be written whole\n", o.trace.c_str());
            if (code == 0) code = 1;
        }
        return code;
    }

    if (o.headless) {
        host::HeadlessOptions h;
        h.script = std::move(script);  // a long script is held once, not three times
        h.calendarSeconds = o.time;
        h.maxPasses = o.frames;
        h.tracePath = o.trace;
        h.shots = o.shots;
        h.audioOutPath = o.audioOut;
        h.controls = ControlsFrom(settings);
        host::HeadlessHost headless(std::move(h));
        const int code = RunGame(headless, o);
        headless.FinishOutputs();
        if (!headless.OutputsOk()) return code == 0 ? 1 : code;
        return code;
    }

    return Play(o, settingsFile, trace.get());
}
