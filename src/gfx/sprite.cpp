// Sprites: frame surfaces filled from pictures, animation stepping, movement against the clip edges, drawing.
#include "gfx/sprite.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "gfx/display.h"
#include "gfx/sprite_sequences.h"

namespace {

// Truncation toward zero of a position, held within int range so that a sprite flung far
// away still forms a rectangle (which the clipper then throws away).
int TruncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483520.0f) return 2147483520;  // largest float below 2^31
    if (value <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<int>(value);
}

// The frame surface to draw, or null when the current frame has none.
LPDIRECTDRAWSURFACE7 CurrentFrameSurface(const Sprite* sprite) {
    if (sprite->currentFrame < 0 || sprite->currentFrame >= kSpriteMaxFrames) return nullptr;
    return sprite->frames[sprite->currentFrame];
}

// Top-left corner of a frame's source region: a cell of the frame size in a grid with
// 1-pixel borders when mode is 0, else the pixel (cx, cy) itself.
void SourceOrigin(const Sprite* sprite, int cx, int cy, int mode, long long* x0, long long* y0) {
    if (mode == 0) {
        *x0 = static_cast<long long>(cx) * (static_cast<long long>(sprite->width) + 1) + 1;
        *y0 = static_cast<long long>(cy) * (static_cast<long long>(sprite->height) + 1) + 1;
    } else {
        *x0 = cx;
        *y0 = cy;
    }
}

// The frame surface a loader may fill, or null when the index is out of range or unmade.
LPDIRECTDRAWSURFACE7 FrameToFill(const Sprite* sprite, int frame) {
    if (frame < 0 || frame >= kSpriteMaxFrames || frame >= sprite->frameCount) return nullptr;
    return sprite->frames[frame];
}

// Locks a frame surface and checks it can take width x height pixels of bytesPerPixel bytes.
// On success the description holds the pitch and pixel pointer and the surface stays locked.
bool LockFrame(LPDIRECTDRAWSURFACE7 surface, const Sprite* sprite, int bytesPerPixel, DDSURFACEDESC2* desc) {
    std::memset(desc, 0, sizeof(*desc));
    desc->dwSize = sizeof(*desc);
    if (FAILED(surface->Lock(nullptr, desc, DDLOCK_WAIT, nullptr))) return false;
    const bool fits = desc->lpSurface != nullptr && desc->dwWidth >= static_cast<DWORD>(sprite->width) &&
                      desc->dwHeight >= static_cast<DWORD>(sprite->height) &&
                      static_cast<long long>(desc->lPitch) >= static_cast<long long>(sprite->width) * bytesPerPixel;
    if (!fits) {
        surface->Unlock(nullptr);
        return false;
    }
    return true;
}

// Entries of a sequence before its -1.
int SequenceLength(const int* sequence) {
    int length = 0;
    while (sequence[length] != -1) ++length;
    return length;
}

// Half-extents of the reduced box the collision tests use.
long long HalfExtent(int size) {
    return (size >> 1) - (size >> 3);
}

bool ReducedBoxesOverlap(long long cxA, long long cyA, long long hwA, long long hhA, long long cxB, long long cyB,
                         long long hwB, long long hhB) {
    return std::llabs(cxB - cxA) < hwA + hwB && std::llabs(cyB - cyA) < hhA + hhB;
}

// Every sprite is drawn colour-keyed: pixels of the key stay out.
constexpr DWORD kDrawFlags = DDBLT_WAIT | DDBLT_KEYSRC;

// Where DrawSprite puts the current frame, and the part of the frame it takes.
void DrawRectangles(const Sprite* sprite, RECT* dest, RECT* source) {
    dest->left = TruncateToInt(sprite->x);
    dest->top = TruncateToInt(sprite->y);
    dest->right = TruncateToInt(sprite->x + static_cast<float>(sprite->width));
    dest->bottom = TruncateToInt(sprite->y + static_cast<float>(sprite->height));
    *source = RECT{0, 0, sprite->width, sprite->height};
}

}  // namespace

