// Game controllers through SDL's controller mappings.
#include "hosts/sdl/sdl_pads.h"

#include <optional>

namespace host::sdl {
namespace {

std::optional<PadButton> ButtonOf(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return PadButton::A;
        case SDL_CONTROLLER_BUTTON_B:
            return PadButton::B;
        case SDL_CONTROLLER_BUTTON_X:
            return PadButton::X;
        case SDL_CONTROLLER_BUTTON_Y:
            return PadButton::Y;
        case SDL_CONTROLLER_BUTTON_START:
            return PadButton::Start;
        case SDL_CONTROLLER_BUTTON_BACK:
            return PadButton::Back;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PadButton::Up;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PadButton::Down;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PadButton::Left;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PadButton::Right;
        default:
            return std::nullopt;
    }
}

}  // namespace

Pads::Pads(InputMap& input) : input_(input) {
    // The game reads its keyboard in the background too; a pad answers the same way.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

Pads::~Pads() {
    for (const auto& [id, controller] : open_) SDL_GameControllerClose(controller);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Pads::Handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            // Added events carry the device index; everything after, the instance id.
            SDL_GameController* controller = SDL_GameControllerOpen(event.cdevice.which);
            if (!controller) return true;
            const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
            if (open_.count(id)) {
                SDL_GameControllerClose(controller);  // announced twice; the first opening holds
            } else {
                open_[id] = controller;
            }
            return true;
        }
        case SDL_CONTROLLERDEVICEREMOVED: {
            const auto found = open_.find(event.cdevice.which);
            if (found == open_.end()) return true;
            input_.ReleasePad(found->first);
            SDL_GameControllerClose(found->second);
            open_.erase(found);
            sticks_.erase(event.cdevice.which);
            return true;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (const std::optional<PadButton> button = ButtonOf(event.cbutton.button))
                input_.Pad(event.cbutton.which, *button, event.cbutton.state == SDL_PRESSED);
            return true;
        case SDL_CONTROLLERAXISMOTION: {
            SDL_Point& stick = sticks_[event.caxis.which];
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                stick.x = event.caxis.value;
            else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                stick.y = event.caxis.value;
            else
                return true;
            input_.Stick(event.caxis.which, stick.x, stick.y);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace host::sdl
