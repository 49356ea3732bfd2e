// The volume note drawn with a small built-in font of capitals, digits and a few signs.
#include "hosts/common/note_picture.h"

namespace host {
namespace {

// Each glyph: five columns by seven rows, '#' lit, top row first.
struct Glyph {
    char letter;
    const char* rows[7];
};

constexpr Glyph kGlyphs[] = {
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "}},
    {'D', {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'G', {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"}},
    {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'J', {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "}},
    {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
    {'L', {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"}},
    {'M', {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"}},
    {'N', {"#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"}},
    {'O', {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
    {'R', {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'U', {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "}},
    {'V', {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "}},
    {'W', {"#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "}},
    {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
    {'Y', {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'Z', {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"}},
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
    {'%', {"##   ", "##  #", "   # ", "  #  ", " #   ", "#  ##", "   ##"}},
    {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
};

constexpr int kDot = 2;             // a font pixel is this many picture pixels
constexpr int kAdvance = 6 * kDot;  // glyph plus a column of space
constexpr int kTextHeight = 7 * kDot;
constexpr int kMargin = 8;
constexpr int kSteps = 10;
constexpr int kStepWidth = 10;
constexpr int kStepGap = 2;
constexpr int kBarHeight = 8;
constexpr std::uint32_t kBox = 0xFF101018u;
constexpr std::uint32_t kInk = 0xFFFFFFFFu;
constexpr std::uint32_t kUnlit = 0xFF505060u;

const Glyph* Find(char letter) {
    for (const Glyph& glyph : kGlyphs)
        if (glyph.letter == letter) return &glyph;
    return nullptr;  // a space, or a sign we do not draw
}

void Fill(Picture& picture, int x, int y, int width, int height, std::uint32_t colour) {
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            picture.argb[static_cast<std::size_t>(row) * picture.width + column] = colour;
}

}  // namespace

Picture DrawVolumeNote(const VolumeNote& note) {
    const int textWidth = static_cast<int>(note.text.size()) * kAdvance - kDot;
    const int barWidth = note.level >= 0 ? kSteps * (kStepWidth + kStepGap) - kStepGap : 0;
    Picture picture;
    picture.width = 2 * kMargin + (textWidth > barWidth ? textWidth : barWidth);
    picture.height = 2 * kMargin + kTextHeight + (note.level >= 0 ? kMargin + kBarHeight : 0);
    picture.hotX = picture.hotY = 0;
    picture.argb.assign(static_cast<std::size_t>(picture.width) * picture.height, kBox);
    int x = kMargin;
    for (char letter : note.text) {
        if (const Glyph* glyph = Find(letter)) {
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (glyph->rows[row][column] == '#')
                        Fill(picture, x + column * kDot, kMargin + row * kDot, kDot, kDot, kInk);
        }
        x += kAdvance;
    }
    if (note.level >= 0) {
        const int top = kMargin + kTextHeight + kMargin;
        for (int step = 0; step < kSteps; ++step)
            Fill(picture, kMargin + step * (kStepWidth + kStepGap), top, kStepWidth, kBarHeight,
                 step < note.level ? kInk : kUnlit);
    }
    return picture;
}

}  // namespace host
