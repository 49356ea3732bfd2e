// The hero on foot: the same kid as on the board, drawn from outlined parts back to front.
#include "walker_art.h"

#include <string>
#include <vector>

namespace {

using Art = std::vector<std::string>;
using Colours = std::vector<std::pair<char, Rgb>>;

const Colours kHeadColours = {
    {'R', pal::kCap},  {'r', pal::kCapDark},   {'W', pal::kCapLight}, {'h', pal::kHair}, {'S', pal::kSkin},
    {'s', pal::kSkinShade}, {'e', pal::kInk}, {'m', pal::kSkinShade}, {'k', pal::kInkSoft},
};

// Head in profile looking right, cap brim forward.
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
    ".hhSssSSSSSSSSS.",
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
    "sSSSSSSSSSSSSs",
    ".SSSSSmmSSSSS.",
    "..SSSSSSSSSS..",
    "...sSSSSSSs...",
    ".....ssss.....",
};

// From behind: the cap's strap and button, hair over the neck.
const Art kHeadAway = {
    "....RRRRRR....",
    "..RRRRWRRRRR..",
    ".RRRRRRRRRRRR.",
    ".RRRRRkkkRRRR.",
    ".RRRRRhhhRRRR.",
    ".hrrrrrrrrrrh.",
    ".hhhhhhhhhhhh.",
    ".hhhhhhhhhhhh.",
    "shhhhhhhhhhhhs",
    "shhhhhhhhhhhhs",
    ".hhhhhhhhhhhh.",
    "..hhhhhhhhhh..",
    "...sSSSSSSs...",
    ".....ssss.....",
};

// Sneakers: in profile with the toe to the right, and end-on.
const Art kShoeSide = {
    "..RRR..",
    ".RRRRR.",
    "RRRRRRR",
    "wwwwwww",
};
const Art kShoeEnd = {
    ".RRR.",
    "RRRRR",
    "wwwww",
};

Canvas Layer() { return Canvas(kWalkerW, kWalkerH); }

void AddPart(Canvas& figure, Canvas part) {
    part.Outline(pal::kInk);
    figure.BlitAll(part, 0, 0, true);
}

// Sleeve from the shoulder for the first part of the upper arm, then bare skin to the hand.
Canvas Arm(Pt shoulder, Pt elbow, Pt hand, bool far_side) {
    Canvas c = Layer();
    const Rgb skin = far_side ? pal::kSkinShade : pal::kSkin;
    const Rgb sleeve = far_side ? pal::kShirtShade : pal::kShirt;
    c.ThickLine(elbow.x, elbow.y, hand.x, hand.y, 1.0f, skin);
    c.ThickLine(shoulder.x, shoulder.y, elbow.x, elbow.y, 1.05f, skin);
    Pt mid{shoulder.x + (elbow.x - shoulder.x) * 0.45f, shoulder.y + (elbow.y - shoulder.y) * 0.45f};
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
        // A lit seam down the front of the near thigh.
        c.Line(static_cast<int>(hip.x + 1), static_cast<int>(hip.y + 1), static_cast<int>(knee.x + 1),
               static_cast<int>(knee.y), pal::kJeansLight);
    }
    const Colours shoe_colours = {{'R', far_side ? pal::kCapDark : pal::kShoe}, {'w', pal::kShoeSole}};
    c.DrawArt(static_cast<int>(shoe_at.x), static_cast<int>(shoe_at.y), shoe, shoe_colours);
    return c;
}

Canvas Torso(const std::vector<Pt>& shape, int stripe_y, int shade_x) {
    Canvas c = Layer();
    c.FillPolygon(shape, pal::kShirt);
    c.Recolour(shade_x, 0, 2, kWalkerH, pal::kShirt, pal::kShirtShade);
    c.Recolour(0, stripe_y, kWalkerW, 2, pal::kShirt, pal::kShirtStripe);
    c.Recolour(0, stripe_y, kWalkerW, 2, pal::kShirtShade, Mix(pal::kShirtStripe, pal::kInk, 0.3f));
    return c;
}

// A belt line across the hips, painted over the shirt's hem.
void Belt(Canvas& fig, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x)
        if (fig.Get(x, y) != pal::kInk && fig.Get(x, y) != kKey) fig.Set(x, y, pal::kJeansShade);
}

