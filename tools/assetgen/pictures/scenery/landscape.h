// Landscape pieces shared by the street tile and the title scene: clouds, hills, skylines, trees.
#pragma once

#include "kit/canvas.h"
#include "kit/rng.h"

// A puffy cloud about w pixels wide whose flat underside lies on base_y.
void Cloud(Canvas& c, int x, int base_y, int w, Rgb light, Rgb shade, Rgb deep);

// A band of hills: the top edge follows a sum of waves that repeat every `period` pixels
// (use the picture width for a seamless tile), filled down to bottom_y.
void Hills(Canvas& c, int base_y, int bottom_y, float height, int period, int phase, Rgb fill, Rgb rim);

// Distant buildings in one flat colour with rows of small lit or dim windows.
void Skyline(Canvas& c, int x0, int x1, int base_y, int min_h, int max_h, Rgb body, Rgb window, Rgb rim, Rng& rng);

// A row of round tree crowns along base_y, each about r pixels in radius.
void TreeLine(Canvas& c, int x0, int x1, int base_y, int r, Rgb leaf, Rgb light, Rgb dark, Rng& rng);

// One tree with a trunk, standing on base_y.
void Tree(Canvas& c, int cx, int base_y, int r, Rgb leaf, Rgb light, Rgb dark);

// A little 'v' of a bird, wings up or down.
void Bird(Canvas& c, int x, int y, Rgb colour, bool wings_up);
