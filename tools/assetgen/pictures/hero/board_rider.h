// The hero, a kid on a board: single frames and the street level's sprite sheet.
#pragma once

#include "kit/canvas.h"

enum class HeroView { Toward, Away, Right, Left };

constexpr int kHeroCellW = 34;
constexpr int kHeroCellH = 68;

// One 34 x 68 frame on a key background. Frames 0..2 are the riding cycle (0 is also the
// standing picture), frame 3 is the jump.
Canvas HeroFrame(HeroView view, int frame);

// The sheet read by the street level: 4 rows (toward, away, right, left) of 4 frames, in
// cells of 34 x 68 behind 1-pixel grid lines.
Canvas MakeHeroSheet();
