// The hero walking in the house: the kid from the street, on foot, built from outlined parts back to front.
#include "pictures/hero/room_walker.h"

#include <vector>

#include "pictures/hero/kid_parts.h"

namespace {

const Rgb kFloorShadow{44, 34, 56};

// Indoors the kid has rosy cheeks, darker locks show in his hair from behind and his jeans
// have turned-up hems.
const KidParts kKid(kKidOnFoot, {true, true, true});

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

// Facing us (down) or walking away (up). s runs from +2 (picture-left foot forward, full
// stride) through 0 (standing) to -2 (picture-right foot forward).
Canvas EndOnFrame(int pose, bool toward) {
    static const int kStride[5] = {2, 1, 0, -1, -2};
    const int s = kStride[pose];
    const int bob = (s == 2 || s == -2) ? 1 : 0;
    const float b = static_cast<float>(bob);
    Canvas fig = kKid.Layer();
    FloorShadow(fig, 12.5f, 8.5f);
    // One leg per side: `lead` > 0 is the stepping foot, < 0 the one pushing off.
    auto leg = [&](float hipX, float footX, int lead) {
        // Walking toward us the stepping foot comes down the screen; walking away it goes up.
        const float towardSign = toward ? 1.0f : -1.0f;
        float ankleY = 56.5f, kneeY = 50.5f;
        const KidArt* shoe = &kKidShoeEnd;
        bool farSide = false;
        if (lead > 0) {
            ankleY += towardSign * lead * 0.75f;
            kneeY += towardSign * lead * 0.5f;
        } else if (lead < 0) {
            // Pushing off: the foot rises behind the body.
            ankleY -= -lead * 1.5f;
            kneeY -= -lead * 0.5f;
            farSide = toward;  // seen past the body when it comes toward us
            if (!toward) shoe = &kKidShoeSole;
        }
        const float kneeX = hipX + (footX - hipX) * 0.5f + (lead < 0 ? (footX < 12 ? -0.5f : 0.5f) : 0.0f);
        return kKid.Leg({hipX, 44 + b}, {kneeX, kneeY + b * 0.5f}, {footX, ankleY}, farSide, *shoe,
                        {footX - 2, static_cast<float>(static_cast<int>(ankleY + 2.5f))});
    };
    // Draw the foot further from us first.
    const int leftLead = s, rightLead = -s;
    const bool leftBehind = toward ? leftLead < 0 : leftLead > 0;
    if (leftBehind) {
        AddPart(fig, leg(9.5f, 9.0f, leftLead));
        AddPart(fig, leg(15.5f, 16.0f, rightLead));
    } else {
        AddPart(fig, leg(15.5f, 16.0f, rightLead));
        AddPart(fig, leg(9.5f, 9.0f, leftLead));
    }
    // Arms swing against the legs: the arm on the side of the pushing foot comes forward.
    const float sw = static_cast<float>(s);
    auto arm = [&](float side, float swing) {
        // swing > 0: hand forward (toward us when walking down: lower and a little inward).
        const float towardSign = toward ? 1.0f : -1.0f;
        const float sx = side < 0 ? 6.5f : 19.5f;
        const float out = side < 0 ? -1.0f : 1.0f;
        const Pt shoulder{sx, 30 + b};
        const Pt elbow{sx + out * 1.0f, 36.5f + b + towardSign * swing * 0.4f};
        const Pt hand{sx + out * (1.5f - swing * towardSign * 0.4f), 42.0f + b + towardSign * swing * 0.9f};
        // The arm on the right is on the shirt's shaded side.
        return kKid.Arm(shoulder, elbow, hand, side > 0);
    };
    kKid.AddEndOnBody(fig, bob, toward ? HeadView::Toward : HeadView::Away);
    // Back pockets on the jeans, just under the waistband.
    if (!toward)
        for (int px : {9, 14}) fig.FillRect(px, 46 + bob, 3, 2, pal::kJeansShade);
    AddPart(fig, arm(-1, -sw));
    AddPart(fig, arm(1, sw));
    return fig;
}

// The sheet's side frames: 1 and 3 the two passing steps, 0 and 2 the strides (pushing off on
// the toes), 4 feet together.
const SideStep kSideSteps[5] = {SideStep::NearForward, SideStep::FarLifted, SideStep::FarForward, SideStep::NearLifted,
                                SideStep::Standing};

Canvas SideFrame(int pose) {
    Canvas fig = kKid.Layer();
    FloorShadow(fig, 12.0f, pose == 0 || pose == 2 ? 10.0f : 7.5f);
    kKid.AddSideStep(fig, SideStride(kSideSteps[pose], true));
    return fig;
}

}  // namespace

Canvas RoomWalkerFrame(RoomWalk view, int pose) {
    switch (view) {
        case RoomWalk::Down:
            return EndOnFrame(pose, true);
        case RoomWalk::Up:
            return EndOnFrame(pose, false);
        case RoomWalk::Right:
            return SideFrame(pose);
        case RoomWalk::Left:
            return SideFrame(pose).Mirrored();
    }
    return kKid.Layer();
}

Canvas MakeRoomWalkerSheet(int direction) {
    static const RoomWalk kViews[4] = {RoomWalk::Down, RoomWalk::Up, RoomWalk::Right, RoomWalk::Left};
    std::vector<Canvas> frames;
    for (int i = 0; i < 5; ++i) frames.push_back(RoomWalkerFrame(kViews[direction & 3], i));
    // Five cells of 26 with the closing line make 131; one more pixel keeps rows whole words.
    return FrameSheet({frames}, 132);
}
