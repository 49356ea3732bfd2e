// The program's entry: reads the command line, sets up the SDL or the headless host and
// calls the game's WinMain.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hosts/headless/headless_host.h"
#include "hosts/host.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/windows.h"
#include "program/options.h"
#include "program/watched_host.h"

struct PlatformInstance {
    int unused;
};

namespace {

// A player who starts the program from elsewhere still finds the game's files when they
// sit in the "assets" folder beside the program.
void FindGameFiles(const char* argv0) {
    if (access("menu.bmp", R_OK) == 0) return;
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    std::string folder = length > 0 ? std::string(self, static_cast<std::size_t>(length)) : std::string(argv0);
    const std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
    const std::string assets = folder + "/assets";
    if (access((assets + "/menu.bmp").c_str(), R_OK) == 0 && chdir(assets.c_str()) == 0) return;
}

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
    WatchedHost watched(chosen, o.stats);
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
    FindGameFiles(argv[0]);

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
        h.script = std::move(script);  // a long script is held once, not three times
        h.calendarSeconds = o.time;
        h.maxPasses = o.frames;
        h.tracePath = o.trace;
        h.shots = o.shots;
        h.audioOutPath = o.audioOut;
        host::HeadlessHost headless(std::move(h));
        const int code = RunGame(headless, o);
        headless.FinishOutputs();
        if (!headless.OutputsOk()) return code == 0 ? 1 : code;
        return code;
    }

    host::SdlOptions s;
    s.fullscreen = !o.window;
    s.scale = o.scale;
    std::unique_ptr<host::Host> sdl = host::MakeSdlHost(s);
    if (!sdl) {
        std::fprintf(stderr, "trundlebop: no display to play on (try --headless --frames N)\n");
        return 1;
    }
    const int code = RunGame(*sdl, o);
    sdl.reset();
    return code;
}
