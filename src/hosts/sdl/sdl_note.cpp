// The volume note's texture and its place on the picture.
#include "hosts/sdl/sdl_note.h"

#include "hosts/common/note_picture.h"

namespace host::sdl {
namespace {

constexpr int kLogicalWidth = 640;
constexpr int kInset = 16;

}  // namespace

void NoteOverlay::Show(SDL_Renderer* renderer, const VolumeNote& note, Uint32 now) {
    Forget();
    if (!renderer) return;
    const Picture picture = DrawVolumeNote(note);
    texture_ =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, picture.width, picture.height);
    if (!texture_) return;
    SDL_UpdateTexture(texture_, nullptr, picture.argb.data(), picture.width * 4);
    // Slightly see-through, so the game shows behind the box.
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(texture_, 220);
    where_ = SDL_Rect{kLogicalWidth - kInset - picture.width, kInset, picture.width, picture.height};
    until_ = now + kShownMs;
}

void NoteOverlay::Draw(SDL_Renderer* renderer, Uint32 now) {
    if (!texture_) return;
    if (static_cast<Sint32>(until_ - now) <= 0) {
        Forget();
        return;
    }
    SDL_RenderCopy(renderer, texture_, nullptr, &where_);
}

void NoteOverlay::Forget() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
}

}  // namespace host::sdl
