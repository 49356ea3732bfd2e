// Lettering with the game's bitmap font: plain lines, scaled titles with outline and shadow.
#pragma once

#include <string>

#include "kit/canvas.h"

// Width in pixels of a line of text at the given scale.
int TextWidth(const std::string& text, int scale = 1);

// Plain text, top of the 16-row glyph cell at y.
void DrawText(Canvas& canvas, int x, int y, const std::string& text, Rgb colour, int scale = 1);
// Text with a one-pixel (times scale) drop shadow to the lower right.
void DrawTextShadow(Canvas& canvas, int x, int y, const std::string& text, Rgb colour, Rgb shadow, int scale = 1);
// Centred on cx.
void DrawTextCentred(Canvas& canvas, int cx, int y, const std::string& text, Rgb colour, int scale = 1);

struct TitleStyle {
    int scale = 4;
    Rgb top{255, 236, 140};        // fill at the top of the capitals
    Rgb bottom{240, 140, 50};      // fill at the baseline
    Rgb highlight{255, 252, 224};  // top edge of every stroke
    Rgb outline = {28, 24, 38};
    int outlinePx = 2;
    Rgb shadow{20, 16, 30};
    int shadowDx = 4, shadowDy = 4;
};

// Big lettering: gradient fill, lit top edges, a thick outline and a hard drop shadow.
void DrawTitle(Canvas& canvas, int x, int y, const std::string& text, const TitleStyle& style);
// Total size of what DrawTitle covers, outline and shadow included, measured from (x, y).
int TitleWidth(const std::string& text, const TitleStyle& style);
