// Landscape pieces shared by the street tile and the title scene: clouds, hills, skylines, trees.
#pragma once

#include "kit/canvas.h"
#include "kit/rng.h"

// A puffy cloud about w pixels wide whose flat underside lies on baseY.
void Cloud(Canvas& c, int x, int baseY, int w, Rgb light, Rgb shade, Rgb deep);

// A band of hills: the top edge follows a sum of waves that repeat every `period` pixels
// (use the picture width for a seamless tile), filled down to bottomY.
void Hills(Canvas& c, int baseY, int bottomY, float height, int period, int phase, Rgb fill, Rgb rim);

// Distant buildings in one flat colour with rows of small lit or dim windows.
void Skyline(Canvas& c, int x0, int x1, int baseY, int minH, int maxH, Rgb body, Rgb window, Rgb rim, Rng& rng);

// A row of round tree crowns along baseY, each about r pixels in radius.
void TreeLine(Canvas& c, int x0, int x1, int baseY, int r, Rgb leaf, Rgb light, Rgb dark, Rng& rng);

// One tree with a trunk, standing on baseY.
void Tree(Canvas& c, int cx, int baseY, int r, Rgb leaf, Rgb light, Rgb dark);

// A little 'v' of a bird, wings up or down.
void Bird(Canvas& c, int x, int y, Rgb colour, bool wingsUp);
