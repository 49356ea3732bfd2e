// The volume note over the SDL host's picture: shown for about a second after a volume key,
// drawn on top of the game's frame in the window, never into it.
#pragma once

#include <SDL.h>

#include "hosts/common/controls.h"

namespace host::sdl {

class NoteOverlay {
public:
    ~NoteOverlay() { Forget(); }

    // From now (SDL ticks) for kShownMs.
    void Show(SDL_Renderer* renderer, const VolumeNote& note, Uint32 now);
    // Draws it in the game's 640 x 480 units, near the top right, while it lasts.
    void Draw(SDL_Renderer* renderer, Uint32 now);
    // The renderer is going: its texture goes first.
    void Forget();

    static constexpr Uint32 kShownMs = 1200;

private:
    SDL_Texture* texture_ = nullptr;
    SDL_Rect where_{0, 0, 0, 0};
    Uint32 until_ = 0;
};

}  // namespace host::sdl
