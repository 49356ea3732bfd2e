// The SDL host's audio device, opened quietly.
#include "hosts/sdl/sdl_sound.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "hosts/host.h"

namespace host::sdl {
namespace {

// Sends stderr to nowhere while it lives: the sound servers and drivers SDL tries in turn
// print their failures themselves, and a player with no sound card needs one line, not ten.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(2);
        const int nowhere = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && nowhere >= 0) dup2(nowhere, 2);
        if (nowhere >= 0) close(nowhere);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, 2);
            close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

}  // namespace

SDL_AudioDeviceID OpenSoundDevice(SDL_AudioCallback pull, void* owner) {
    SDL_AudioDeviceID device = 0;
    {
        QuietStderr quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            SDL_AudioSpec wanted;
            SDL_zero(wanted);
            wanted.freq = kMixRate;
            wanted.format = AUDIO_S16SYS;
            wanted.channels = 2;
            // Device buffers of about 12 ms, between two and three a pass: the sound waits
            // little in them.
            wanted.samples = 512;
            wanted.callback = pull;
            wanted.userdata = owner;
            SDL_AudioSpec got;
            // No changes allowed: SDL converts to whatever the device really takes.
            device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &got, 0);
            if (device == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    if (device == 0) std::fprintf(stderr, "trundlebop: no audio device; playing without sound\n");
    return device;
}

}  // namespace host::sdl
