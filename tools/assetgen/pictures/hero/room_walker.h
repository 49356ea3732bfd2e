// The hero walking through the house, seen from above at a slant: frames in four directions and their sheets.
#pragma once

#include "kit/canvas.h"

constexpr int kRoomWalkerW = 25;
constexpr int kRoomWalkerH = 64;

enum class RoomWalk { Down, Up, Right, Left };

// One 25 x 64 frame on a key background. Down and up: pose 2 stands, 1 and 0 are the first
// stride (half, full), 3 and 4 the other. Right and left: pose 1 is the passing step, 0 and 2
// the two strides, 3 the other passing step, 4 feet together.
Canvas RoomWalkerFrame(RoomWalk view, int pose);

// The sheet for one direction (0 down, 1 up, 2 right, 3 left): five frames in a row, each
// cell at (26 i + 1, 1) behind 1-pixel grid lines; 132 x 66, so every row is whole words.
Canvas MakeRoomWalkerSheet(int direction);
