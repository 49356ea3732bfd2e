// What the fuzz targets share: the loaders read files by name, so each input is written
// to a scratch file first; and the sound targets need a host with a sound device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "hosts/headless/headless_host.h"
#include "platform/link/host_link.h"

// Writes the bytes to the file, replacing it; false when any of it could not be written.
inline bool WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool whole = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && whole;
}

// Installs, for the rest of the run, a headless host: it has a sound device, so the sound
// stand-in makes one, and it mixes only as its passes run, which none do here; the targets
// pull the mix themselves (platform::Link().MixAudio).
inline void InstallSoundHost() {
    static host::HeadlessHost machine{host::HeadlessOptions{}};
    platform::InstallHost(&machine);
}
