// The SDL host: the game's window on a real display, its keyboard and mouse, and the clocks.
#pragma once

#include <memory>

#include "hosts/host.h"

namespace host {

struct SdlOptions {
    // Full screen (a borderless window covering the desktop, picture letterboxed) or a
    // normal window; Alt+Enter switches between the two while playing.
    bool fullscreen = true;
    // The normal window's size in multiples of the game's picture (made smaller when
    // the desktop cannot hold it).
    int scale = 2;
};

// Called once by the program's start-up before the game runs. Null, with a message on
// stderr, when SDL's video cannot start (no display).
std::unique_ptr<Host> MakeSdlHost(const SdlOptions& options);

}  // namespace host
