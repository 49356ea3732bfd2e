// The hero walking in the house: the kid from the street, on foot, built from outlined parts back to front.
#include "pictures/hero/room_walker.h"

#include <vector>

#include "pictures/hero/kid_parts.h"

namespace {

const Rgb kFloorShadow{44, 34, 56};

// The kid's heads with rosy cheeks, and darker locks in the hair seen from behind.
const KidArt kHeadSide = {
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

const KidArt kHeadToward = {
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
const KidArt kHeadAway = {
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

// Sneakers besides the kid's usual two: pushing off with the heel up, and the sole of a foot
// lifting behind.
const KidArt kShoeToeOff = {
    ".RR....",
    "RRRRR..",
    "wRRRRRR",
    ".wwwwww",
};
const KidArt kShoeSole = {
    ".RRR.",
    "wwwww",
    ".www.",
};

const KidParts kKid({kRoomWalkerW, kRoomWalkerH, 1.0f, 1.05f, 1.45f, 1.25f, 0.5f, 2.0f, 1.75f, true});

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
            if (!toward) shoe = &kShoeSole;
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
    if (!toward) {
        AddPart(fig, kKid.Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
        // Back pockets on the jeans, just under the waistband.
        for (int px : {9, 14}) fig.FillRect(px, 46 + bob, 3, 2, pal::kJeansShade);
    } else {
        AddPart(fig, kKid.Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
    }
    Belt(fig, 7, 18, 44 + bob);
    AddPart(fig, kKid.Head(6, 14 + bob, toward ? kHeadToward : kHeadAway));
    AddPart(fig, arm(-1, -sw));
    AddPart(fig, arm(1, sw));
    return fig;
}

struct SidePose {
    KidStride step;
    bool nearToeOff, farToeOff;  // that foot pushes off with its heel up
};

SidePose SideTable(int pose) {
    switch (pose) {
        case 0:  // near leg reaching forward, far foot pushing off behind
            return {{1,
                     {15.5f, 51}, {17.5f, 57.5f}, {15, 59},
                     {10, 51}, {7, 56.5f}, {3, 58},
                     {11, 37}, {8.5f, 41.5f}, {15.5f, 37}, {18.5f, 41}},
                    false, true};
        case 2:  // far leg forward, near foot pushing off
            return {{1,
                     {10, 51}, {7, 56.5f}, {3, 58},
                     {15, 51}, {17, 57.5f}, {14, 59},
                     {15.5f, 37}, {18.5f, 41}, {11, 37}, {8.5f, 41.5f}},
                    true, false};
        case 3:  // passing, near foot lifted under the body
            return {{0,
                     {14.5f, 49.5f}, {11, 54.5f}, {8, 56},
                     {12.5f, 51.5f}, {12, 57.5f}, {9, 59},
                     {13, 37.5f}, {12, 43}, {13.5f, 37.5f}, {14.5f, 42.5f}},
                    false, false};
        case 4:  // feet together
            return {{0,
                     {13, 51}, {12.5f, 57.5f}, {10, 59},
                     {11.5f, 51}, {11, 57.5f}, {8, 59},
                     {13, 37.5f}, {13.5f, 43}, {11.5f, 37}, {11, 42}},
                    false, false};
        default:  // 1: passing, far foot lifted under the body
            return {{0,
                     {13.5f, 51.5f}, {12.5f, 57.5f}, {10, 59},
                     {14.5f, 49.5f}, {11, 54.5f}, {8, 56},
                     {14, 37.5f}, {15.5f, 42.5f}, {11, 37}, {10, 42}},
                    false, false};
    }
}

Canvas SideFrame(int pose) {
    const SidePose p = SideTable(pose);
    Canvas fig = kKid.Layer();
    FloorShadow(fig, 12.0f, pose == 0 || pose == 2 ? 10.0f : 7.5f);
    kKid.AddSideStep(fig, p.step, p.farToeOff ? kShoeToeOff : kKidShoeSide, p.nearToeOff ? kShoeToeOff : kKidShoeSide,
                     kHeadSide);
    return fig;
}

}  // namespace

Canvas RoomWalkerFrame(RoomWalk view, int pose) {
    switch (view) {
        case RoomWalk::Down: return EndOnFrame(pose, true);
        case RoomWalk::Up: return EndOnFrame(pose, false);
        case RoomWalk::Right: return SideFrame(pose);
        case RoomWalk::Left: return SideFrame(pose).Mirrored();
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
