// The start and about pages: a "get ready" picture and the game's name, blurb and version.
#include "pictures/menu/pages.h"

#include <string>
#include <vector>

#include "kit/text.h"
#include "pictures/hero/board_rider.h"
#include "pictures/menu/page_parts.h"
#include "pictures/menu/title_screen.h"
#include "pictures/scenery/landscape.h"
#include "pictures/scenery/props.h"
#include "pictures/street/houses.h"
#include "pictures/street/street_tile.h"

namespace {

// A little framed snapshot of the street: a house, the road and the hero on his board.
void Snapshot(Canvas& c, int x, int y, int w, int h, int house, int heroScale) {
    Canvas pic(w, h, pal::kSkyMid);
    pic.VGradient(0, 0, w, h * 2 / 3, {pal::kSkyTop, pal::kSkyMid, pal::kSkyLow});
    Cloud(pic, w / 8, h / 5, w / 3, pal::kCloud, pal::kCloudShade, pal::kCloudDeep);
    Cloud(pic, w * 5 / 8, h / 3, w / 4, pal::kCloud, pal::kCloudShade, pal::kCloudDeep);
    const int pave = h - 58;
    Hills(pic, pave - 14, pave, 20, w, 40, pal::kHillMid, Mix(pal::kHillMid, pal::kWhite, 0.25f));
    pic.BlitAll(HouseFront(house), (w - kHouseCellW) / 2 + 20, pave - kHouseCellH + 4);
    pic.FillRect(0, pave, w, 14, pal::kStoneLight);
    pic.HLine(0, w - 1, pave, pal::kStone);
    for (int i = 10; i < w; i += 40) pic.VLine(i, pave, pave + 13, pal::kStone);
    pic.FillRect(0, pave + 14, w, 4, pal::kStone);
    pic.FillRect(0, pave + 18, w, h - pave - 18, pal::kAsphalt);
    pic.FillRect(0, pave + 22, w, 2, pal::kLaneYellow);
    for (int i = 6; i < w; i += 48) pic.FillRect(i, h - 16, 24, 3, pal::kLaneWhite);
    const int hs = heroScale;
    pic.BlitAll(HeroFrame(HeroView::Right, 0), w / 2 - 17 * hs - 30, h - 6 - 68 * hs, true, hs);
    // Frame: ink, cream mat, ink.
    c.FillRect(x - 5, y - 5, w + 10, h + 10, pal::kInk);
    c.FillRect(x - 4, y - 4, w + 8, h + 8, pal::kCream);
    c.FillRect(x - 1, y - 1, w + 2, h + 2, pal::kInk);
    c.BlitAll(pic, x, y, false);
    for (int j = y + h + 5; j < y + h + 10; ++j)
        for (int i = x; i < x + w + 10; ++i)
            if (((i + j) & 1) == 0) c.Set(i, j, Mix(c.Get(i, j), pal::kInk, 0.7f));
    for (int j = y; j < y + h + 5; ++j)
        for (int i = x + w + 5; i < x + w + 10; ++i)
            if (((i + j) & 1) == 0) c.Set(i, j, Mix(c.Get(i, j), pal::kInk, 0.7f));
}

}  // namespace

Canvas MakeStartPage() {
    // The street itself, in evening light, with the hero in close-up ready to roll.
    Canvas c = MakeStreetTile();
    EveningTint(c, 0, 0, c.Width(), c.Height(), 0.3f);
    // Deepen the sky toward the top so the corner text stays readable.
    for (int j = 0; j < 120; ++j)
        for (int i = 0; i < c.Width(); ++i) c.Set(i, j, Mix(c.Get(i, j), pal::kDuskTop, 0.55f * (1.0f - j / 120.0f)));
    Canvas row = HouseFront(1);
    EveningTint(row, 0, 0, row.Width(), row.Height(), 0.3f);
    c.BlitAll(row, 40, 140);
    Canvas shop = HouseFront(5);
    EveningTint(shop, 0, 0, shop.Width(), shop.Height(), 0.3f);
    c.BlitAll(shop, 436, 128);
    Cone(c, 560, 450);
    Cone(c, 600, 462);
    c.BlitAll(HeroFrame(HeroView::Right, 0), 320 - 51, 470 - 204, true, 3);

    TitleStyle style;
    style.scale = 5;
    style.outlinePx = 3;
    style.shadowDx = style.shadowDy = 4;
    style.shadow = {14, 12, 34};
    const std::string title = "Get ready!";
    DrawTitle(c, 320 - TextWidth(title, 5) / 2, 18, title, style);
    const std::string sub = "the street is waiting";
    DrawTextShadow(c, 320 - TextWidth(sub) / 2, 112, sub, pal::kCream, pal::kInk);
    return c;
}

Canvas MakeAboutPage() {
    Canvas c(640, 480, pal::kDuskTop);
    PageBackdrop(c, 33);
    DrawGameTitle(c, 320, 10, 5);
    const std::string tag = "a little game about a kid and a board";
    DrawTextShadow(c, 320 - TextWidth(tag) / 2, 100, tag, pal::kDusk5, pal::kInk);

    Snapshot(c, 40, 142, 220, 200, 4, 2);

    const Rgb face{34, 38, 74};
    Card(c, 290, 132, 320, 226, face);
    const std::vector<std::string> blurb = {
        "Ride your board down a long",
        "street of little houses, climb",
        "the ladders of a world of",
        "platforms, then wander through",
        "two quiet rooms.",
        "",
        "No timers and no scores:",
        "take your time, jump for fun",
        "and just play.",
    };
    int y = 146;
    for (const std::string& line : blurb) {
        DrawTextShadow(c, 306, y, line, pal::kCream, pal::kInk);
        y += 20;
    }
    const std::string version = "Version 1.0";
    DrawTextShadow(c, 306, 330, version, pal::kLaneYellow, pal::kInk);

    const std::string thanks = "Thanks for playing!";
    TitleStyle small;
    small.scale = 2;
    small.outlinePx = 1;
    small.shadowDx = small.shadowDy = 2;
    small.shadow = {14, 12, 34};
    DrawTitle(c, 320 - TextWidth(thanks, 2) / 2, 368, thanks, small);
    const std::string foot = "Esc takes you back to the menu";
    DrawTextShadow(c, 320 - TextWidth(foot) / 2, 446, foot, Rgb{168, 176, 210}, pal::kInk);
    return c;
}
