// The program's entry as the platform provides it: reads the host options from the
// command line, sets up the SDL or the headless host and calls the game's WinMain.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cerrno>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_host.h"
#include "platform/host.h"
#include "platform/sdl/sdl_host.h"
#include "platform/windows.h"

struct PlatformInstance {
    int unused;
};

namespace {

const char kUsage[] =
    "usage: trundlebop                        play, full screen\n"
    "       trundlebop --window [--scale N]   play in a window (Alt+Enter toggles)\n"
    "       trundlebop --headless --frames N [--input FILE] [--trace FILE]\n"
    "                  [--shot PASS:FILE.png]... [--audio-out FILE.wav] [--time SECONDS]\n"
    "       trundlebop --timedemo FILE [--frames N]\n"
    "Run it from the folder that holds the game's files.\n";

struct Options {
    bool headless = false;
    bool window = false;
    int scale = 2;
    int frames = 0;
    bool framesGiven = false;
    std::string input;
    std::string trace;
    std::map<int, std::string> shots;
    std::string audioOut;
    std::int64_t time = 1000000000;
    std::string timedemo;
};

int Fail(const std::string& why) {
    std::fprintf(stderr, "trundlebop: %s\n%s", why.c_str(), kUsage);
    return 2;
}

bool ReadNumber(const char* text, long long low, long long high, long long& value) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

// Returns -1 when the options are good, else the exit code to leave with.
int ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        long long n = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--window") {
            o.window = true;
        } else if (arg == "--scale") {
            if (!ReadNumber(next(), 1, 8, n)) return Fail("--scale takes a number from 1 to 8");
            o.scale = static_cast<int>(n);
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--frames") {
            if (!ReadNumber(next(), 1, 100000000, n)) return Fail("--frames takes a positive number");
            o.frames = static_cast<int>(n);
            o.framesGiven = true;
        } else if (arg == "--input") {
            const char* v = next();
            if (!v) return Fail("--input takes a file");
            o.input = v;
        } else if (arg == "--trace") {
            const char* v = next();
            if (!v) return Fail("--trace takes a file");
            o.trace = v;
        } else if (arg == "--shot") {
            const char* v = next();
            const char* colon = v ? std::strchr(v, ':') : nullptr;
            if (!colon || colon[1] == '\0') return Fail("--shot takes PASS:FILE.png");
            if (!ReadNumber(std::string(v, colon).c_str(), 1, 100000000, n))
                return Fail("--shot takes PASS:FILE.png with a pass from 1");
            o.shots[static_cast<int>(n)] = colon + 1;
        } else if (arg == "--audio-out") {
            const char* v = next();
            if (!v) return Fail("--audio-out takes a file");
            o.audioOut = v;
        } else if (arg == "--time") {
            if (!ReadNumber(next(), 0, 4102444800LL, n)) return Fail("--time takes calendar seconds");
            o.time = n;
        } else if (arg == "--timedemo") {
            const char* v = next();
            if (!v) return Fail("--timedemo takes a script file");
            o.timedemo = v;
        } else {
            return Fail("unknown option " + arg);
        }
    }
    if (o.headless && !o.framesGiven) return Fail("--headless needs --frames N");
    if (o.headless && !o.timedemo.empty()) return Fail("--timedemo runs headless by itself");
    if (!o.audioOut.empty() && !o.headless) return Fail("--audio-out is for --headless runs");
    return -1;
}

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

int RunGame() {
    char commandLine[1] = {'\0'};
    return WinMain(&programInstance, nullptr, commandLine, SW_SHOW);
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
        host::Install(&demo);
        const int code = RunGame();
        host::Install(nullptr);
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
        host::HeadlessHost headless(h);
        host::Install(&headless);
        const int code = RunGame();
        host::Install(nullptr);
        headless.FinishAudio();
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
    host::Install(sdl.get());
    const int code = RunGame();
    host::Install(nullptr);
    sdl.reset();
    return code;
}