int CreateSprite(Sprite* sprite, int x, int y, int width, int height, int frameCount, int attributes, int memoryFlags,
                 int colourKey, int bitsPerPixel) {
    if (!sprite) return 0;
    // More frames than the record has room for are never made.
    if (frameCount > kSpriteMaxFrames) frameCount = kSpriteMaxFrames;
    sprite->attributes = attributes;
    sprite->x = static_cast<float>(x);
    sprite->y = static_cast<float>(y);
    sprite->width = width;
    sprite->height = height;
    sprite->frameCount = frameCount;
    sprite->bitsPerPixel = bitsPerPixel;

    sprite->state = 1;
    sprite->animState = 0;
    for (int& counter : sprite->counters) counter = 0;
    sprite->currentFrame = 0;
    sprite->currentAnimation = 0;
    sprite->animTicks = 0;
    sprite->animStep = 0;
    sprite->animSpeed = 0;
    sprite->velocityX = 0.0f;
    sprite->velocityY = 0.0f;
    for (LPDIRECTDRAWSURFACE7& frame : sprite->frames) frame = nullptr;
    for (int*& sequence : sprite->sequences) sequence = nullptr;

    for (int index = 0; index < frameCount; ++index) {
        // A failure keeps the surfaces already made; DestroySprite releases them later.
        const long long surfaceWidth = static_cast<long long>(width) + sprite->widthPad;
        if (surfaceWidth <= 0 || height <= 0) return 0;
        sprite->frames[index] = CreateSurface(static_cast<int>(surfaceWidth), height, static_cast<DWORD>(memoryFlags),
                                              static_cast<std::uint32_t>(colourKey) & 0xFFFFu);
        if (!sprite->frames[index]) return 0;
    }
    return 1;
}

int DestroySprite(Sprite* sprite) {
    if (!sprite) return 0;
    // A sequence goes with the last sprite that holds it, whether that is a clone or not.
    for (int*& sequence : sprite->sequences) {
        if (sprite_sequences::Release(sequence)) delete[] sequence;
        sequence = nullptr;
    }
    if (sprite->attributes & Clone) {
        // The surfaces belong to the sprite this one was copied from.
        for (LPDIRECTDRAWSURFACE7& frame : sprite->frames) frame = nullptr;
        return 1;
    }
    for (LPDIRECTDRAWSURFACE7& frame : sprite->frames) {
        if (frame) {
            frame->Release();
            frame = nullptr;
        }
    }
    return 1;
}

int DrawSprite(Sprite* sprite, LPDIRECTDRAWSURFACE7 destination) {
    if (!sprite) return 0;
    if (!(sprite->attributes & Visible)) return 1;
    LPDIRECTDRAWSURFACE7 frame = CurrentFrameSurface(sprite);
    if (!frame || !destination) return 0;
    RECT dest;
    RECT source;
    DrawRectangles(sprite, &dest, &source);
    // Pixels of the colour key stay out; the destination's clipper trims what lies off screen.
    return SUCCEEDED(destination->Blt(&dest, frame, &source, kDrawFlags, nullptr)) ? 1 : 0;
}

bool SpriteFrameOpaque(const Sprite* sprite, int frame) {
    if (!sprite || frame < 0 || frame >= kSpriteMaxFrames || !sprite->frames[frame]) return false;
    LPDIRECTDRAWSURFACE7 surface = sprite->frames[frame];
    // Without a key DrawSprite's keyed blit is refused and paints nothing.
    DDCOLORKEY key;
    if (FAILED(surface->GetColorKey(DDCKEY_SRCBLT, &key))) return false;
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) return false;
    const int bytesPerPixel = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
    bool opaque = desc.lpSurface != nullptr && (bytesPerPixel == 1 || bytesPerPixel == 2) && sprite->width >= 0 &&
                  sprite->height >= 0 && desc.dwWidth >= static_cast<DWORD>(sprite->width) &&
                  desc.dwHeight >= static_cast<DWORD>(sprite->height);
    const auto* row = static_cast<const std::uint8_t*>(desc.lpSurface);
    for (int y = 0; opaque && y < sprite->height; ++y, row += desc.lPitch) {
        for (int x = 0; x < sprite->width; ++x) {
            DWORD pixel = row[x * bytesPerPixel];
            if (bytesPerPixel == 2) {
                std::uint16_t wide;
                std::memcpy(&wide, row + x * 2, 2);
                pixel = wide;
            }
            if (pixel >= key.dwColorSpaceLowValue && pixel <= key.dwColorSpaceHighValue) {
                opaque = false;
                break;
            }
        }
    }
    surface->Unlock(nullptr);
    return opaque;
}

