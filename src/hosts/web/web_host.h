// The web host: the game on a page. The picture on a canvas, the keys, pointer, game
// controllers and touch controls of the page, the sound through an audio worklet, and a
// clock that lets the browser run while the game's frame clock waits.
#pragma once

#include <functional>
#include <memory>

#include "hosts/common/controls.h"
#include "hosts/common/session_recorder.h"
#include "hosts/host.h"

namespace host {

struct WebOptions {
    // Bindings, volumes and the screenshot folder (in the program's file system: F12's
    // picture is offered as a download from there).
    ControlOptions controls;
    // When not null, writes down the session's input as it is played.
    SessionRecorder* recorder = nullptr;
    // Told of each change the volume keys make, to keep it.
    std::function<void(const Volumes&)> volumesChanged;
};

std::unique_ptr<Host> MakeWebHost(const WebOptions& options);

}  // namespace host
