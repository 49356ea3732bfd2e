// The display device and the frame buffer: the device, the primary and back surfaces,
// the screen geometry every drawing clips against, fills, locks, flips and clippers.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

// Inclusive bounds of the visible area, for software drawing and sprite edges.
struct ClipRectangle {
    int minX;
    int minY;
    int maxX;
    int maxY;
};

using PackRgb16Function = WORD (*)(int red, int green, int blue);

extern LPDIRECTDRAW7 directDraw;
extern LPDIRECTDRAWSURFACE7 primarySurface;
extern LPDIRECTDRAWSURFACE7 backSurface;
extern LPDIRECTDRAWPALETTE displayPalette;
extern LPDIRECTDRAWCLIPPER backClipper;
extern LPDIRECTDRAWCLIPPER windowClipper;
extern int screenWidth;
extern int screenHeight;
extern int screenBpp;
extern int windowedMode;
extern int pixelFormat;  // RGB bit count the primary reports: 15 for 5.5.5, 16 for 5.6.5
extern PackRgb16Function PackRgb16;
extern ClipRectangle ClipRect;
extern WORD* backBuffer;  // non-null exactly while the back surface is locked
extern int backPitch;     // bytes per row of that lock; 0 when unlocked
extern PALETTEENTRY paletteEntries[256];

// Both packings, chosen by InitDisplay for PackRgb16.
WORD PackRgb565(int red, int green, int blue);
WORD PackRgb555(int red, int green, int blue);

// Called once by SetUpDisplay: sets up the device, surfaces and clipper. 1 ready, 0 failed.
int InitDisplay(int width, int height, int bpp, int windowed);
// Called once by ShutdownGame, last: releases everything InitDisplay made.
int ShutdownDisplay();
// Called by RunFrame at the end of every frame: presents the back surface.
int FlipDisplay();
// Colour fill of a rectangle (null: the whole surface) with the low 16 bits of colour.
int FillSurface(LPDIRECTDRAWSURFACE7 surface, std::uint32_t colour, RECT* rect);
// Colour fill of (left, top, right, bottom), right and bottom exclusive, colour as given.
int FillRectangle(int left, int top, int right, int bottom, std::uint32_t colour, LPDIRECTDRAWSURFACE7 surface);
// Locks the back surface for pixel writes; returns backBuffer (null on failure).
WORD* LockBackSurface();
// 1 unlocked, 0 when it was not locked.
int UnlockBackSurface();
// An off-screen surface with a source colour key (low 16 bits of colourKey); null on failure.
LPDIRECTDRAWSURFACE7 CreateSurface(int width, int height, DWORD memoryCaps, std::uint32_t colourKey);
// A clipper holding the rectangles, attached to the surface; null on failure.
LPDIRECTDRAWCLIPPER AttachClipper(LPDIRECTDRAWSURFACE7 surface, int count, const RECT* rects);

// Reads the 8-bit palette text file into entries (four numbers per entry; a missing or
// short file leaves the rest as they were). Returns the number of entries read.
int ReadPaletteFile(const char* fileName, PALETTEENTRY* entries);
