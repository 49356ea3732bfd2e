// The pictures built into the program: the window icon in two sizes and the pointing-hand cursor.
#pragma once

#include "hosts/host.h"

namespace platform {

// Resource numbers the game asks for.
constexpr int kHeroIconResource = 7;
constexpr int kHandCursorResource = 108;

// Icon `resourceId` at `size` pixels square (16 or 32); nullptr when there is no such image.
const host::Picture* FindIconImage(int resourceId, int size);

// Cursor `resourceId`, 32x32 black and white with a transparent surround; nullptr if unknown.
const host::Picture* FindCursorImage(int resourceId);

}  // namespace platform
