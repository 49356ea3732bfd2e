// The hero walking in the house: the kid from the street, on foot, built from outlined parts back to front.
#include "room_walker.h"

#include <string>
#include <vector>

namespace {

using Art = std::vector<std::string>;
using Colours = std::vector<std::pair<char, Rgb>>;

const Rgb kHairDark{84, 44, 26};
const Rgb kCheek{240, 164, 138};
const Rgb kFloorShadow{44, 34, 56};

const Colours kHeadColours = {
    {'R', pal::kCap},  {'r', pal::kCapDark},    {'W', pal::kCapLight}, {'h', pal::kHair}, {'H', kHairDark},
    {'S', pal::kSkin}, {'s', pal::kSkinShade},  {'e', pal::kInk},      {'m', pal::kSkinShade},
    {'k', pal::kInkSoft}, {'p', kCheek},
};

// Head in profile, looking right, the cap's brim forward.
const Art kHeadSide = {
    "....RRRRR.......",
    "..RRRRRRWWR.....",
    ".RRRRRRRRRWR....",
    ".rRRRRRRRRRRR...",
    ".rrRRRRRRRRRRR..",
    ".hrrrrrrrrrrrrrr",
    ".hhhhSSSSSSSS...",
    ".hhhSSSSSSSeS...",
    ".hhSsSSSSSSeSS..",
    ".hhSssSSSSpSSSS.",
    "..hssSSSSSSSS...",
    "..hSSSSSSSSmS...",
    "...SSSSSSSSS....",
    "....sSSSSSS.....",
    ".....sSSS.......",
};

const Art kHeadToward = {
    "....RRRRRR....",
    "..RRRRWWRRRR..",
    ".RRRRRRRRWRRR.",
    ".RRRRRRRRRRRR.",
    "rrrrrrrrrrrrrr",
    ".hrrrrrrrrrrh.",
    ".hhSSSSSSSShh.",
    ".hSSeSSSSeSSh.",
    "sSSSeSSSSeSSSs",
    "sSpSSSSSSSSpSs",
    ".SSSSSmmSSSSS.",
    "..SSSSSSSSSS..",
    "...sSSSSSSs...",
    ".....ssss.....",
};

// From behind: the cap's strap and button, hair down to the neck.
const Art kHeadAway = {
    "....RRRRRR....",
    "..RRRRWRRRRR..",
    ".RRRRRRRRRRRR.",
    ".RRRRRkkkRRRR.",
    ".RRRRRhhhRRRR.",
    ".hrrrrrrrrrrh.",
    ".hhhhhhhhhhHh.",
    ".hhhhhhhhhhHh.",
    "shhhhhhhhhhHHs",
    "shhhhhhhhhhHHs",
    ".hhhhhhhhhHHh.",
    "..hhHhhhHHHh..",
    "...sSSSSSSs...",
    ".....ssss.....",
};

// Sneakers: in profile (toe right), pushing off with the heel up, seen end-on, and the
// sole of a foot lifting behind.
const Art kShoeSide = {
    "..RRR..",
    ".RRRRR.",
    "RRRRRRR",
    "wwwwwww",
};
const Art kShoeToeOff = {
    ".RR....",
    "RRRRR..",
    "wRRRRRR",
    ".wwwwww",
};
const Art kShoeEnd = {
    ".RRR.",
    "RRRRR",
    "wwwww",
};
const Art kShoeSole = {
    ".RRR.",
    "wwwww",
    ".www.",
};

Canvas Layer() { return Canvas(kRoomWalkerW, kRoomWalkerH); }

void AddPart(Canvas& figure, Canvas part) {
    part.Outline(pal::kInk);
    figure.BlitAll(part, 0, 0, true);
}

// A soft shadow on the floor under the feet: every other pixel, so the floor shows through.
void FloorShadow(Canvas& fig, float cx, float rx) {
    const float cy = 61.5f, ry = 2.2f;
    for (int y = 58; y < kRoomWalkerH; ++y) {
        for (int x = 0; x < kRoomWalkerW; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f && ((x + y) & 1) == 0) fig.Set(x, y, kFloorShadow);
        }
    }
}

