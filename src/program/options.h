// The program's command line: what to run (play, a headless run or a timedemo) and the
// host options that go with it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct Options {
    bool headless = false;
    bool window = false;
    int scale = 2;
    int frames = 0;
    bool framesGiven = false;
    std::string input;
    std::string trace;
    std::map<int, std::string> shots;  // pass -> PNG file
    std::string audioOut;
    std::int64_t time = 1000000000;
    std::string timedemo;
    bool stats = false;  // print the pace of the main loop when the program ends
};

// Prints why the command line is wrong and the usage on stderr; returns the exit code 2.
int Fail(const std::string& why);

// Reads the command line into `options`. Returns -1 when the program should run, else the
// exit code to leave with at once (0 after --help, 2 after a mistake, which is explained on
// stderr).
int ParseOptions(int argc, char** argv, Options& options);
