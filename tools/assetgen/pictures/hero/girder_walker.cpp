// The hero on foot: the same kid as on the board, drawn from outlined parts back to front.
#include "pictures/hero/girder_walker.h"

#include <vector>

#include "pictures/hero/kid_parts.h"

namespace {

// From behind: the cap's strap and button, hair over the neck.
const KidArt kHeadAway = {
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

const KidParts kKid({kWalkerW, kWalkerH, 1.0f, 1.05f, 1.45f, 1.25f, 0.45f, 2.0f, 1.75f, false});

KidStride SideStride(int frame) {
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
    Canvas fig = kKid.Layer();
    if (frame == 4) {
        // The jump: knees tucked, arms flung up and out.
        const Pt hipFar{10.5f, 43}, hipNear{13.5f, 43};
        AddPart(fig, kKid.Arm({10, 30}, {6.5f, 26}, {4, 21}, true));
        AddPart(fig, kKid.Leg(hipFar, {16, 46}, {10, 52}, true, kKidShoeSide, {6, 53}));
        AddPart(fig, kKid.Torso({{8, 27}, {16, 27}, {17, 35}, {16, 44}, {8, 44}, {7, 35}}, 34, 7));
        AddPart(fig, kKid.Leg(hipNear, {19, 47}, {14.5f, 54}, false, kKidShoeSide, {11, 55}));
        AddPart(fig, kKid.Head(5, 12, kKidHeadSide));
        AddPart(fig, kKid.Arm({14, 30}, {18, 27}, {21, 22}, false));
        return fig;
    }
    kKid.AddSideStep(fig, SideStride(frame), kKidShoeSide, kKidShoeSide, kKidHeadSide);
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
    Canvas fig = kKid.Layer();
    auto leg = [&](float hipX, float footX, int lift, bool farSide) {
        const float kneeY = 51.0f - lift * 0.5f, ankleY = 57.5f - lift;
        const float kneeX = footX + (lift > 0 ? (footX < 12 ? -1.0f : 1.0f) : 0.0f);
        return kKid.Leg({hipX, 44 + b}, {kneeX, kneeY}, {footX, ankleY}, farSide, kKidShoeEnd,
                   {footX - 2, 60.0f - lift});
    };
    const float feetIn = frame == 0 ? 0.5f : 0.0f;
    AddPart(fig, leg(9.5f, 9.0f + feetIn, kLiftL[frame], kLiftL[frame] > 0));
    AddPart(fig, leg(15.5f, 16.0f - feetIn, kLiftR[frame], kLiftR[frame] > 0));
    AddPart(fig, kKid.Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
    Belt(fig, 7, 18, 44 + bob);
    AddPart(fig, kKid.Head(6, 14 + bob, kKidHeadToward));
    const float sw = kSwing[frame];
    AddPart(fig, kKid.Arm({7.5f, 30 + b}, {5.5f, 36 + b - sw * 0.5f}, {5, 42 + b - sw}, false));
    AddPart(fig, kKid.Arm({18.5f, 30 + b}, {20.5f, 36 + b + sw * 0.5f}, {21, 42 + b + sw}, false));
    return fig;
}

// From behind on a ladder: one hand reaches while the opposite knee comes up.
Canvas ClimbFrame(int frame) {
    // t runs from -1 (left hand high, right knee up) through 0 to +1 (the mirror image).
    const float t = (frame - 2) / 2.0f;
    Canvas fig = kKid.Layer();
    const float liftL = t > 0 ? 5 * t : 0.0f, liftR = t < 0 ? -5 * t : 0.0f;
    auto leg = [&](float hipX, float footX, float lift, float kneeOut) {
        const Pt knee{footX + kneeOut * (lift > 0 ? 1.0f : 0.0f), 51.0f - lift * 0.6f};
        return kKid.Leg({hipX, 44}, knee, {footX, 57.5f - lift}, false, kKidShoeEnd,
                   {footX - 2, 60.0f - static_cast<float>(static_cast<int>(lift + 0.5f))});
    };
    AddPart(fig, leg(9.5f, 9.0f, liftL, -1.5f));
    AddPart(fig, leg(15.5f, 16.0f, liftR, 1.5f));
    AddPart(fig, kKid.Torso({{7, 28}, {19, 28}, {19, 45}, {7, 45}}, 35, 17));
    Belt(fig, 7, 18, 44);
    AddPart(fig, kKid.Head(6, 14, kHeadAway));
    // Hands on the rungs above the head: the high one near the top of the frame.
    const float leftHandY = 12.0f + 4.0f * t, rightHandY = 12.0f - 4.0f * t;
    AddPart(fig, kKid.Arm({8, 30}, {3, 22.0f + 2.0f * t}, {5, leftHandY}, false));
    AddPart(fig, kKid.Arm({18, 30}, {22, 22.0f - 2.0f * t}, {20, rightHandY}, false));
    return fig;
}

}  // namespace

Canvas WalkerFrame(WalkerView view, int frame) {
    switch (view) {
        case WalkerView::Climb: return ClimbFrame(frame);
        case WalkerView::Toward: return TowardFrame(frame);
        case WalkerView::Right: return SideFrame(frame);
        case WalkerView::Left: return SideFrame(frame).Mirrored();
    }
    return kKid.Layer();
}

Canvas MakeWalkerSheet(WalkerView view) {
    std::vector<Canvas> frames;
    for (int i = 0; i < 5; ++i) frames.push_back(WalkerFrame(view, i));
    // Five cells of 26 with the closing line make 131; one more pixel keeps rows whole words.
    return FrameSheet({frames}, 132);
}