// Sleeve from the shoulder for the first part of the upper arm, then bare skin to the hand.
Canvas Arm(Pt shoulder, Pt elbow, Pt hand, bool far_side) {
    Canvas c = Layer();
    const Rgb skin = far_side ? pal::kSkinShade : pal::kSkin;
    const Rgb sleeve = far_side ? pal::kShirtShade : pal::kShirt;
    c.ThickLine(elbow.x, elbow.y, hand.x, hand.y, 1.0f, skin);
    c.ThickLine(shoulder.x, shoulder.y, elbow.x, elbow.y, 1.05f, skin);
    const Pt mid{shoulder.x + (elbow.x - shoulder.x) * 0.5f, shoulder.y + (elbow.y - shoulder.y) * 0.5f};
    c.ThickLine(shoulder.x, shoulder.y, mid.x, mid.y, 1.45f, sleeve);
    c.FillCircle(hand.x, hand.y, 1.25f, skin);
    return c;
}

// A leg in jeans from hip through knee to ankle, the shoe's top-left corner at shoe_at.
Canvas Leg(Pt hip, Pt knee, Pt ankle, bool far_side, const Art& shoe, Pt shoe_at) {
    Canvas c = Layer();
    const Rgb jeans = far_side ? pal::kJeansShade : pal::kJeans;
    c.ThickLine(hip.x, hip.y, knee.x, knee.y, 2.0f, jeans);
    c.ThickLine(knee.x, knee.y, ankle.x, ankle.y, 1.75f, jeans);
    if (!far_side) {
        c.Line(static_cast<int>(hip.x + 1), static_cast<int>(hip.y + 1), static_cast<int>(knee.x + 1), static_cast<int>(knee.y),
               pal::kJeansLight);
    }
    // Turned-up hem just above the shoe.
    c.HLine(static_cast<int>(ankle.x - 1.5f), static_cast<int>(ankle.x + 1.5f), static_cast<int>(ankle.y) + 1,
            far_side ? pal::kJeans : pal::kJeansLight);
    const Colours shoe_colours = {{'R', far_side ? pal::kCapDark : pal::kShoe}, {'w', pal::kShoeSole}};
    c.DrawArt(static_cast<int>(shoe_at.x), static_cast<int>(shoe_at.y), shoe, shoe_colours);
    return c;
}

Canvas Torso(const std::vector<Pt>& shape, int stripe_y, int shade_x) {
    Canvas c = Layer();
    c.FillPolygon(shape, pal::kShirt);
    c.Recolour(shade_x, 0, 2, kRoomWalkerH, pal::kShirt, pal::kShirtShade);
    c.Recolour(0, stripe_y, kRoomWalkerW, 2, pal::kShirt, pal::kShirtStripe);
    c.Recolour(0, stripe_y, kRoomWalkerW, 2, pal::kShirtShade, Mix(pal::kShirtStripe, pal::kInk, 0.3f));
    return c;
}

// The jeans' waistband across the shirt's hem.
void Belt(Canvas& fig, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x)
        if (fig.Get(x, y) != pal::kInk && fig.Get(x, y) != kKey) fig.Set(x, y, pal::kJeansShade);
}

