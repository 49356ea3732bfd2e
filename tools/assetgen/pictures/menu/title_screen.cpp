// The title screen: the game's name over an evening street that hints at all three levels.
#include "pictures/menu/title_screen.h"

#include "kit/rng.h"
#include "kit/text.h"
#include "pictures/hero/board_rider.h"
#include "pictures/scenery/building_parts.h"
#include "pictures/scenery/landscape.h"
#include "pictures/scenery/props.h"
#include "pictures/street/houses.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;
// The street, lower on this screen than in the level so the title has room.
constexpr int kPavementTop = 344;
constexpr int kKerbTop = 374;
constexpr int kRoadTop = 381;

// The menu panel. The game's entries land at x 450, y 175..341, so this stays one flat tone.
constexpr int kPanelX = 422, kPanelY = 152, kPanelW = 150, kPanelH = 218;
const Rgb kPanelFace{100, 122, 150};

void Sun(Canvas& c, int cx, int cy, int r) {
    // A low evening sun cut by thin bands of sky, in the style of old arcade posters.
    const Rgb sunTop{255, 226, 140}, sunLow{248, 150, 96};
    for (int j = cy - r; j <= cy + r; ++j) {
        int band = j - cy;
        if (band > 0 && (band % 8) < (band / 8 + 1)) continue;
        float t = static_cast<float>(j - (cy - r)) / (2 * r);
        Rgb col = t < 0.45f ? sunTop : (t < 0.5f && ((j ^ 0) & 1) ? sunTop : sunLow);
        for (int i = cx - r; i <= cx + r; ++i) {
            float dx = i + 0.5f - cx, dy = j + 0.5f - cy;
            if (dx * dx + dy * dy <= r * r) c.Set(i, j, col);
        }
    }
}

void Street(Canvas& c) {
    c.FillRect(0, kPavementTop, kW, kKerbTop - kPavementTop, Mix(pal::kStone, pal::kDusk2, 0.35f));
    const Rgb joint = Mix(pal::kStoneDark, pal::kDusk2, 0.4f);
    c.HLine(0, kW - 1, kPavementTop, joint);
    c.HLine(0, kW - 1, kPavementTop + 14, joint);
    for (int x = 0; x < kW; x += 40) {
        c.VLine(x, kPavementTop, kPavementTop + 13, joint);
        c.VLine(x + 20, kPavementTop + 14, kKerbTop - 1, joint);
    }
    c.FillRect(0, kKerbTop, kW, 3, Mix(pal::kStoneLight, pal::kDusk3, 0.25f));
    c.FillRect(0, kKerbTop + 3, kW, kRoadTop - kKerbTop - 3, Mix(pal::kStoneDark, pal::kDusk2, 0.35f));
    const Rgb road{52, 52, 74};
    c.FillRect(0, kRoadTop, kW, kH - kRoadTop, road);
    c.HLine(0, kW - 1, kRoadTop, pal::kInk);
    c.FillRect(0, kRoadTop + 7, kW, 2, Mix(pal::kLaneYellow, road, 0.25f));
    for (int x = 10; x < kW; x += 80) c.FillRect(x, 436, 40, 4, Mix(pal::kLaneWhite, road, 0.2f));
}

void Panel(Canvas& c) {
    // A soft shadow to the lower right, dithered over whatever lies behind.
    for (int j = kPanelY + 6; j < kPanelY + kPanelH + 6; ++j)
        for (int i = kPanelX + 6; i < kPanelX + kPanelW + 6; ++i)
            if (((i + j) & 1) == 0) c.Set(i, j, Mix(c.Get(i, j), pal::kInk, 0.7f));
    c.FillRoundRect(kPanelX, kPanelY, kPanelW, kPanelH, 4, pal::kInk);
    c.FillRoundRect(kPanelX + 1, kPanelY + 1, kPanelW - 2, kPanelH - 2, 3, pal::kCream);
    c.FillRoundRect(kPanelX + 3, kPanelY + 3, kPanelW - 6, kPanelH - 6, 2, Mix(kPanelFace, pal::kInk, 0.45f));
    c.FillRect(kPanelX + 4, kPanelY + 4, kPanelW - 8, kPanelH - 8, kPanelFace);
    // A bevel: light along the top and left, shade along the bottom and right.
    const Rgb lit = Mix(kPanelFace, pal::kWhite, 0.22f), shade = Mix(kPanelFace, pal::kInk, 0.25f);
    c.HLine(kPanelX + 4, kPanelX + kPanelW - 5, kPanelY + 4, lit);
    c.VLine(kPanelX + 4, kPanelY + 4, kPanelY + kPanelH - 5, lit);
    c.HLine(kPanelX + 4, kPanelX + kPanelW - 5, kPanelY + kPanelH - 5, shade);
    c.VLine(kPanelX + kPanelW - 5, kPanelY + 4, kPanelY + kPanelH - 5, shade);
    // Four rivets in the corners, well away from the entries.
    for (int k = 0; k < 4; ++k) {
        int x = k % 2 ? kPanelX + kPanelW - 10 : kPanelX + 8;
        int y = k / 2 ? kPanelY + kPanelH - 10 : kPanelY + 8;
        c.FillRect(x, y, 2, 2, lit);
        c.Set(x + 1, y + 1, shade);
    }
}

}  // namespace

