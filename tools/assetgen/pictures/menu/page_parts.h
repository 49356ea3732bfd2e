// Pieces shared by the full-screen pages: backdrop, framed cards, key caps, small icons.
#pragma once

#include <string>

#include "kit/canvas.h"

// Evening sky with a dark town along the bottom; the top-left corner stays dark.
void PageBackdrop(Canvas& c, unsigned seed);

// A rounded card with a cream rim and a dark face, with a dithered shadow.
void Card(Canvas& c, int x, int y, int w, int h, Rgb face);

enum class Arrow { Left, Right, Up, Down };

// Key caps on a text line whose glyph cell top is y; each returns its width in pixels.
int KeyCap(Canvas& c, int x, int y, const std::string& label);
int ArrowCap(Canvas& c, int x, int y, Arrow dir);

// Small 16 x 16 icons for the level headings and the mouse.
void IconBoard(Canvas& c, int x, int y);
void IconLadder(Canvas& c, int x, int y);
void IconRooms(Canvas& c, int x, int y);
void IconMouse(Canvas& c, int x, int y);
