// The building site of the girder level: its half-built frame behind, and the floors, ladders and walls the hero uses.
#pragma once

#include "kit/canvas.h"

// The frame behind the play: steel columns, bracing and part-built walls, with open bays where
// the sky and the town show through. Nothing in it lines up with a walking line.
void DrawSiteBackdrop(Canvas& c);

// Everything the hero stands on, climbs or bumps into, drawn from the layout, then the clutter
// of a site (cones, sacks, lamps) that only decorates.
void DrawSiteFront(Canvas& c);

// The finished block next door, whose side wall closes the site on the right; it stands on
// the ground line from x to x + w.
void DrawNeighbourBlock(Canvas& c, int x, int w);
