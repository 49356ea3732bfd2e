// The SDL host's audio device.
#pragma once

#include <SDL.h>

namespace host::sdl {

// Opens the default audio device at the mix rate, 16-bit stereo, paused, pulling its sound
// through `pull` with `owner` for its first argument. The sound libraries' own complaints on the way are kept off the
// console; when there is no device, one line says so and 0 comes back (the game plays in silence).
SDL_AudioDeviceID OpenSoundDevice(SDL_AudioCallback pull, void* owner);

}  // namespace host::sdl
