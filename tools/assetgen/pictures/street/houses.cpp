// The street's houses: seven fronts, each built from outlined parts back to front.
#include "pictures/street/houses.h"

#include <string>
#include <vector>

#include "kit/text.h"
#include "pictures/scenery/building_parts.h"

namespace {

constexpr int kGround = 133;  // the last row of wall; the outline takes the row below

Canvas Cell() {
    return Canvas(kHouseCellW, kHouseCellH);
}

// A plain wall block with a stone plinth; texture is applied by the caller.
void Wall(Canvas& house, int x, int y, int w, int h, Rgb colour) {
    Canvas wall = Cell();
    wall.FillRect(x, y, w, h, colour);
    wall.FillRect(x, kGround - 3, w, 4, pal::kStone);
    wall.HLine(x, x + w - 1, kGround - 3, pal::kStoneLight);
    StampOutlined(house, wall, pal::kInk);
}

// 0: red brick, two storeys, slate gable roof, green door.
Canvas BrickHouse() {
    Canvas h = Cell();
    Chimney(h, 112, 12, 12, 40);
    Wall(h, 20, 50, 124, kGround - 49, pal::kBrick);
    Bricks(h, 20, 50, 124, kGround - 52, pal::kBrick, pal::kBrickLight, pal::kBrickDark, {150, 120, 110});
    ShadeBand(h, 20, 51, 124, 3, pal::kBrick, pal::kBrickDark);
    GableRoof(h, 12, 151, 50, 81, 10, pal::kSlate, pal::kSlateLight, pal::kSlateDark, pal::kWhite);
    WindowStyle round;
    round.arch = true;
    round.cross = false;
    Window(h, 75, 24, 13, 16, round);
    WindowStyle up;
    up.curtains = true;
    Window(h, 34, 60, 24, 24, up);
    Window(h, 106, 60, 24, 24, up);
    WindowStyle down;
    down.lit = true;
    Window(h, 30, 96, 28, 24, down);
    Window(h, 106, 96, 28, 24, down);
    DoorStyle door;
    door.colour = {46, 120, 80};
    door.canopy = true;
    Door(h, 72, 96, 20, kGround - 98, door);
    Shrub(h, 42, kGround, 7, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
    Shrub(h, 122, kGround, 7, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
    return h;
}

// 1: yellow weatherboard cottage, terracotta roof, picket fence.
Canvas Cottage() {
    Canvas h = Cell();
    const Rgb wall{238, 204, 104}, wallLight{250, 226, 140}, wallDark{196, 158, 72};
    Chimney(h, 42, 34, 10, 60);
    Wall(h, 30, 72, 104, kGround - 71, wall);
    Siding(h, 30, 72, 104, kGround - 75, wall, wallLight, wallDark);
    ShadeBand(h, 30, 73, 104, 2, wall, wallDark);
    ShadeBand(h, 30, 73, 104, 2, wallLight, wallDark);
    GableRoof(h, 22, 141, 72, 81, 30, pal::kTerracotta, pal::kTerracottaLight, pal::kTerracottaDark, pal::kCream);
    WindowStyle round;
    round.arch = true;
    round.cross = false;
    round.frame = pal::kCream;
    Window(h, 76, 48, 11, 14, round);
    WindowStyle win;
    win.frame = pal::kCream;
    win.shutters = true;
    win.shutter = {62, 128, 150};
    win.flowerBox = true;
    Window(h, 44, 86, 20, 22, win);
    Window(h, 104, 86, 20, 22, win);
    DoorStyle door;
    door.colour = {62, 128, 150};
    door.frame = pal::kCream;
    Door(h, 73, 90, 18, kGround - 92, door);
    // Picket fence across the front garden, with a gap at the path.
    Canvas fence = Cell();
    for (int x = 8; x < 158; x += 6) {
        if (x > 62 && x < 100) continue;
        fence.FillRect(x, kGround - 12, 3, 13, pal::kWhite);
        fence.Set(x + 1, kGround - 13, pal::kWhite);
        fence.VLine(x + 2, kGround - 11, kGround, pal::kCloudShade);
    }
    fence.FillRect(8, kGround - 8, 56, 2, pal::kCloudShade);
    fence.FillRect(100, kGround - 8, 56, 2, pal::kCloudShade);
    Shrub(fence, 20, kGround, 6, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
    StampOutlined(h, fence, pal::kInk);
    Shrub(h, 146, kGround, 6, pal::kLeafLight, pal::kLeafPale, pal::kLeaf);
    return h;
}

// 2: tall blue town house, flat roof with a white cornice, three floors.
Canvas TownHouse() {
    Canvas h = Cell();
    const Rgb wall{96, 132, 182}, wallLight{124, 160, 204}, wallDark{70, 100, 150};
    Wall(h, 38, 16, 88, kGround - 15, wall);
    Siding(h, 38, 16, 88, kGround - 19, wall, wall, Mix(wall, wallDark, 0.5f), 6);
    h.Recolour(38, 16, 2, kGround - 16, wall, wallLight);
    ShadeBand(h, 38, 21, 88, 2, wall, wallDark);
    // Cornice: a white band with dentils, wider than the wall.
    Canvas cornice = Cell();
    cornice.FillRect(33, 8, 98, 4, pal::kWhite);
    cornice.FillRect(35, 12, 94, 4, pal::kCream);
    for (int x = 36; x < 128; x += 4) cornice.FillRect(x, 13, 2, 2, pal::kWhite);
    cornice.HLine(35, 128, 15, pal::kCloudDeep);
    StampOutlined(h, cornice, pal::kInk);
    // Floor bands between the storeys.
    Canvas bands = Cell();
    bands.FillRect(36, 55, 92, 2, pal::kCream);
    bands.FillRect(36, 92, 92, 2, pal::kCream);
    StampOutlined(h, bands, pal::kInk);
    WindowStyle top;
    top.arch = true;
    Window(h, 50, 26, 18, 22, top);
    Window(h, 96, 26, 18, 22, top);
    WindowStyle mid;
    mid.curtains = true;
    mid.curtain = {236, 196, 90};
    mid.flowerBox = true;
    Window(h, 50, 63, 18, 20, mid);
    Window(h, 96, 63, 18, 20, mid);
    WindowStyle low;
    low.lit = true;
    Window(h, 46, 102, 26, 20, low);
    DoorStyle door;
    door.colour = {196, 58, 50};
    door.canopy = false;
    Door(h, 96, 100, 18, kGround - 102, door);
    Pot(h, 84, kGround);
    return h;
}

// 3: wide cream bungalow with a low terracotta hip roof and a porch on posts.
Canvas Bungalow() {
    Canvas h = Cell();
    const Rgb wall{236, 222, 186}, wallDark{206, 186, 146};
    Chimney(h, 36, 40, 10, 70);
    Wall(h, 12, 82, 140, kGround - 81, wall);
    ShadeBand(h, 12, 83, 140, 4, wall, wallDark);
    // Porch floor and posts on the right half.
    HipRoof(h, 4, 159, 82, 44, 120, 52, pal::kTerracotta, pal::kTerracottaLight, pal::kTerracottaDark, pal::kCream);
    WindowStyle big;
    big.frame = pal::kWhite;
    big.curtains = true;
    big.curtain = {90, 150, 120};
    Window(h, 22, 94, 44, 24, big);
    WindowStyle small;
    Window(h, 126, 94, 18, 20, small);
    DoorStyle door;
    door.colour = {170, 110, 60};
    Door(h, 88, 94, 20, kGround - 96, door);
    Canvas posts = Cell();
    for (int x : {78, 114}) {
        posts.FillRect(x, 86, 4, kGround - 86, pal::kWhite);
        posts.VLine(x + 3, 86, kGround - 1, pal::kCloudShade);
        posts.FillRect(x - 1, 84, 6, 2, pal::kWhite);
    }
    StampOutlined(h, posts, pal::kInk);
    Pot(h, 66, kGround);
    Pot(h, 120, kGround);
    Shrub(h, 44, kGround, 6, pal::kLeafDark, pal::kLeaf, Mix(pal::kLeafDark, pal::kInk, 0.3f));
    return h;
}

// 4: green house with a steep brown roof, a dormer and a chimney.
Canvas GreenHouse() {
    Canvas h = Cell();
    const Rgb wall{120, 170, 120}, wallLight{150, 196, 140}, wallDark{88, 134, 96};
    Chimney(h, 36, 16, 12, 40);
    Wall(h, 26, 64, 112, kGround - 63, wall);
    Siding(h, 26, 64, 112, kGround - 67, wall, wallLight, wallDark, 4);
    ShadeBand(h, 26, 65, 112, 2, wall, wallDark);
    ShadeBand(h, 26, 65, 112, 2, wallLight, wallDark);
    const Rgb roof{124, 84, 60}, roofLight{156, 110, 76}, roofDark{90, 58, 44};
    HipRoof(h, 16, 147, 64, 44, 119, 22, roof, roofLight, roofDark, pal::kCream);
    // Dormer: a little house on the roof.
    Canvas dormer = Cell();
    dormer.FillRect(70, 34, 24, 22, wallLight);
    StampOutlined(h, dormer, pal::kInk);
    GableRoof(h, 65, 98, 34, 81, 20, roof, roofLight, roofDark, pal::kCream);
    WindowStyle dw;
    dw.frame = pal::kCream;
    dw.lit = true;
    Window(h, 75, 37, 14, 15, dw);
    WindowStyle win;
    win.frame = pal::kCream;
    win.shutters = true;
    win.shutter = {230, 236, 220};
    win.flowerBox = true;
    Window(h, 42, 80, 20, 24, win);
    Window(h, 104, 80, 20, 24, win);
    DoorStyle door;
    door.colour = {230, 200, 80};
    door.frame = pal::kCream;
    door.canopy = true;
    door.canopyColour = roof;
    Door(h, 73, 88, 18, kGround - 90, door);
    // Porch lamp.
    h.FillRect(95, 90, 3, 4, pal::kLitWindow);
    h.FrameRect(94, 89, 5, 6, pal::kInk);
    Shrub(h, 30, kGround, 5, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
    Shrub(h, 132, kGround, 6, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
    return h;
}

// 5: corner café with a striped awning and a sign.
Canvas Cafe() {
    Canvas h = Cell();
    const Rgb wall{82, 150, 146}, wallLight{108, 176, 168}, wallDark{58, 112, 112};
    Wall(h, 16, 34, 132, kGround - 33, wall);
    Bricks(h, 16, 34, 132, kGround - 36, wall, wallLight, wallDark, Mix(wallDark, pal::kInk, 0.2f));
    // Parapet.
    Canvas top = Cell();
    top.FillRect(12, 26, 140, 8, pal::kCream);
    top.HLine(12, 151, 26, pal::kWhite);
    top.HLine(12, 151, 33, pal::kStone);
    StampOutlined(h, top, pal::kInk);
    WindowStyle up;
    up.curtains = true;
    up.curtain = {236, 196, 90};
    for (int x : {28, 72, 116}) Window(h, x, 42, 20, 20, up);
    // Sign board with the café's name.
    Canvas sign = Cell();
    sign.FillRect(34, 70, 96, 16, {46, 52, 78});
    sign.HLine(34, 129, 70, {70, 78, 110});
    StampOutlined(h, sign, pal::kInk);
    const std::string name = "CAFE";
    DrawText(h, 82 - TextWidth(name) / 2 + 1, 69, name, pal::kInk);
    DrawText(h, 82 - TextWidth(name) / 2, 68, name, pal::kLaneYellow);
    // Shop window with cakes on a shelf, and the glazed door.
    WindowStyle shop;
    shop.lit = true;
    shop.cross = false;
    shop.frame = pal::kCream;
    Window(h, 22, 100, 74, 28, shop);
    Canvas goods = Cell();
    goods.FillRect(25, 118, 68, 2, pal::kWood);
    for (int k = 0; k < 5; ++k) {
        int x = 28 + k * 13;
        goods.FillRect(x, 112, 8, 6, k % 2 ? Rgb{236, 150, 120} : Rgb{246, 222, 170});
        goods.HLine(x, x + 7, 112, pal::kWhite);
        goods.Set(x + 3, 111, pal::kCap);
    }
    StampOutlined(h, goods, pal::kInk);
    DoorStyle door;
    door.colour = {46, 52, 78};
    door.frame = pal::kCream;
    door.glassTop = true;
    Door(h, 112, 98, 22, kGround - 100, door);
    // Striped awning over the window.
    Canvas awning = Cell();
    awning.FillPolygon({{18, 88}, {100, 88}, {104, 98}, {14, 98}}, pal::kWhite);
    for (int j = 88; j < 101; ++j)
        for (int i = 14; i < 105; ++i)
            if (awning.Get(i, j) == pal::kWhite && ((i - 14 + (j - 88) / 3) / 6) % 2 == 0) awning.Set(i, j, pal::kCap);
    for (int i = 14; i < 105; ++i) {
        bool red = ((i - 14 + 3) / 6) % 2 == 0;
        awning.Set(i, 99, red ? pal::kCap : pal::kWhite);
        if (i % 6 == 2) awning.Set(i, 100, red ? pal::kCapDark : pal::kCloudShade);
    }
    awning.HLine(18, 100, 88, pal::kCapLight);
    StampOutlined(h, awning, pal::kInk);
    Pot(h, 138, kGround);
    return h;
}

// 6: modern orange-brick house with a garage and solar panels on a sloping roof.
Canvas ModernHouse() {
    Canvas h = Cell();
    const Rgb brick{214, 142, 84}, brickLight{232, 170, 110}, brickDark{176, 108, 64};
    // Main block under a roof rising to the right, with solar panels lying on it.
    Canvas roof = Cell();
    roof.FillPolygon({{8, 42}, {100, 20}, {104, 20}, {104, 27}, {8, 49}}, pal::kSlateDark);
    roof.Line(8, 42, 100, 20, pal::kSlateLight);
    const Rgb cell{54, 78, 142}, cellLight{112, 152, 212}, cellDark{34, 46, 96};
    for (int k = 0; k < 3; ++k) {
        const float x0 = 24.0f + k * 24, x1 = x0 + 20;
        auto lineY = [](float x) { return 42.0f - (x - 8) * 22.0f / 92.0f; };
        roof.FillPolygon({{x0, lineY(x0) + 1}, {x1, lineY(x1) + 1}, {x1, lineY(x1) - 4}, {x0, lineY(x0) - 4}}, cell);
        roof.Line(static_cast<int>(x0), static_cast<int>(lineY(x0) - 4), static_cast<int>(x1 - 1),
                  static_cast<int>(lineY(x1) - 4), cellLight);
        roof.Line(static_cast<int>(x0), static_cast<int>(lineY(x0) + 1), static_cast<int>(x1 - 1),
                  static_cast<int>(lineY(x1) + 1), cellDark);
        roof.VLine(static_cast<int>(x0 + 10), static_cast<int>(lineY(x0 + 10) - 3), static_cast<int>(lineY(x0 + 10)),
                   cellDark);
    }
    StampOutlined(h, roof, pal::kInk);
    Canvas body = Cell();
    body.FillPolygon({{12, 48}, {100, 27}, {100, kGround + 1}, {12, kGround + 1}}, brick);
    body.FillRect(12, kGround - 3, 88, 4, pal::kStone);
    body.HLine(12, 99, kGround - 3, pal::kStoneLight);
    Bricks(body, 12, 26, 88, kGround - 29, brick, brickLight, brickDark, {236, 214, 190});
    StampOutlined(h, body, pal::kInk);
    // Garage on the right with a flat roof.
    Wall(h, 102, 72, 48, kGround - 71, {204, 200, 190});
    Canvas groof = Cell();
    groof.FillRect(100, 66, 54, 6, pal::kSlateDark);
    groof.HLine(100, 153, 66, pal::kSlateLight);
    StampOutlined(h, groof, pal::kInk);
    Canvas gdoor = Cell();
    gdoor.FillRect(108, 82, 36, kGround - 85, pal::kSteel);
    for (int j = 84; j < kGround - 4; j += 4) gdoor.HLine(108, 143, j, pal::kSteelDark);
    gdoor.FillRect(123, kGround - 9, 6, 2, pal::kSteelDark);
    StampOutlined(h, gdoor, pal::kInk);
    WindowStyle wide;
    wide.frame = {70, 74, 86};
    wide.cross = false;
    Window(h, 22, 58, 44, 22, wide);
    wide.lit = true;
    Window(h, 22, 96, 30, 26, wide);
    DoorStyle door;
    door.colour = {60, 64, 76};
    door.frame = {70, 74, 86};
    Door(h, 66, 94, 18, kGround - 96, door);
    Shrub(h, 92, kGround, 5, pal::kLeaf, pal::kLeafLight, pal::kLeafDark);
    return h;
}

}  // namespace

Canvas HouseFront(int n) {
    switch (n) {
        case 0:
            return BrickHouse();
        case 1:
            return Cottage();
        case 2:
            return TownHouse();
        case 3:
            return Bungalow();
        case 4:
            return GreenHouse();
        case 5:
            return Cafe();
        default:
            return ModernHouse();
    }
}

Canvas MakeHouseSheet() {
    std::vector<Canvas> fronts;
    for (int c = 0; c < kHouseCount; ++c) fronts.push_back(HouseFront(c));
    return FrameSheet({fronts}, kHouseCount * (kHouseCellW + 1) + 1);  // 1156: 3468 bytes a row
}
