// The program's command line.
#include "program/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: trundlebop                        play, full screen\n"
    "       trundlebop --window [--scale N]   play in a window (Alt+Enter toggles)\n"
    "       trundlebop --headless --frames N [--input FILE] [--trace FILE]\n"
    "                  [--shot PASS:FILE.png]... [--audio-out FILE.wav] [--time SECONDS]\n"
    "       trundlebop --timedemo FILE [--frames N]\n"
    "Any of them with --stats prints the pace of the main loop on stderr at the end.\n"
    "Run it from the folder that holds the game's files.\n";

bool ReadNumber(const char* text, long long low, long long high, long long& value) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

int Fail(const std::string& why) {
    std::fprintf(stderr, "trundlebop: %s\n%s", why.c_str(), kUsage);
    return 2;
}

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
        } else if (arg == "--stats") {
            o.stats = true;
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
