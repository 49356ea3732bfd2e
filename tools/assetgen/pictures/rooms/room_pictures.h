// Level 3's two rooms of the house: the pictures the player sees and the masks the hero walks on.
#pragma once

#include "kit/canvas.h"

// Room 0 is the bedroom upstairs on the screen, room 1 the kitchen and living room below it.
// A doorway joins them: columns kRoomDoorX0 .. kRoomDoorX1 - 1 of room 0's bottom wall and of
// room 1's top wall.
constexpr int kRoomDoorX0 = 280;
constexpr int kRoomDoorX1 = 360;

// 640 x 480 pictures of the rooms.
Canvas MakeRoomPicture(int room);
// 640 x 480 masks built from the same layouts: black where the hero's feet may not go
// (walls and furniture), white where they may.
Canvas MakeRoomMask(int room);