struct Stride {
    int bob;  // body lowered by this many pixels
    Pt near_knee, near_ankle, near_shoe;
    Pt far_knee, far_ankle, far_shoe;
    Pt near_elbow, near_hand, far_elbow, far_hand;
};

Stride SideStride(int frame) {
    switch (frame) {
        case 0:  // near leg reaching forward, far leg pushing off behind
            return {1,
                    {15.5f, 51}, {17.5f, 57.5f}, {15, 59},
                    {9.5f, 51}, {6.5f, 57}, {3, 59},
                    {11.5f, 37}, {8.5f, 41}, {15.5f, 37}, {18.5f, 40}};
        case 2:  // the other way round
            return {1,
                    {10, 51}, {7, 57.5f}, {4, 59},
                    {15, 51}, {17, 57.5f}, {14, 59},
                    {16, 37}, {19, 40}, {11, 37}, {8, 40.5f}};
        case 3:  // standing
            return {0,
                    {13, 51}, {12.5f, 57.5f}, {10, 59},
                    {11.5f, 51}, {11, 57.5f}, {8, 59},
                    {13, 37.5f}, {13.5f, 43}, {11.5f, 37}, {11, 42}};
        default:  // 1: passing, far foot lifted under the body
            return {0,
                    {13.5f, 51.5f}, {12.5f, 57.5f}, {10, 59},
                    {14.5f, 49.5f}, {11, 54.5f}, {8, 56},
                    {14, 37.5f}, {15.5f, 42.5f}, {11, 37}, {10, 42}};
    }
}

Canvas SideFrame(int frame) {
    Canvas fig = Layer();
    if (frame == 4) {
        // The jump: knees tucked, arms flung up and out.
        const Pt hip_far{10.5f, 43}, hip_near{13.5f, 43};
        AddPart(fig, Arm({10, 30}, {6.5f, 26}, {4, 21}, true));
        AddPart(fig, Leg(hip_far, {16, 46}, {10, 52}, true, kShoeSide, {6, 53}));
        AddPart(fig, Torso({{8, 27}, {16, 27}, {17, 35}, {16, 44}, {8, 44}, {7, 35}}, 34, 7));
        AddPart(fig, Leg(hip_near, {19, 47}, {14.5f, 54}, false, kShoeSide, {11, 55}));
        Canvas head = Layer();
        head.DrawArt(5, 12, kHeadSide, kHeadColours);
        AddPart(fig, head);
        AddPart(fig, Arm({14, 30}, {18, 27}, {21, 22}, false));
        return fig;
    }
    const Stride s = SideStride(frame);
    const float b = static_cast<float>(s.bob);
    const Pt hip_far{10.5f, 44 + b}, hip_near{13.5f, 44 + b};
    const Pt sh_far{10, 31 + b}, sh_near{14, 31 + b};
    AddPart(fig, Arm(sh_far, {s.far_elbow.x, s.far_elbow.y + b}, {s.far_hand.x, s.far_hand.y + b}, true));
    AddPart(fig, Leg(hip_far, s.far_knee, s.far_ankle, true, kShoeSide, s.far_shoe));
    AddPart(fig, Leg(hip_near, s.near_knee, s.near_ankle, false, kShoeSide, s.near_shoe));
    AddPart(fig, Torso({{8, 28 + b}, {16, 28 + b}, {17, 36 + b}, {16, 45 + b}, {8, 45 + b}, {7, 36 + b}}, 35 + s.bob, 7));
    Belt(fig, 8, 16, 44 + s.bob);
    Canvas head = Layer();
    head.DrawArt(5, 13 + s.bob, kHeadSide, kHeadColours);
    AddPart(fig, head);
    AddPart(fig, Arm(sh_near, {s.near_elbow.x, s.near_elbow.y + b}, {s.near_hand.x, s.near_hand.y + b}, false));
    return fig;
}

