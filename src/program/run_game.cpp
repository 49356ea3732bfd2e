// The game's WinMain run on a host, watched; scripts loaded with a one-line reason.
#include "program/run_game.h"

#include <cstdio>

#include "platform/link/host_link.h"
#include "platform/windows.h"

struct PlatformInstance {
    int unused;
};

namespace {

PlatformInstance programInstance{0};

}  // namespace

bool LoadScriptFile(const std::string& path, std::vector<host::ScriptEvent>& events) {
    std::string error, note;
    if (!host::LoadScript(path, events, error, &note)) {
        std::fprintf(stderr, "trundlebop: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (!note.empty()) std::fprintf(stderr, "trundlebop: %s: %s\n", path.c_str(), note.c_str());
    return true;
}

int RunGame(host::Host& chosen, const Options& o, const std::function<void(WatchedHost&)>& prepare,
            const std::function<void(WatchedHost&)>& finish) {
    WatchedHost watched(chosen, o.stats);
    if (prepare) prepare(watched);
    WatchedHost::CatchStopSignals();
    platform::InstallHost(&watched);
    char commandLine[1] = {'\0'};
    const int code = WinMain(&programInstance, nullptr, commandLine, SW_SHOW);
    platform::InstallHost(nullptr);
    if (o.stats) std::fprintf(stderr, "%s\n", watched.Stats().Line().c_str());
    if (finish) finish(watched);
    return code;
}
