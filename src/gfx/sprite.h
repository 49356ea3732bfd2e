// Sprites: movable, animated pictures with up to 64 colour-keyed frame surfaces and 16 animation sequences.
#pragma once

#include "gfx/bitmap.h"
#include "platform/ddraw.h"

// Most frame surfaces and animation sequences one sprite holds.
constexpr int kSpriteMaxFrames = 64;
constexpr int kSpriteMaxSequences = 16;

// Attribute bits of a sprite. The animation modes are tried in the order SingleFrame,
// MultiFrame, MultiAnim: the first one set decides.
enum SpriteAttr : int {
    SingleFrame = 0x001,  // always shows frame 0
    MultiFrame = 0x002,   // steps through frames 0..frameCount-1
    MultiAnim = 0x004,    // follows sequences[currentAnimation]
    AnimOneShot = 0x008,  // with MultiAnim: stop on the sequence's last frame
    Visible = 0x010,      // DrawSprite draws only when set
    Bounce = 0x020,       // MoveSprite reverses velocity at the clip edges
    Wrap = 0x040,         // MoveSprite wraps around the clip edges; beats Bounce
    Loaded = 0x080,       // some frame has been filled from a picture
    Clone = 0x100,        // shares surfaces and sequences with another sprite
};

// A movable picture. The game keeps these in static zeroed storage; the record owns its frame
// surfaces and sequences unless it is a clone.
struct Sprite {
    int state;       // free for the caller; CreateSprite sets 1
    int animState;   // 1 once a one-shot sequence has reached its end
    int attributes;  // SpriteAttr bits
    float x;
    float y;
    float velocityX;
    float velocityY;
    int width;
    int height;
    int widthPad;      // extra columns of every frame surface; CreateSprite leaves it alone
    int bitsPerPixel;  // recorded only
    int counters[4];   // free for the caller; CreateSprite zeroes them
    int scratch[32];   // free for the caller; never touched here
    int currentFrame;
    int frameCount;
    int currentAnimation;
    int animTicks;                                  // AnimateSprite calls since the last step
    int animStep;                                   // position within the running sequence
    int animSpeed;                                  // AnimateSprite calls per step
    int* sequences[kSpriteMaxSequences];            // frame indices ended by -1, or null
    LPDIRECTDRAWSURFACE7 frames[kSpriteMaxFrames];  // null where no frame was made
};

// Level loaders at start-up: set up the record and make its frame surfaces (at most 64).
int CreateSprite(Sprite* sprite, int x, int y, int width, int height, int frameCount, int attributes, int memoryFlags,
                 int colourKey, int bitsPerPixel);
// ShutdownGame, once per sprite: release the surfaces and sequences (a clone only forgets them).
int DestroySprite(Sprite* sprite);
// The levels' frame functions: blit the current frame, colour-keyed, at the sprite's position.
int DrawSprite(Sprite* sprite, LPDIRECTDRAWSURFACE7 destination);
// Level loaders, once the frame is loaded: true when no pixel of the frame holds its
// surface's colour key, so that DrawSprite paints every pixel of the sprite's rectangle
// with it. Looks through a lock of the frame surface: an answer to keep, not to ask for
// every frame.
bool SpriteFrameOpaque(const Sprite* sprite, int frame);
// True when DrawSprite(sprite, backSurface), called now, would blit the current frame
// unscaled onto every pixel of `area` (screen pixels, right and bottom exclusive): the
// sprite is visible, has that frame, and its rectangle and the screen both hold the area.
// With a frame SpriteFrameOpaque found opaque, whatever is drawn there before it never shows.
bool SpriteSpans(const Sprite* sprite, const RECT& area);
// Level loaders: copy one 16-bit frame (a cell when mode is 0, else a pixel origin) from a picture.
int LoadSpriteFrame(Sprite* sprite, BitmapFile* bitmapFile, int frame, int cx, int cy, int mode);
// The levels' frame functions: advance the animation by one call.
int AnimateSprite(Sprite* sprite);
// Level 1's frame function: add the velocity, then wrap or bounce against ClipRect.
int MoveSprite(Sprite* sprite);
// Level loaders: store a copy of count frame indices, ended by -1, as sequence index.
int LoadSpriteAnimation(Sprite* sprite, int index, int count, const int* frameIndices);
// Level loaders at start-up: place the sprite.
int SetSpritePosition(Sprite* sprite, int x, int y);
// Level loaders: how many AnimateSprite calls make one step.
int SetSpriteAnimSpeed(Sprite* sprite, int speed);
// Level loaders, and the levels' frame functions when the hero turns: run a sequence from its start.
int SetSpriteAnimation(Sprite* sprite, int index);
// Not called by the game (Level 1 writes velocityX/Y itself): set the velocity MoveSprite adds.
int SetSpriteVelocity(Sprite* sprite, int vx, int vy);

// Not called by the game: make destination a copy sharing source's surfaces and sequences.
int CloneSprite(Sprite* source, Sprite* destination);
// Not called by the game: draw the current frame stretched to destWidth x destHeight.
int DrawSpriteScaled(Sprite* sprite, int destWidth, int destHeight, LPDIRECTDRAWSURFACE7 destination);
// Not called by the game: copy one frame from an 8-bit picture, one byte per pixel.
int LoadSpriteFrame8(Sprite* sprite, BitmapFile* bitmapFile, int frame, int cx, int cy, int mode);
// Not called by the game: stop drawing the sprite.
int HideSprite(Sprite* sprite);
// Not called by the game: draw the sprite again.
int ShowSprite(Sprite* sprite);
// Not called by the game: 1 when the two sprites' reduced boxes overlap.
int SpritesCollide(Sprite* a, Sprite* b);
// Not called by the game: 1 when the two rectangles' reduced boxes overlap.
int RectsCollide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
