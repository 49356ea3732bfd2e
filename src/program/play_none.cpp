// Play in a build without a display of its own (the web build's program for node): only
// headless runs and timedemos.
#include <cstdio>

#include "program/run_game.h"

int Play(const Options& /*o*/, SettingsFile& /*settingsFile*/, std::FILE* /*trace*/) {
    std::fprintf(stderr, "trundlebop: this build has no display to play on (try --headless --frames N)\n");
    return 1;
}
