// How the sound of play kept pace with the picture, as a host with an audio device measures
// it and --stats prints it.
#pragma once

namespace host {

// Each pass's sound from the start of the pass to its first sample handed to the device.
struct SoundReport {
    bool device = false;  // an audio device was opened
    double medianMs = 0;
    double latestMs = 0;
    int underruns = 0;  // device requests that found too little sound once playing had started
};

}  // namespace host
