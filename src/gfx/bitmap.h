// Bitmap files and images: .bmp files read into memory top row first (24-bit pictures
// converted to the display's 16-bit packing), and rectangular 16-bit images cut from them
// and drawn into the locked back surface.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

struct BitmapFileHeader {
    std::uint16_t bfType;
    std::uint32_t bfSize;
    std::uint16_t bfReserved1;
    std::uint16_t bfReserved2;
    std::uint32_t bfOffBits;
};

struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};

// One .bmp file in memory.
struct BitmapFile {
    BitmapFileHeader fileHeader;
    BitmapInfoHeader infoHeader;
    PALETTEENTRY palette[256];  // red, green, blue, flags; 8-bit files only
    std::uint8_t* pixels;       // owned; top row first; null when nothing is loaded
};

// BitmapImage attribute: pixels have been copied in, so the image may be drawn.
constexpr int imageLoaded = 0x80;

// A rectangular image in ordinary memory.
struct BitmapImage {
    int state;
    int attributes;
    int x;
    int y;
    int width;
    int height;
    int byteCount;
    int bpp;
    std::uint8_t* buffer;  // owned; byteCount bytes, top row first, rows without gaps
};

// The one record every loader fills, copies from and unloads.
extern BitmapFile sharedBitmapFile;

// Largest picture side the loader accepts; the game's widest picture is 2560.
constexpr int kLargestBitmapSide = 16384;
// Most pixels a picture may have: the game never draws more than its 2560 x 480 world (the
// largest surface it makes) out of one picture, and this is over three times that, so a
// picture of ours always fits while a file claiming more costs no more than a moment.
constexpr long long kLargestBitmapPixels = 4ll << 20;

int LoadBitmapFile(BitmapFile* bitmapFile, const char* fileName);
int UnloadBitmapFile(BitmapFile* bitmapFile);
int FlipBitmapRows(std::uint8_t* buffer, int rowBytes, int rowCount);
int CreateBitmapImage(BitmapImage* image, int x, int y, int width, int height, int bpp);
int DestroyBitmapImage(BitmapImage* image);
// mode 0: (cx, cy) is a cell of the image's size in a grid with 1-pixel borders;
// otherwise the pixel origin.
int LoadImageFromBitmap(BitmapImage* image, BitmapFile* bitmapFile, int cx, int cy, int mode);
int DrawBitmapImage(BitmapImage* image, WORD* destBuffer, int destPitch, int transparent);
// Draws only those pixels of the image that land inside `part` (destination pixels, right
// and bottom exclusive): there they are exactly what DrawBitmapImage draws, elsewhere the
// destination is left alone. Returns what DrawBitmapImage would.
int DrawBitmapImagePart(BitmapImage* image, WORD* destBuffer, int destPitch, int transparent, const RECT& part);

// True when the width x height region at (x0, y0) lies inside the loaded 16-bit picture.
bool BitmapHoldsRegion(const BitmapFile* bitmapFile, long long x0, long long y0, long long width, long long height);
