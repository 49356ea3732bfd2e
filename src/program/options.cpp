// The program's command line.
#include "program/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program/user_paths.h"

#ifndef TRUNDLEBOP_VERSION
#define TRUNDLEBOP_VERSION "unknown"
#endif

namespace {

const char kUsage[] =
    "usage: trundlebop [--fullscreen | --window] [--scale N] [--integer-scale]   play\n"
    "       trundlebop --headless --frames N [--input FILE] [--trace FILE]\n"
    "                  [--shot PASS:FILE.png]... [--audio-out FILE.wav] [--time SECONDS]\n"
    "       trundlebop --timedemo FILE [--frames N] [--trace FILE]\n"
    "Any of them also takes --config FILE, --soundfont FILE, --data DIR, --stats and\n"
    "--no-music-synthesis.\n"
    "trundlebop --help says more.\n";

const char kHelp[] =
    "Trundlebop: ride a board down the street, climb the girder world, walk the two rooms.\n"
    "\n"
    "Playing:\n"
    "  --fullscreen          full screen (the default)\n"
    "  --window              in a window; Alt+Enter switches while playing\n"
    "  --scale N             the window's size, N times 640 x 480 (1-8)\n"
    "  --integer-scale       the picture at the largest whole multiple that fits, on black\n"
    "  --config FILE         read and save this settings file instead of the usual one\n"
    "  --soundfont FILE      play the music with this SoundFont\n"
    "  --data DIR            the folder with the game's files (menu.bmp and the rest)\n"
    "  --stats               print how well the main loop kept its pace at the end\n"
    "  --no-music-synthesis  the pieces start, play and end as ever, but the synthesizer\n"
    "                        renders nothing: the sound is the effects' alone (for\n"
    "                        measuring what the rest costs)\n"
    "  --record FILE         write the session's input as a script a headless run replays\n"
    "  --play FILE           show a script (a recorded session) as a demo; Escape closes\n"
    "  --time SECONDS        seed the game's random numbers as if the calendar said this\n"
    "  --trace FILE          one JSON object per pass, as headless runs write it\n"
    "  --version, --help\n"
    "\n"
    "Headless runs (no display, no sound device, a virtual clock):\n"
    "  --headless --frames N run N passes of the main loop\n"
    "  --input FILE          play a script: '<pass> down|up|tap|repeat <key>',\n"
    "                        '<pass> pad down|up|tap <button>', '<pass> stick <x> <y>',\n"
    "                        '<pass> click|dblclick <x> <y>', '<pass> close'\n"
    "  --trace FILE          one JSON object per pass\n"
    "  --shot PASS:FILE.png  save the frame of a pass\n"
    "  --audio-out FILE.wav  save the mixed sound\n"
    "  --time SECONDS        the calendar time the game seeds its random numbers from\n"
    "  --timedemo FILE       play a script as fast as possible and print the frame rate\n"

    "\n"
    "Keys: arrows steer and walk, Space jumps, X (in the girder world) holds the jump,\n"
    "Enter chooses on the menu, Escape goes back to the menu and, there, quits;\n"
    "Ctrl+1/2/3 pick a level. F5/F6 music volume down/up, F7/F8 effects volume down/up,\n"
    "F9 mute, F12 screenshot, Alt+Enter full screen, Alt+F4 quit. A game controller's\n"
    "D-pad and left stick act as the arrows, A as Space, B as X, Start as Enter, Back as Escape.\n"
    "\n"
    "Settings file (%s):\n"
    "  fullscreen = true|false      scale = 1-8          integer_scaling = true|false\n"
    "  music_volume = 0-100         effects_volume = 0-100        mute = true|false\n"
    "  soundfont = FILE             gamepad = true|false          screenshot_dir = DIR\n"
    "  key.<GameKey> = <Key>[, <Key>...]   pad.<Button> = <GameKey>|none\n"
    "  GameKey: Left Right Up Down Space X Enter Escape; Key: as scripts name them\n"
    "  (Enter, Escape, Space, arrows, Ctrl, Shift, Alt, A-Z, 0-9, F1-F12);\n"
    "  Button: a b x y start back up down left right.\n"
    "The command line wins over the file for its run; Alt+Enter and the volume keys are\n"
    "saved when the game ends. Music uses the SoundFont named, else\n"
    "/usr/share/sounds/sf2/default-GM.sf2, else /usr/share/sounds/sf2/TimGM6mb.sf2.\n";

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
        // The file or folder an option names; false when it is missing.
        const auto take = [&](std::string& to) {
            const char* v = next();
            if (v && *v) to = v;
            return v && *v;
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--window") {
            o.fullscreen = false;
        } else if (arg == "--fullscreen") {
            o.fullscreen = true;
        } else if (arg == "--integer-scale") {
            o.integerScale = true;
        } else if (arg == "--config") {
            if (!take(o.config)) return Fail("--config takes a file");
        } else if (arg == "--soundfont") {
            if (!take(o.soundFont)) return Fail("--soundfont takes a file");
        } else if (arg == "--data") {
            if (!take(o.data)) return Fail("--data takes a folder");
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
            o.timeGiven = true;
        } else if (arg == "--record") {
            const char* v = next();
            if (!v) return Fail("--record takes a file");
            o.record = v;
        } else if (arg == "--play") {
            const char* v = next();
            if (!v) return Fail("--play takes a script file");
            o.play = v;
        } else if (arg == "--no-music-synthesis") {
            o.noMusicSynthesis = true;
        } else if (arg == "--timedemo") {
            const char* v = next();
            if (!v) return Fail("--timedemo takes a script file");
            o.timedemo = v;
        } else {
            return Fail("unknown option " + arg);
        }
    }
    if (o.help || o.version) return -1;
    if (o.headless && !o.framesGiven) return Fail("--headless needs --frames N");
    if (o.headless && !o.timedemo.empty()) return Fail("--timedemo runs headless by itself");
    if (!o.audioOut.empty() && !o.headless) return Fail("--audio-out is for --headless runs");
    const bool played = !o.headless && o.timedemo.empty();
    if (!played && (!o.record.empty() || !o.play.empty())) return Fail("--record and --play are for play in a window");
    if (!o.record.empty() && !o.play.empty()) return Fail("--play shows a script; there is nothing to --record");
    if (!o.play.empty() && !o.input.empty()) return Fail("--play takes the script; --input is for --headless runs");
    return -1;
}

std::string HelpText(const std::string& settingsPath) {
    const int size = std::snprintf(nullptr, 0, kHelp, settingsPath.c_str());
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), kHelp, settingsPath.c_str());
    text.pop_back();
    return text;
}

std::string VersionText() {
    return std::string("trundlebop ") + TRUNDLEBOP_VERSION;
}

void MakePathsAbsolute(Options& o) {
    for (std::string* path :
         {&o.config, &o.soundFont, &o.data, &o.input, &o.trace, &o.audioOut, &o.timedemo, &o.record, &o.play})
        *path = Absolute(*path);
    for (auto& shot : o.shots) shot.second = Absolute(shot.second);
}
