// Furniture and wall fittings of the two rooms, drawn in three-quarter view from above.
#pragma once

#include "pictures/rooms/room_kit.h"

// Every piece is drawn from the floor area it stands on (foot) and how far its drawing rises
// above that area's top edge (rise); style picks a colour or shape variant. The drawing may
// spread a little beyond the foot sideways (leaves) but never below it.
using PieceDrawer = void (*)(Canvas& room, Box foot, int rise, int style);

// Bedroom and study (room_furniture.cpp).
void DrawBed(Canvas& room, Box foot, int rise, int style);
void DrawNightstand(Canvas& room, Box foot, int rise, int style);
void DrawBookshelf(Canvas& room, Box foot, int rise, int style);
void DrawDesk(Canvas& room, Box foot, int rise, int style);
void DrawDeskChair(Canvas& room, Box foot, int rise, int style);
void DrawWardrobe(Canvas& room, Box foot, int rise, int style);
void DrawToyChest(Canvas& room, Box foot, int rise, int style);
void DrawBeanbag(Canvas& room, Box foot, int rise, int style);
void DrawPlant(Canvas& room, Box foot, int rise, int style);
void DrawBoard(Canvas& room, Box foot, int rise, int style);
void DrawRug(Canvas& room, Box foot, int rise, int style);  // 0 woven, 1 oval rag, 2 kitchen mat, 3 doormat
void DrawBookPile(Canvas& room, Box foot, int rise, int style);

// Smaller things for both rooms (room_extras.cpp).
void DrawLowShelf(Canvas& room, Box foot, int rise, int style);  // style 0 fishbowl, 1 books and a toy car
void DrawGuitar(Canvas& room, Box foot, int rise, int style);
void DrawToyBlocks(Canvas& room, Box foot, int rise, int style);

// Kitchen and living room (kitchen_furniture.cpp).
void DrawFridge(Canvas& room, Box foot, int rise, int style);
void DrawCounter(Canvas& room, Box foot, int rise, int style);
void DrawDiningTable(Canvas& room, Box foot, int rise, int style);
void DrawChair(Canvas& room, Box foot, int rise, int style);  // style 0 faces down, 1 faces up
void DrawSofa(Canvas& room, Box foot, int rise, int style);
void DrawCoffeeTable(Canvas& room, Box foot, int rise, int style);
void DrawArmchair(Canvas& room, Box foot, int rise, int style);  // style 1 with the cat asleep on it
void DrawSideboard(Canvas& room, Box foot, int rise, int style);
void DrawFloorLamp(Canvas& room, Box foot, int rise, int style);
void DrawDogBed(Canvas& room, Box foot, int rise, int style);

// Things hung on a wall's face; the box is where they hang.
using FittingDrawer = void (*)(Canvas& room, Box at, int style);
void DrawWindow(Canvas& room, Box at, int style);  // style 0 with curtains, 1 kitchen window
void DrawPoster(Canvas& room, Box at, int style);
void DrawClock(Canvas& room, Box at, int style);
void DrawPinboard(Canvas& room, Box at, int style);
void DrawWallCupboards(Canvas& room, Box at, int style);
void DrawPicture(Canvas& room, Box at, int style);
void DrawSplashback(Canvas& room, Box at, int style);
void DrawShelfOfJars(Canvas& room, Box at, int style);