bool SpriteSpans(const Sprite* sprite, const RECT& area) {
    if (!sprite || !(sprite->attributes & Visible) || !CurrentFrameSurface(sprite)) return false;
    RECT dest;
    RECT source;
    DrawRectangles(sprite, &dest, &source);
    // A blit of another size stretches the frame: no promise is made for those.
    const long long destWidth = static_cast<long long>(dest.right) - dest.left;
    const long long destHeight = static_cast<long long>(dest.bottom) - dest.top;
    if (destWidth != source.right - source.left || destHeight != source.bottom - source.top) return false;
    // The back surface's clipper holds the screen, ClipRect's inclusive bounds.
    const bool onScreen = area.left >= ClipRect.minX && area.top >= ClipRect.minY && area.right <= ClipRect.maxX + 1 &&
                          area.bottom <= ClipRect.maxY + 1;
    const bool underSprite =
        area.left >= dest.left && area.top >= dest.top && area.right <= dest.right && area.bottom <= dest.bottom;
    return area.left < area.right && area.top < area.bottom && onScreen && underSprite;
}

int DrawSpriteScaled(Sprite* sprite, int destWidth, int destHeight, LPDIRECTDRAWSURFACE7 destination) {
    if (!sprite) return 0;
    if (!(sprite->attributes & Visible)) return 1;
    LPDIRECTDRAWSURFACE7 frame = CurrentFrameSurface(sprite);
    if (!frame || !destination) return 0;
    const long long left = TruncateToInt(sprite->x);
    const long long top = TruncateToInt(sprite->y);
    const long long right = left + destWidth;
    const long long bottom = top + destHeight;
    if (right > INT32_MAX || bottom > INT32_MAX || right < INT32_MIN || bottom < INT32_MIN) return 0;
    RECT dest = {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
    RECT source = {0, 0, sprite->width, sprite->height};
    return SUCCEEDED(destination->Blt(&dest, frame, &source, DDBLT_WAIT | DDBLT_KEYSRC, nullptr)) ? 1 : 0;
}

int LoadSpriteFrame(Sprite* sprite, BitmapFile* bitmapFile, int frame, int cx, int cy, int mode) {
    if (!sprite) return 0;
    LPDIRECTDRAWSURFACE7 surface = FrameToFill(sprite, frame);
    if (!surface) return 0;
    long long x0 = 0;
    long long y0 = 0;
    SourceOrigin(sprite, cx, cy, mode, &x0, &y0);
    // Only a region wholly inside the loaded 16-bit picture is copied.
    if (!BitmapHoldsRegion(bitmapFile, x0, y0, sprite->width, sprite->height)) return 0;
    DDSURFACEDESC2 desc;
    if (!LockFrame(surface, sprite, 2, &desc)) return 0;

    const auto* source = reinterpret_cast<const std::uint16_t*>(bitmapFile->pixels);
    const long long sourceRow = bitmapFile->infoHeader.biWidth;
    auto* dest = static_cast<std::uint8_t*>(desc.lpSurface);
    const std::size_t rowBytes = static_cast<std::size_t>(sprite->width) * 2;
    for (int row = 0; row < sprite->height; ++row) {
        std::memcpy(dest, source + (y0 + row) * sourceRow + x0, rowBytes);
        dest += desc.lPitch;
    }
    surface->Unlock(nullptr);
    sprite->attributes |= Loaded;
    return 1;
}

int LoadSpriteFrame8(Sprite* sprite, BitmapFile* bitmapFile, int frame, int cx, int cy, int mode) {
    if (!sprite || !bitmapFile || !bitmapFile->pixels || bitmapFile->infoHeader.biBitCount != 8) return 0;
    LPDIRECTDRAWSURFACE7 surface = FrameToFill(sprite, frame);
    if (!surface) return 0;
    long long x0 = 0;
    long long y0 = 0;
    SourceOrigin(sprite, cx, cy, mode, &x0, &y0);
    const long long pictureWidth = bitmapFile->infoHeader.biWidth;
    const long long pictureHeight = bitmapFile->infoHeader.biHeight;
    if (sprite->width < 0 || sprite->height < 0 || x0 < 0 || y0 < 0 || x0 + sprite->width > pictureWidth ||
        y0 + sprite->height > pictureHeight)
        return 0;
    DDSURFACEDESC2 desc;
    if (!LockFrame(surface, sprite, 1, &desc)) return 0;

    const std::uint8_t* source = bitmapFile->pixels;
    auto* dest = static_cast<std::uint8_t*>(desc.lpSurface);
    for (int row = 0; row < sprite->height; ++row) {
        std::memcpy(dest, source + (y0 + row) * pictureWidth + x0, static_cast<std::size_t>(sprite->width));
        dest += desc.lPitch;
    }
    surface->Unlock(nullptr);
    sprite->attributes |= Loaded;
    return 1;
}

int AnimateSprite(Sprite* sprite) {
    if (!sprite) return 0;
    if (sprite->attributes & SingleFrame) {
        sprite->currentFrame = 0;
    } else if (sprite->attributes & MultiFrame) {
        if (++sprite->animTicks >= sprite->animSpeed) {
            sprite->animTicks = 0;
            if (++sprite->currentFrame >= sprite->frameCount) sprite->currentFrame = 0;
        }
    } else if (sprite->attributes & MultiAnim) {
        if (sprite->currentAnimation < 0 || sprite->currentAnimation >= kSpriteMaxSequences) return 1;
        const int* sequence = sprite->sequences[sprite->currentAnimation];
        if (!sequence) return 1;
        if (++sprite->animTicks < sprite->animSpeed) return 1;
        sprite->animTicks = 0;
        const int length = SequenceLength(sequence);
        const int next = sprite->animStep + 1;
        if (next >= 0 && next < length) {
            sprite->animStep = next;
            sprite->currentFrame = sequence[next];
        } else if (sprite->attributes & AnimOneShot) {
            // Held on the last entry; every later step lands on the end again.
            sprite->animState = 1;
            sprite->animStep = length > 0 ? length - 1 : 0;
            if (length > 0) sprite->currentFrame = sequence[length - 1];
        } else {
            // Back to the start: the first entry shows only after such a wrap.
            sprite->animStep = 0;
            if (length > 0) sprite->currentFrame = sequence[0];
        }
    }
    return 1;
}

int MoveSprite(Sprite* sprite) {
    if (!sprite) return 0;
    sprite->x += sprite->velocityX;
    sprite->y += sprite->velocityY;
    const float minX = static_cast<float>(ClipRect.minX);
    const float minY = static_cast<float>(ClipRect.minY);
    const float maxX = static_cast<float>(ClipRect.maxX);
    const float maxY = static_cast<float>(ClipRect.maxY);
    const float width = static_cast<float>(sprite->width);
    const float height = static_cast<float>(sprite->height);
    if (sprite->attributes & Wrap) {
        const float leftOut = static_cast<float>(static_cast<long long>(ClipRect.minX) - sprite->width);
        const float topOut = static_cast<float>(static_cast<long long>(ClipRect.minY) - sprite->height);
        if (sprite->x > maxX)
            sprite->x = leftOut;
        else if (sprite->x < leftOut)
            sprite->x = maxX;
        if (sprite->y > maxY)
            sprite->y = topOut;
        else if (sprite->y < topOut)
            sprite->y = maxY;
    } else if (sprite->attributes & Bounce) {
        // Only the velocity turns: the sprite may stand past the edge for this frame.
        if (sprite->x > maxX - width || sprite->x < minX) sprite->velocityX = -sprite->velocityX;
        if (sprite->y > maxY - height || sprite->y < minY) sprite->velocityY = -sprite->velocityY;
    }
    return 1;
}

int LoadSpriteAnimation(Sprite* sprite, int index, int count, const int* frameIndices) {
    if (!sprite || index < 0 || index >= kSpriteMaxSequences || count < 0) return 0;
    if (count > 0 && !frameIndices) return 0;
    int* sequence = new (std::nothrow) int[static_cast<std::size_t>(count) + 1];
    if (!sequence) return 0;
    if (count > 0) std::memcpy(sequence, frameIndices, static_cast<std::size_t>(count) * sizeof(int));
    sequence[count] = -1;
    // The old sequence is freed only when no other sprite (a clone, or the clone's source)
    // still holds it.
    if (sprite_sequences::Release(sprite->sequences[index])) delete[] sprite->sequences[index];
    sprite->sequences[index] = sequence;
    return 1;
}

int SetSpritePosition(Sprite* sprite, int x, int y) {
    if (!sprite) return 0;
    sprite->x = static_cast<float>(x);
    sprite->y = static_cast<float>(y);
    return 1;
}

int SetSpriteAnimSpeed(Sprite* sprite, int speed) {
    if (!sprite) return 0;
    sprite->animSpeed = speed;
    return 1;
}

int SetSpriteAnimation(Sprite* sprite, int index) {
    if (!sprite) return 0;
    sprite->currentAnimation = index;
    sprite->animStep = 0;
    return 1;
}

int SetSpriteVelocity(Sprite* sprite, int vx, int vy) {
    if (!sprite) return 0;
    sprite->velocityX = static_cast<float>(vx);
    sprite->velocityY = static_cast<float>(vy);
    return 1;
}

int CloneSprite(Sprite* source, Sprite* destination) {
    if (!source || !destination || source == destination) return 0;
    std::memcpy(destination, source, sizeof(Sprite));
    destination->attributes |= Clone;
    for (const int* sequence : destination->sequences) sprite_sequences::Share(sequence);
    return 1;
}

int HideSprite(Sprite* sprite) {
    if (!sprite) return 0;
    sprite->attributes &= ~Visible;
    return 1;
}

int ShowSprite(Sprite* sprite) {
    if (!sprite) return 0;
    sprite->attributes |= Visible;
    return 1;
}

int SpritesCollide(Sprite* a, Sprite* b) {
    if (!a || !b) return 0;
    const long long hwA = HalfExtent(a->width);
    const long long hhA = HalfExtent(a->height);
    const long long hwB = HalfExtent(b->width);
    const long long hhB = HalfExtent(b->height);
    const long long cxA = TruncateToInt(a->x + static_cast<float>(hwA));
    const long long cyA = TruncateToInt(a->y + static_cast<float>(hhA));
    const long long cxB = TruncateToInt(b->x + static_cast<float>(hwB));
    const long long cyB = TruncateToInt(b->y + static_cast<float>(hhB));
    return ReducedBoxesOverlap(cxA, cyA, hwA, hhA, cxB, cyB, hwB, hhB) ? 1 : 0;
}

int RectsCollide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
    const long long hw1 = HalfExtent(w1);
    const long long hh1 = HalfExtent(h1);
    const long long hw2 = HalfExtent(w2);
    const long long hh2 = HalfExtent(h2);
    return ReducedBoxesOverlap(x1 + hw1, y1 + hh1, hw1, hh1, x2 + hw2, y2 + hh2, hw2, hh2) ? 1 : 0;
}
