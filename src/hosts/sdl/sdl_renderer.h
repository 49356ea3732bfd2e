// The renderer the game's window draws with.
#pragma once

#include <SDL.h>

namespace host::sdl {

// A renderer for `window`: the display's accelerated one, waiting for its refresh where it
// can; SDL's own software renderer when that is all there is, or when the accelerated one
// is itself drawn by the processor (a software OpenGL, as on a virtual display), which
// costs several times more for the game's one scaled picture a pass. Null when nothing can
// draw in the window.
SDL_Renderer* CreateRenderer(SDL_Window* window);

}  // namespace host::sdl
