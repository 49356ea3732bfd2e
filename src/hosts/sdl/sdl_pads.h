// The SDL host's game controllers: opened as they are plugged in (or found at the start),
// closed as they go, their buttons and left stick passed to the input map.
#pragma once

#include <SDL.h>

#include <map>

#include "hosts/common/input_map.h"

namespace host::sdl {

class Pads {
public:
    // Starts SDL's game controller support; the pads already plugged in arrive as events.
    explicit Pads(InputMap& input);
    ~Pads();
    Pads(const Pads&) = delete;
    Pads& operator=(const Pads&) = delete;

    bool Started() const { return started_; }
    // Takes the controller events; false for every other event.
    bool Handle(const SDL_Event& event);
    int Count() const { return static_cast<int>(open_.size()); }

private:
    InputMap& input_;
    bool started_ = false;
    std::map<SDL_JoystickID, SDL_GameController*> open_;  // by the joystick's instance id
    std::map<SDL_JoystickID, SDL_Point> sticks_;          // each pad's left stick
};

}  // namespace host::sdl
