// The program's command line: what to run (play, a headless run or a timedemo), the host
// options that go with it, and the choices that override the settings file for this run.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

struct Options {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::optional<bool> fullscreen;  // --fullscreen or --window; else the settings file's
    std::optional<int> scale;        // --scale N
    bool integerScale = false;       // --integer-scale (else the settings file's)
    std::string config;              // --config FILE: another settings file
    std::string soundFont;           // --soundfont FILE
    std::string data;                // --data DIR: where the game's files are
    int frames = 0;
    bool framesGiven = false;
    std::string input;
    std::string trace;
    std::map<int, std::string> shots;  // pass -> PNG file
    std::string audioOut;
    std::int64_t time = 1000000000;  // --time: headless runs always take a fixed time
    bool timeGiven = false;
    std::string record;  // --record FILE: write the session's input as a script
    std::string play;    // --play FILE: show a script in a window, as a demo
    std::string timedemo;
    bool noMusicSynthesis = false;  // --no-music-synthesis: the pieces play unheard, unsynthesized
    bool stats = false;             // print the pace of the main loop when the program ends
};

// Prints why the command line is wrong and the usage on stderr; returns the exit code 2.
int Fail(const std::string& why);

// Reads the command line into `options`. Returns -1 when the program should go on (also
// after --help and --version, which it leaves to the caller), else the exit code to leave
// with at once (2 after a mistake, which is explained on stderr).
int ParseOptions(int argc, char** argv, Options& options);

// Every option, the keys in play and where the settings file is.
std::string HelpText(const std::string& settingsPath);
// "trundlebop <version>"
std::string VersionText();

// File and folder options made absolute, so they keep meaning the same files once the
// program has moved into the game's folder.
void MakePathsAbsolute(Options& options);
