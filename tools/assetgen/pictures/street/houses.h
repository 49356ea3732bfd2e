// The street's houses: seven different fronts in one sheet of 164 x 136 cells.
#pragma once

#include "kit/canvas.h"

constexpr int kHouseCellW = 164;
constexpr int kHouseCellH = 136;
constexpr int kHouseCount = 7;

// House number n (0..6) on a key background of one cell, standing on the cell's bottom row.
Canvas HouseFront(int n);

// Seven cells in a row behind 1-pixel grid lines: 1156 x 138.
Canvas MakeHouseSheet();
