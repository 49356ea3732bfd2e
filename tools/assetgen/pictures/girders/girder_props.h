// Site clutter for the girder level: tools, sacks, cones and lamps that stand on the floors and only decorate.
#pragma once

#include "kit/canvas.h"

// Draws every prop at its place on the floors; none of them sits on a ladder or a gap.
void DrawSiteClutter(Canvas& c);