void EveningSky(Canvas& c, int height, unsigned seed) {
    c.VGradient(0, 0, c.Width(), height,
                {pal::kDuskTop, pal::kDuskTop, pal::kDusk1, pal::kDusk2, pal::kDusk3, pal::kDusk4, pal::kDusk5});
    Rng rng(seed);
    for (int k = 0; k < 90; ++k) {
        int x = rng.Range(0, c.Width() - 1), y = rng.Range(0, height / 2);
        if (x < 100 && y < 36) continue;  // the level line is written there
        Rgb star = rng.Chance(30) ? Rgb{255, 236, 180} : Rgb{220, 226, 255};
        if (rng.Chance(12)) {
            c.Set(x - 1, y, Mix(star, c.Get(x - 1, y), 0.5f));
            c.Set(x + 1, y, Mix(star, c.Get(x + 1, y), 0.5f));
            c.Set(x, y - 1, Mix(star, c.Get(x, y - 1), 0.5f));
            c.Set(x, y + 1, Mix(star, c.Get(x, y + 1), 0.5f));
        } else if (y > height / 4) {
            star = Mix(star, c.Get(x, y), 0.4f);
        }
        c.Set(x, y, star);
    }
}

void DrawGameTitle(Canvas& c, int cx, int y, int scale) {
    TitleStyle style;
    style.scale = scale;
    style.outlinePx = scale / 2 + 1;
    style.shadowDx = style.shadowDy = scale - 1;
    style.shadow = {14, 12, 34};
    const std::string name = "Trundlebop";
    DrawTitle(c, cx - TextWidth(name, scale) / 2, y, name, style);
}

Canvas MakeMenuScreen() {
    Canvas c(kW, kH, pal::kDuskTop);
    EveningSky(c, kPavementTop, 77);
    Sun(c, 296, 250, 44);
    // The town far off, dark against the sunset, with its windows coming on.
    Rng rng(4242);
    Hills(c, 300, kPavementTop, 30, kW, 200, Mix(pal::kDusk2, pal::kDusk3, 0.4f), Mix(pal::kDusk3, pal::kDusk4, 0.5f));
    Skyline(c, 0, kW, 312, 30, 90, Mix(pal::kDusk1, pal::kDusk2, 0.5f), pal::kLitWindow,
            Mix(pal::kDusk2, pal::kDusk3, 0.5f), rng);
    TreeLine(c, 0, kW, 330, 10, Mix(pal::kLeafDark, pal::kDusk1, 0.5f), Mix(pal::kLeaf, pal::kDusk2, 0.5f),
             Mix(pal::kLeafDark, pal::kInk, 0.5f), rng);
    c.FillRect(0, 330, kW, kPavementTop - 330, Mix(pal::kLeafDark, pal::kInk, 0.45f));

    // The climbing world: a building site of girders and ladders.
    Canvas site(kW, kH);
    GirderScaffold(site, 18, 142, 176, kPavementTop);
    EveningTint(site, 0, 0, kW, kH, 0.28f);
    c.BlitAll(site, 0, 0);

    // A house of the street.
    Canvas house = HouseFront(0);
    EveningTint(house, 0, 0, house.Width(), house.Height(), 0.32f);
    c.BlitAll(house, 150, kPavementTop - kHouseCellH + 2);

    // The map board with the two rooms seen from above.
    Canvas board(kW, kH);
    RoomPlanBoard(board, 322, 232, 90, 92, kPavementTop + 8);
    EveningTint(board, 0, 0, kW, kH, 0.15f);
    c.BlitAll(board, 0, 0);

    Street(c);
    StreetLamp(c, 612, 196, kPavementTop + 10, true);

    // The hero leaps a cone in the road, shadow underneath.
    const int heroX = 212, heroY = 300;
    for (int i = heroX + 10; i < heroX + 58; ++i)
        for (int j = 458; j < 464; ++j) {
            float dx = (i - (heroX + 34)) / 24.0f, dy = (j - 460.5f) / 3.0f;
            if (dx * dx + dy * dy <= 1.0f) c.Set(i, j, Mix(c.Get(i, j), pal::kInk, 0.6f));
        }
    Cone(c, heroX + 40, 462);
    c.BlitAll(HeroFrame(HeroView::Right, 3), heroX, heroY, true, 2);
    // Speed lines behind the rider.
    const Rgb streak = Mix(pal::kWhite, pal::kDusk2, 0.3f);
    c.HLine(heroX - 40, heroX - 8, heroY + 70, streak);
    c.HLine(heroX - 28, heroX - 4, heroY + 82, streak);
    c.HLine(heroX - 46, heroX - 14, heroY + 94, streak);

    Panel(c);
    DrawGameTitle(c, 320, 14, 6);
    const std::string tag = "ride  -  climb  -  wander";
    DrawTextShadow(c, 320 - TextWidth(tag) / 2, 120, tag, pal::kDusk5, pal::kInk);
    return c;
}
