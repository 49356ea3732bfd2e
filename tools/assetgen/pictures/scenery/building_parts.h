// Building parts shared by the houses and the title scene: textured walls, roofs, windows, doors, plants.
#pragma once

#include "kit/canvas.h"

// Wall textures. Each one only repaints the pixels of colour `base` inside the rectangle,
// so a shape can be filled first and dressed afterwards.
void Bricks(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, Rgb mortar);
void Siding(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, int board = 5);
void Shingles(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb light, Rgb dark, int row = 5, int tile = 8);
// Darkens the pixels of colour base in a band (the shadow under eaves and sills).
void ShadeBand(Canvas& c, int x, int y, int w, int h, Rgb base, Rgb shade);

struct WindowStyle {
    Rgb frame = pal::kWhite;
    bool lit = false;   // warm light behind the glass
    bool cross = true;  // glazing bars
    bool curtains = false;
    Rgb curtain{206, 72, 64};
    bool shutters = false;
    Rgb shutter = pal::kLeaf;
    bool arch = false;  // rounded top
    bool flowerBox = false;
};

// A window whose outer frame covers (x, y, w, h); sill, shutters and flower box stick out.
void Window(Canvas& house, int x, int y, int w, int h, const WindowStyle& style);

struct DoorStyle {
    Rgb colour = pal::kWood;
    Rgb frame = pal::kWhite;
    bool glassTop = true;  // a small window in the upper part
    bool canopy = false;
    Rgb canopyColour = pal::kSlate;
};

// A front door on (x, y, w, h), its step below reaching h + 3.
void Door(Canvas& house, int x, int y, int w, int h, const DoorStyle& style);

// A rounded shrub centred at (cx, baseY - r), sitting on baseY.
void Shrub(Canvas& c, int cx, int baseY, int r, Rgb leaf, Rgb light, Rgb dark);
// A flower pot with a small plant.
void Pot(Canvas& c, int x, int baseY);

// A gable roof (triangle) from left to right at eaveY, peak at (peakX, peakY), with a
// trim board along its edges; drawn as its own outlined part.
void GableRoof(Canvas& house, int left, int right, int eaveY, int peakX, int peakY, Rgb base, Rgb light, Rgb dark,
               Rgb trim);
// A roof whose ridge runs along the front: trapezoid with a flat top.
void HipRoof(Canvas& house, int left, int right, int eaveY, int ridgeLeft, int ridgeRight, int ridgeY, Rgb base,
             Rgb light, Rgb dark, Rgb trim);
void Chimney(Canvas& house, int x, int top, int w, int bottom);