// Facing us. Frame 0 is the kid standing still, feet together: the picture the level opens
// with, before the first step. Frames 1..4 walk toward us: the left foot lifts, both pass,
// the right foot lifts, both pass.
Canvas TowardFrame(int frame) {
    static const int kLiftL[5] = {0, 4, 0, 0, 0};
    static const int kLiftR[5] = {0, 0, 0, 4, 0};
    static const float kSwing[5] = {0.0f, 2.0f, 0.0f, -2.0f, 0.0f};
    const int bob = (frame == 1 || frame == 3) ? 1 : 0;
    const float b = static_cast<float>(bob);
    Canvas fig = Layer();
    auto leg = [&](float hip_x, float foot_x, int lift, bool far_side) {
        const float knee_y = 51.0f - lift * 0.5f, ankle_y = 57.5f - lift;
        const float knee_x = foot_x + (lift > 0 ? (foot_x < 12 ? -1.0f : 1.0f) : 0.0f);
        return Leg({hip_x, 44 + b}, {knee_x, knee_y}, {foot_x, ankle_y}, far_side, kShoeEnd,
                   {foot_x - 2, 60.0f - lift});
    };
    const float feet_in = frame == 0 ? 0.5f : 0.0f;
    AddPart(fig, leg(9.5f, 9.0f + feet_in, kLiftL[frame], kLiftL[frame] > 0));
    AddPart(fig, leg(15.5f, 16.0f - feet_in, kLiftR[frame], kLiftR[frame] > 0));
    AddPart(fig, Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
    Belt(fig, 7, 18, 44 + bob);
    Canvas head = Layer();
    head.DrawArt(6, 14 + bob, kHeadToward, kHeadColours);
    AddPart(fig, head);
    const float sw = kSwing[frame];
    AddPart(fig, Arm({7.5f, 30 + b}, {5.5f, 36 + b - sw * 0.5f}, {5, 42 + b - sw}, false));
    AddPart(fig, Arm({18.5f, 30 + b}, {20.5f, 36 + b + sw * 0.5f}, {21, 42 + b + sw}, false));
    return fig;
}

// From behind on a ladder: one hand reaches while the opposite knee comes up.
Canvas ClimbFrame(int frame) {
    // t runs from -1 (left hand high, right knee up) through 0 to +1 (the mirror image).
    const float t = (frame - 2) / 2.0f;
    Canvas fig = Layer();
    const float lift_l = t > 0 ? 5 * t : 0.0f, lift_r = t < 0 ? -5 * t : 0.0f;
    auto leg = [&](float hip_x, float foot_x, float lift, float knee_out) {
        const Pt knee{foot_x + knee_out * (lift > 0 ? 1.0f : 0.0f), 51.0f - lift * 0.6f};
        return Leg({hip_x, 44}, knee, {foot_x, 57.5f - lift}, false, kShoeEnd,
                   {foot_x - 2, 60.0f - static_cast<float>(static_cast<int>(lift + 0.5f))});
    };
    AddPart(fig, leg(9.5f, 9.0f, lift_l, -1.5f));
    AddPart(fig, leg(15.5f, 16.0f, lift_r, 1.5f));
    AddPart(fig, Torso({{7, 28}, {19, 28}, {19, 45}, {7, 45}}, 35, 17));
    Belt(fig, 7, 18, 44);
    Canvas head = Layer();
    head.DrawArt(6, 14, kHeadAway, kHeadColours);
    AddPart(fig, head);
    // Hands on the rungs above the head: the high one near the top of the frame.
    const float left_hand_y = 12.0f + 4.0f * t, right_hand_y = 12.0f - 4.0f * t;
    AddPart(fig, Arm({8, 30}, {3, 22.0f + 2.0f * t}, {5, left_hand_y}, false));
    AddPart(fig, Arm({18, 30}, {22, 22.0f - 2.0f * t}, {20, right_hand_y}, false));
    return fig;
}

}  // namespace

Canvas WalkerFrame(WalkerView view, int frame) {
    switch (view) {
        case WalkerView::kClimb: return ClimbFrame(frame);
        case WalkerView::kToward: return TowardFrame(frame);
        case WalkerView::kRight: return SideFrame(frame);
        case WalkerView::kLeft: return SideFrame(frame).Mirrored();
    }
    return Layer();
}

Canvas MakeWalkerSheet(WalkerView view) {
    // Five cells of 26 with the closing line make 131; one more pixel keeps rows whole words.
    Canvas sheet(132, kWalkerH + 2, kKey);
    const Rgb grid{64, 64, 72};
    sheet.HLine(0, 5 * (kWalkerW + 1), 0, grid);
    sheet.HLine(0, 5 * (kWalkerW + 1), kWalkerH + 1, grid);
    for (int i = 0; i <= 5; ++i) sheet.VLine(i * (kWalkerW + 1), 0, kWalkerH + 1, grid);
    for (int i = 0; i < 5; ++i) sheet.BlitAll(WalkerFrame(view, i), i * (kWalkerW + 1) + 1, 1, true);
    return sheet;
}
