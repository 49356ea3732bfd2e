// Choosing the window's renderer.
#include "hosts/sdl/sdl_renderer.h"

#include <SDL_opengl.h>

#include <cstring>

namespace host::sdl {
namespace {

// Whether the renderer draws through an OpenGL that the processor carries out.
bool DrawnByProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    // The renderer's context is current once it is made.
    using GetString = const GLubyte*(APIENTRY*)(GLenum);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    const auto* name = reinterpret_cast<const char*>(getString(GL_RENDERER));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") || std::strstr(name, "Software Rasterizer");
}

}  // namespace

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    // Presents wait for the display's refresh where it has one, so the picture never tears.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer && DrawnByProcessor(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
        // The software renderer's picture goes straight to the window too, not through
        // that same OpenGL.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    return renderer;
}

}  // namespace host::sdl
