// The SDL host: the game's window on a real display, its keyboard, mouse and game
// controllers, the sound device and the clocks.
#pragma once

#include <memory>
#include <vector>

#include "hosts/common/controls.h"
#include "hosts/common/script.h"
#include "hosts/common/session_recorder.h"
#include "hosts/common/sound_report.h"
#include "hosts/host.h"

namespace host {

// What the player changed while playing, kept up to date by the host so the program can
// save it when the game ends.
struct PlayState {
    bool fullscreen = true;
    Volumes volumes;
};

struct SdlOptions {
    // Full screen (a borderless window covering the desktop, picture letterboxed) or a
    // normal window; Alt+Enter switches between the two while playing.
    bool fullscreen = true;
    // The normal window's size in multiples of the game's picture (made smaller when
    // the desktop cannot hold it), in the desktop's units.
    int scale = 2;
    // The picture at the largest whole multiple of its size that fits, centred on black;
    // otherwise as large as fits with its proportions kept.
    bool integerScale = false;
    // Bindings, volumes and the screenshot folder; the pads are opened unless
    // controls.bindings.padEnabled is false.
    ControlOptions controls;
    // When not null, follows Alt+Enter and the volume keys.
    PlayState* state = nullptr;
    // When not null, writes down the session's input as it is played.
    SessionRecorder* recorder = nullptr;
    // When not null, a demo: this script drives the game, and the keyboard only closes
    // the window (Escape, Alt+F4).
    const std::vector<ScriptEvent>* demo = nullptr;
    // When not null, kept up to date with how the sound kept pace, pass by pass.
    SoundReport* sound = nullptr;
};

// Called once by the program's start-up before the game runs. Null, with a message on
// stderr, when SDL's video cannot start (no display).
std::unique_ptr<Host> MakeSdlHost(const SdlOptions& options);

}  // namespace host