// Facing us (down) or walking away (up). s runs from +2 (picture-left foot forward, full
// stride) through 0 (standing) to -2 (picture-right foot forward).
Canvas EndOnFrame(int pose, bool toward) {
    static const int kStride[5] = {2, 1, 0, -1, -2};
    const int s = kStride[pose];
    const int bob = (s == 2 || s == -2) ? 1 : 0;
    const float b = static_cast<float>(bob);
    Canvas fig = Layer();
    FloorShadow(fig, 12.5f, 8.5f);
    // One leg per side: `lead` > 0 is the stepping foot, < 0 the one pushing off.
    auto leg = [&](float hip_x, float foot_x, int lead) {
        // Walking toward us the stepping foot comes down the screen; walking away it goes up.
        const float toward_sign = toward ? 1.0f : -1.0f;
        float ankle_y = 56.5f, knee_y = 50.5f;
        const Art* shoe = &kShoeEnd;
        bool far_side = false;
        if (lead > 0) {
            ankle_y += toward_sign * lead * 0.75f;
            knee_y += toward_sign * lead * 0.5f;
        } else if (lead < 0) {
            // Pushing off: the foot rises behind the body.
            ankle_y -= -lead * 1.5f;
            knee_y -= -lead * 0.5f;
            far_side = toward;  // seen past the body when it comes toward us
            if (!toward) shoe = &kShoeSole;
        }
        const float knee_x = hip_x + (foot_x - hip_x) * 0.5f + (lead < 0 ? (foot_x < 12 ? -0.5f : 0.5f) : 0.0f);
        return Leg({hip_x, 44 + b}, {knee_x, knee_y + b * 0.5f}, {foot_x, ankle_y}, far_side, *shoe,
                   {foot_x - 2, static_cast<float>(static_cast<int>(ankle_y + 2.5f))});
    };
    // Draw the foot further from us first.
    const int left_lead = s, right_lead = -s;
    const bool left_behind = toward ? left_lead < 0 : left_lead > 0;
    if (left_behind) {
        AddPart(fig, leg(9.5f, 9.0f, left_lead));
        AddPart(fig, leg(15.5f, 16.0f, right_lead));
    } else {
        AddPart(fig, leg(15.5f, 16.0f, right_lead));
        AddPart(fig, leg(9.5f, 9.0f, left_lead));
    }
    // Arms swing against the legs: the arm on the side of the pushing foot comes forward.
    const float sw = static_cast<float>(s);
    auto arm = [&](float side, float swing) {
        // swing > 0: hand forward (toward us when walking down: lower and a little inward).
        const float toward_sign = toward ? 1.0f : -1.0f;
        const float sx = side < 0 ? 6.5f : 19.5f;
        const float out = side < 0 ? -1.0f : 1.0f;
        const Pt shoulder{sx, 30 + b};
        const Pt elbow{sx + out * 1.0f, 36.5f + b + toward_sign * swing * 0.4f};
        const Pt hand{sx + out * (1.5f - swing * toward_sign * 0.4f), 42.0f + b + toward_sign * swing * 0.9f};
        // The arm on the right is on the shirt's shaded side.
        return Arm(shoulder, elbow, hand, side > 0);
    };
    if (!toward) {
        AddPart(fig, Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
        // Back pockets on the jeans, just under the waistband.
        for (int px : {9, 14}) fig.FillRect(px, 46 + bob, 3, 2, pal::kJeansShade);
    } else {
        AddPart(fig, Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
    }
    Belt(fig, 7, 18, 44 + bob);
    Canvas head = Layer();
    head.DrawArt(6, 14 + bob, toward ? kHeadToward : kHeadAway, kHeadColours);
    AddPart(fig, head);
    AddPart(fig, arm(-1, -sw));
    AddPart(fig, arm(1, sw));
    return fig;
}

struct SidePose {
    int bob;
    Pt near_knee, near_ankle, near_shoe;
    bool near_toe_off;
    Pt far_knee, far_ankle, far_shoe;
    bool far_toe_off;
    Pt near_elbow, near_hand, far_elbow, far_hand;
};

SidePose SideTable(int pose) {
    switch (pose) {
        case 0:  // near leg reaching forward, far foot pushing off behind
            return {1,
                    {15.5f, 51}, {17.5f, 57.5f}, {15, 59}, false,
                    {10, 51}, {7, 56.5f}, {3, 58}, true,
                    {11, 37}, {8.5f, 41.5f}, {15.5f, 37}, {18.5f, 41}};
        case 2:  // far leg forward, near foot pushing off
            return {1,
                    {10, 51}, {7, 56.5f}, {3, 58}, true,
                    {15, 51}, {17, 57.5f}, {14, 59}, false,
                    {15.5f, 37}, {18.5f, 41}, {11, 37}, {8.5f, 41.5f}};
        case 3:  // passing, near foot lifted under the body
            return {0,
                    {14.5f, 49.5f}, {11, 54.5f}, {8, 56}, false,
                    {12.5f, 51.5f}, {12, 57.5f}, {9, 59}, false,
                    {13, 37.5f}, {12, 43}, {13.5f, 37.5f}, {14.5f, 42.5f}};
        case 4:  // feet together
            return {0,
                    {13, 51}, {12.5f, 57.5f}, {10, 59}, false,
                    {11.5f, 51}, {11, 57.5f}, {8, 59}, false,
                    {13, 37.5f}, {13.5f, 43}, {11.5f, 37}, {11, 42}};
        default:  // 1: passing, far foot lifted under the body
            return {0,
                    {13.5f, 51.5f}, {12.5f, 57.5f}, {10, 59}, false,
                    {14.5f, 49.5f}, {11, 54.5f}, {8, 56}, false,
                    {14, 37.5f}, {15.5f, 42.5f}, {11, 37}, {10, 42}};
    }
}

Canvas SideFrame(int pose) {
    const SidePose p = SideTable(pose);
    const float b = static_cast<float>(p.bob);
    Canvas fig = Layer();
    FloorShadow(fig, 12.0f, pose == 0 || pose == 2 ? 10.0f : 7.5f);
    const Pt hip_far{10.5f, 44 + b}, hip_near{13.5f, 44 + b};
    const Pt sh_far{10, 31 + b}, sh_near{14, 31 + b};
    AddPart(fig, Arm(sh_far, {p.far_elbow.x, p.far_elbow.y + b}, {p.far_hand.x, p.far_hand.y + b}, true));
    AddPart(fig, Leg(hip_far, p.far_knee, p.far_ankle, true, p.far_toe_off ? kShoeToeOff : kShoeSide, p.far_shoe));
    AddPart(fig, Leg(hip_near, p.near_knee, p.near_ankle, false, p.near_toe_off ? kShoeToeOff : kShoeSide, p.near_shoe));
    AddPart(fig, Torso({{8, 28 + b}, {16, 28 + b}, {17, 36 + b}, {16, 45 + b}, {8, 45 + b}, {7, 36 + b}}, 35 + p.bob, 7));
    Belt(fig, 8, 16, 44 + p.bob);
    Canvas head = Layer();
    head.DrawArt(5, 13 + p.bob, kHeadSide, kHeadColours);
    AddPart(fig, head);
    AddPart(fig, Arm(sh_near, {p.near_elbow.x, p.near_elbow.y + b}, {p.near_hand.x, p.near_hand.y + b}, false));
    return fig;
}

}  // namespace

Canvas RoomWalkerFrame(RoomWalk view, int pose) {
    switch (view) {
        case RoomWalk::kDown: return EndOnFrame(pose, true);
        case RoomWalk::kUp: return EndOnFrame(pose, false);
        case RoomWalk::kRight: return SideFrame(pose);
        case RoomWalk::kLeft: return SideFrame(pose).Mirrored();
    }
    return Layer();
}

Canvas MakeRoomWalkerSheet(int direction) {
    static const RoomWalk kViews[4] = {RoomWalk::kDown, RoomWalk::kUp, RoomWalk::kRight, RoomWalk::kLeft};
    // Five cells of 26 with the closing line make 131; one more pixel keeps rows whole words.
    Canvas sheet(132, kRoomWalkerH + 2, kKey);
    const Rgb grid{64, 64, 72};
    sheet.HLine(0, 5 * (kRoomWalkerW + 1), 0, grid);
    sheet.HLine(0, 5 * (kRoomWalkerW + 1), kRoomWalkerH + 1, grid);
    for (int i = 0; i <= 5; ++i) sheet.VLine(i * (kRoomWalkerW + 1), 0, kRoomWalkerH + 1, grid);
    for (int i = 0; i < 5; ++i) sheet.BlitAll(RoomWalkerFrame(kViews[direction & 3], i), i * (kRoomWalkerW + 1) + 1, 1, true);
    return sheet;
}
