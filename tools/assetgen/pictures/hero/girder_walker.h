// The hero on foot for the girder level: facing us, climbing and walking both ways, five frames a sheet.
#pragma once

#include "kit/canvas.h"

constexpr int kWalkerW = 25;
constexpr int kWalkerH = 64;

// Toward: facing the viewer; 0 standing still (the level shows it until the first step),
// 1..4 walking toward us. Climb: seen from behind on a ladder, 0..4 one reach cycle (2 in
// the middle, 0 and 4 the two opposite reaches). Right / Left: 0 and 2 the two opposite
// strides, 1 the passing step, 3 standing, 4 a jump.
enum class WalkerView { Toward, Climb, Right, Left };

// One 25 x 64 frame on a key background, feet on the bottom row.
Canvas WalkerFrame(WalkerView view, int frame);

// One row of five cells of 25 x 64 behind 1-pixel grid lines, 132 x 66 so every 24-bit row
// is a multiple of four bytes.
Canvas MakeWalkerSheet(WalkerView view);
