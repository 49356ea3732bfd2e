// The hero on foot: the same kid as on the board, drawn from outlined parts back to front.
#include "pictures/hero/girder_walker.h"

#include <vector>

#include "pictures/hero/kid_parts.h"

namespace {

const KidParts kKid(kKidOnFoot);

// The sheet's side frames: 0 and 2 the two strides, 1 passing, 3 standing (4 is the jump).
const SideStep kSideSteps[4] = {SideStep::NearForward, SideStep::FarLifted, SideStep::FarForward, SideStep::Standing};

Canvas SideFrame(int frame) {
    Canvas fig = kKid.Layer();
    if (frame == 4) {
        // The jump: knees tucked, arms flung up and out.
        const Pt hipFar{10.5f, 43}, hipNear{13.5f, 43};
        AddPart(fig, kKid.Arm({10, 30}, {6.5f, 26}, {4, 21}, true));
        AddPart(fig, kKid.Leg(hipFar, {16, 46}, {10, 52}, true, kKidShoeSide, {6, 53}));
        AddPart(fig, kKid.Torso({{8, 27}, {16, 27}, {17, 35}, {16, 44}, {8, 44}, {7, 35}}, 34, 7));
        AddPart(fig, kKid.Leg(hipNear, {19, 47}, {14.5f, 54}, false, kKidShoeSide, {11, 55}));
        AddPart(fig, kKid.Head(5, 12, HeadView::Side));
        AddPart(fig, kKid.Arm({14, 30}, {18, 27}, {21, 22}, false));
        return fig;
    }
    kKid.AddSideStep(fig, SideStride(kSideSteps[frame]));
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
    kKid.AddEndOnBody(fig, bob, HeadView::Toward);
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
    kKid.AddEndOnBody(fig, 0, HeadView::Away);
    // Hands on the rungs above the head: the high one near the top of the frame.
    const float leftHandY = 12.0f + 4.0f * t, rightHandY = 12.0f - 4.0f * t;
    AddPart(fig, kKid.Arm({8, 30}, {3, 22.0f + 2.0f * t}, {5, leftHandY}, false));
    AddPart(fig, kKid.Arm({18, 30}, {22, 22.0f - 2.0f * t}, {20, rightHandY}, false));
    return fig;
}

}  // namespace

Canvas WalkerFrame(WalkerView view, int frame) {
    switch (view) {
        case WalkerView::Climb:
            return ClimbFrame(frame);
        case WalkerView::Toward:
            return TowardFrame(frame);
        case WalkerView::Right:
            return SideFrame(frame);
        case WalkerView::Left:
            return SideFrame(frame).Mirrored();
    }
    return kKid.Layer();
}

Canvas MakeWalkerSheet(WalkerView view) {
    std::vector<Canvas> frames;
    for (int i = 0; i < 5; ++i) frames.push_back(WalkerFrame(view, i));
    // Five cells of 26 with the closing line make 131; one more pixel keeps rows whole words.
    return FrameSheet({frames}, 132);
}
