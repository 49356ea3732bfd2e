// Coverage-guided fuzzer for the settings file: any bytes as the file given to --config.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "program/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_settings_" + std::to_string(::getpid()) + ".ini";
    static const bool ready = [] {
        std::atexit([] { std::remove(path.c_str()); });
        return true;
    }();
    if (!ready || !WriteFile(path, data, size)) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> warnings;
    SettingsFile file = SettingsFile::Read(path, warnings);
    // A few short, printable warnings, whatever the file holds.
    if (warnings.size() > kSettingsMaxWarnings + 1) std::abort();
    for (const std::string& warning : warnings) {
        if (warning.size() > path.size() + 400) std::abort();
        for (char c : warning)
            if (c < 0x20 || c > 0x7E) std::abort();
    }
    // Every value in its range.
    const Settings& s = file.Values();
    if (s.scale < 1 || s.scale > 8 || s.musicVolume < 0 || s.musicVolume > 100 || s.effectsVolume < 0 ||
        s.effectsVolume > 100)
        std::abort();
    // Nothing changed: the same bytes back.
    if (file.Text() != text) std::abort();
    // A change made in play is what the file then reads, and the other lines stay.
    file.Set("music_volume", "37");
    std::vector<std::string> again;
    const SettingsFile changed = SettingsFile::Parse(path, file.Text(), again);
    if (changed.Values().musicVolume != 37) std::abort();
    return 0;
}
