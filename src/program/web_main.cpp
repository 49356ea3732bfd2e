// The page's program: the settings from the browser's storage, the game files the page put
// in /game, the web host, a recording of the session the page can offer for download, and
// the game's WinMain.
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "hosts/common/session_recorder.h"
#include "hosts/web/page.h"
#include "hosts/web/web_host.h"
#include "platform/dmusic.h"
#include "program/options.h"
#include "program/player_setup.h"
#include "program/run_game.h"
#include "program/settings.h"

namespace {

// Where the page puts the game files, the session's recording and F12's pictures.
constexpr const char* kGameFolder = "/game";
constexpr const char* kRecording = "/recording.script";
constexpr const char* kScreenshotFolder = "/screenshots";

}  // namespace

int main() {
    std::vector<std::string> warnings;
    const SettingsFile settingsFile =
        SettingsFile::Parse("browser storage", host::web::page::StoredSettings(), warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "trundlebop: %s\n", warning.c_str());
    const Settings& settings = settingsFile.Values();
    if (::chdir(kGameFolder) != 0) {
        std::fprintf(stderr, "trundlebop: the page holds no game files\n");
        return 1;
    }
    // The page loads its one SoundFont into its synthesizer before the game starts.
    platform::ChooseSoundFonts({"page"}, [](const platform::SoundFontOutcome&) {
        std::fprintf(stderr, "trundlebop: the page's SoundFont did not load; playing without music\n");
    });

    host::WebOptions web;
    web.controls = ControlsFrom(settings);
    web.controls.screenshotFolder = kScreenshotFolder;
    web.volumesChanged = [](const host::Volumes& volumes) {
        host::web::page::StoreSetting("music_volume", std::to_string(volumes.music).c_str());
        host::web::page::StoreSetting("effects_volume", std::to_string(volumes.effects).c_str());
        host::web::page::StoreSetting("mute", BoolText(volumes.mute).c_str());
    };
    // The session is recorded from its start, with the calendar the game seeds from held
    // still at its seconds, so the recording replays headless as it was played.
    const std::int64_t seconds = static_cast<std::int64_t>(std::time(nullptr));
    host::SessionRecorder recorder;
    std::string error;
    if (recorder.Open(kRecording, seconds, error)) {
        web.recorder = &recorder;
    } else {
        std::fprintf(stderr, "trundlebop: the session is not recorded: %s\n", error.c_str());
    }
    std::unique_ptr<host::Host> page = host::MakeWebHost(web);
    Options options;
    return RunGame(*page, options, [&](WatchedHost& watched) { watched.FixCalendar(seconds); });
}
