// The program's built-in pictures, drawn as letter art and turned into ARGB pixels on first use.
#include "platform/window/resources.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// The art uses one letter per pixel: '.' is transparent, and each other letter is one of the
// sixteen classic colours, so the icons stay within that palette.
//   k black   m maroon  g green  o olive   n navy  p purple   t teal  s silver
//   d grey    R red     L lime   Y yellow  B blue  M fuchsia  A aqua  W white
std::uint32_t ColourOf(char letter) {
    switch (letter) {
        case '.':
            return 0x00000000u;
        case 'k':
            return kOpaque | 0x000000u;
        case 'm':
            return kOpaque | 0x800000u;
        case 'g':
            return kOpaque | 0x008000u;
        case 'o':
            return kOpaque | 0x808000u;
        case 'n':
            return kOpaque | 0x000080u;
        case 'p':
            return kOpaque | 0x800080u;
        case 't':
            return kOpaque | 0x008080u;
        case 's':
            return kOpaque | 0xC0C0C0u;
        case 'd':
            return kOpaque | 0x808080u;
        case 'R':
            return kOpaque | 0xFF0000u;
        case 'L':
            return kOpaque | 0x00FF00u;
        case 'Y':
            return kOpaque | 0xFFFF00u;
        case 'B':
            return kOpaque | 0x0000FFu;
        case 'M':
            return kOpaque | 0xFF00FFu;
        case 'A':
            return kOpaque | 0x00FFFFu;
        case 'W':
            return kOpaque | 0xFFFFFFu;
        default:
            std::abort();  // a typo in the art below
    }
}

// clang-format off
// The hero on his board, small enough for a title bar.
const char* const kHeroIcon16[] = {
    "................",
    "......kkkk......",
    ".....kRRRRkk....",
    ".....kRRRRRRk...",
    "....kYYYYkYk....",
    "....kYYYYYYYk...",
    ".....kYYYYk.....",
    "..kk..kBBk..kk..",
    "..kYkBBBBBBkYk..",
    "...kkkBBBBkkk...",
    ".....knnnnk.....",
    "....knnkknnk....",
    "...kkkk..kkkk...",
    ".kmmmmmmmmmmmmk.",
    "..kkkkkkkkkkkk..",
    "...kk......kk...",
};

// The hero again, with room for his face and the board's wheels.
const char* const kHeroIcon32[] = {
    "................................",
    "................................",
    "............kkkkk...............",
    "..........kkRRRRRkk.............",
    ".........kRRRRRRRRRk............",
    ".........kRRRRRRRRRkkkkk........",
    ".........kkkkkkkkkkkRRRRk.......",
    ".........kYYYYYYYYkkkkkk........",
    ".........kYYYYYYkYYk............",
    ".........kYYYYYYYYYYk...........",
    "..........kYYYYYYYYk............",
    "...........kkYYYYkk.............",
    "......kk.....kYYk...............",
    ".....kYYk..kkBBBBkk....kk.......",
    "......kYYkkBBBBBBBBkk.kYYk......",
    ".......kYYBBBBBBBBBBBkYYk.......",
    "........kkBBBBBBBBBBBkkk........",
    "..........kBBBBBBBBk............",
    "..........kBBBBBBBBk............",
    "..........kBBBBBBBBk............",
    "..........knnnnnnnnk............",
    ".........knnnnnnnnnnk...........",
    "........knnnnk..knnnnk..........",
    ".......knnnnk....knnnnk.........",
    ".......knnnk......knnnk.........",
    "......kkkkkkk....kkkkkkk........",
    "......kkkkkkk....kkkkkkk........",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "..kmmmmmmmmmmmmmmmmmmmmmmmmk....",
    "...kkkkkkkkkkkkkkkkkkkkkkkk.....",
    ".....kssk.............kssk......",
    "......kk...............kk.......",
};

// A pointing hand; the top of the finger, column 22 of row 5, is the hot spot.
const char* const kHandCursor[] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    ".....................kk.........",
    "....................kWWk........",
    "....................kWWk........",
    "....................kWWk........",
    "....................kWWk........",
    "....................kWWkkk......",
    "....................kWWkWWkkk...",
    "....................kWWkWWkWWkk.",
    "................kk..kWWkWWkWWkWk",
    "................kWk.kWWkWWkWWkWk",
    "................kWWkkWWkWWkWWkWk",
    ".................kWWkWWWWWWWWWWk",
    ".................kWWWWWWWWWWWWWk",
    "..................kWWWWWWWWWWWWk",
    "..................kWWWWWWWWWWWWk",
    "...................kWWWWWWWWWWk.",
    "...................kWWWWWWWWWWk.",
    "....................kWWWWWWWWk..",
    "....................kWWWWWWWWk..",
    "....................kkkkkkkkkk..",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
// clang-format on

template <std::size_t Rows>
host::Picture FromArt(const char* const (&rows)[Rows], int hotX, int hotY) {
    host::Picture image;
    image.width = static_cast<int>(std::strlen(rows[0]));
    image.height = static_cast<int>(Rows);
    image.hotX = hotX;
    image.hotY = hotY;
    image.argb.reserve(static_cast<std::size_t>(image.width) * Rows);
    for (const char* row : rows) {
        if (static_cast<int>(std::strlen(row)) != image.width) std::abort();
        for (const char* p = row; *p != '\0'; ++p) image.argb.push_back(ColourOf(*p));
    }
    return image;
}

}  // namespace

const host::Picture* FindIconImage(int resourceId, int size) {
    if (resourceId != kHeroIconResource) return nullptr;
    if (size == 16) {
        static const host::Picture small = FromArt(kHeroIcon16, 8, 8);
        return &small;
    }
    if (size == 32) {
        static const host::Picture large = FromArt(kHeroIcon32, 16, 16);
        return &large;
    }
    return nullptr;
}

const host::Picture* FindCursorImage(int resourceId) {
    if (resourceId != kHandCursorResource) return nullptr;
    static const host::Picture hand = FromArt(kHandCursor, 22, 5);
    return &hand;
}

}  // namespace platform
