// The kid who is the hero, drawn once for every picture of him: palette, heads, sneakers, body parts and poses.
#include "pictures/hero/kid_parts.h"

#include <utility>

namespace {

const Rgb kHairDark{84, 44, 26};
const Rgb kCheek{240, 164, 138};

}  // namespace

const KidColours kKidColours = {
    {'R', pal::kCap},       {'r', pal::kCapDark}, {'W', pal::kCapLight},  {'h', pal::kHair},
    {'H', kHairDark},       {'S', pal::kSkin},    {'s', pal::kSkinShade}, {'e', pal::kInk},
    {'m', pal::kSkinShade}, {'k', pal::kInkSoft}, {'p', kCheek},          {'w', pal::kWhite},
};

namespace {

const KidArt kHeadSide = {
    "....RRRRR.......", "..RRRRRRWWR.....", ".RRRRRRRRRWR....", ".rRRRRRRRRRRR...", ".rrRRRRRRRRRRR..",
    ".hrrrrrrrrrrrrrr", ".hhhhSSSSSSSS...", ".hhhSSSSSSSeS...", ".hhSsSSSSSSeSS..", ".hhSssSSSSSSSSS.",
    "..hssSSSSSSSS...", "..hSSSSSSSSmS...", "...SSSSSSSSS....", "....sSSSSSS.....", ".....sSSS.......",
};

const KidArt kHeadToward = {
    "....RRRRRR....", "..RRRRWWRRRR..", ".RRRRRRRRWRRR.", ".RRRRRRRRRRRR.", "rrrrrrrrrrrrrr",
    ".hrrrrrrrrrrh.", ".hhSSSSSSSShh.", ".hSSeSSSSeSSh.", "sSSSeSSSSeSSSs", "sSSSSSSSSSSSSs",
    ".SSSSSmmSSSSS.", "..SSSSSSSSSS..", "...sSSSSSSs...", ".....ssss.....",
};

// From behind: the cap's strap and button, hair down to the neck.
const KidArt kHeadAway = {
    "....RRRRRR....", "..RRRRWRRRRR..", ".RRRRRRRRRRRR.", ".RRRRRkkkRRRR.", ".RRRRRhhhRRRR.",
    ".hrrrrrrrrrrh.", ".hhhhhhhhhhhh.", ".hhhhhhhhhhhh.", "shhhhhhhhhhhhs", "shhhhhhhhhhhhs",
    ".hhhhhhhhhhhh.", "..hhhhhhhhhh..", "...sSSSSSSs...", ".....ssss.....",
};

// The touches laid over the heads ('.' leaves the head as it is).
const KidArt kCheekSide = {
    "", "", "", "", "", "", "", "", "", "..........p",
};
const KidArt kCheeksToward = {
    "", "", "", "", "", "", "", "", "", "..p........p",
};
const KidArt kLocksAway = {
    "",
    "",
    "",
    "",
    "",
    "",
    "...........H",
    "...........H",
    "...........HH",
    "...........HH",
    "..........HH",
    "....H...HHH",
};

}  // namespace

const KidArt kKidShoeSide = {
    "..RRR..",
    ".RRRRR.",
    "RRRRRRR",
    "wwwwwww",
};

const KidArt kKidShoeEnd = {
    ".RRR.",
    "RRRRR",
    "wwwww",
};

const KidArt kKidShoeToeOff = {
    ".RR....",
    "RRRRR..",
    "wRRRRRR",
    ".wwwwww",
};

const KidArt kKidShoeSole = {
    ".RRR.",
    "wwwww",
    ".www.",
};

const KidBuild kKidOnBoard = {34, 68, 1.05f, 1.1f, 1.5f, 1.3f, 0.45f, 2.1f, 1.8f};
const KidBuild kKidOnFoot = {25, 64, 1.0f, 1.05f, 1.45f, 1.25f, 0.45f, 2.0f, 1.75f};

KidStride SideStride(SideStep step, bool onToes) {
    KidStride s;
    switch (step) {
        case SideStep::NearForward:
            s = {1,       {15.5f, 51}, {17.5f, 57.5f}, {15, 59},    {9.5f, 51}, {6.5f, 57},
                 {3, 59}, {11.5f, 37}, {8.5f, 41},     {15.5f, 37}, {18.5f, 40}};
            s.farOnToes = onToes;
            break;
        case SideStep::FarForward:
            s = {1,        {10, 51}, {7, 57.5f}, {4, 59},  {15, 51},  {17, 57.5f},
                 {14, 59}, {16, 37}, {19, 40},   {11, 37}, {8, 40.5f}};
            s.nearOnToes = onToes;
            break;
        case SideStep::FarLifted:
            s = {0,       {13.5f, 51.5f}, {12.5f, 57.5f}, {10, 59}, {14.5f, 49.5f}, {11, 54.5f},
                 {8, 56}, {14, 37.5f},    {15.5f, 42.5f}, {11, 37}, {10, 42}};
            break;
        case SideStep::NearLifted:
            s = {0,       {14.5f, 49.5f}, {11, 54.5f}, {8, 56},        {12.5f, 51.5f}, {12, 57.5f},
                 {9, 59}, {13, 37.5f},    {12, 43},    {13.5f, 37.5f}, {14.5f, 42.5f}};
            break;
        case SideStep::Standing:
            s = {0,       {13, 51},    {12.5f, 57.5f}, {10, 59},    {11.5f, 51}, {11, 57.5f},
                 {8, 59}, {13, 37.5f}, {13.5f, 43},    {11.5f, 37}, {11, 42}};
            break;
    }
    // Up on the toes, the foot behind sits higher and a little further in, whichever leg it is.
    if (s.nearOnToes) {
        s.nearKnee = {10, 51};
        s.nearAnkle = {7, 56.5f};
        s.nearShoe = {3, 58};
    }
    if (s.farOnToes) {
        s.farKnee = {10, 51};
        s.farAnkle = {7, 56.5f};
        s.farShoe = {3, 58};
    }
    return s;
}

Canvas KidParts::Arm(Pt shoulder, Pt elbow, Pt hand, bool farSide) const {
    Canvas c = Layer();
    const Rgb skin = farSide ? pal::kSkinShade : pal::kSkin;
    const Rgb sleeve = farSide ? pal::kShirtShade : pal::kShirt;
    c.ThickLine(elbow.x, elbow.y, hand.x, hand.y, build_.forearm, skin);
    c.ThickLine(shoulder.x, shoulder.y, elbow.x, elbow.y, build_.upperArm, skin);
    const float reach = build_.sleeveReach;
    const Pt mid{shoulder.x + (elbow.x - shoulder.x) * reach, shoulder.y + (elbow.y - shoulder.y) * reach};
    c.ThickLine(shoulder.x, shoulder.y, mid.x, mid.y, build_.sleeve, sleeve);
    c.FillCircle(hand.x, hand.y, build_.hand, skin);
    return c;
}

Canvas KidParts::Leg(Pt hip, Pt knee, Pt ankle, bool farSide, const KidArt& shoe, Pt shoeAt) const {
    Canvas c = Layer();
    const Rgb jeans = farSide ? pal::kJeansShade : pal::kJeans;
    c.ThickLine(hip.x, hip.y, knee.x, knee.y, build_.thigh, jeans);
    c.ThickLine(knee.x, knee.y, ankle.x, ankle.y, build_.shin, jeans);
    if (!farSide) {
        // A lit seam down the front of the near thigh.
        c.Line(static_cast<int>(hip.x + 1), static_cast<int>(hip.y + 1), static_cast<int>(knee.x + 1),
               static_cast<int>(knee.y), pal::kJeansLight);
    }
    if (look_.hem) {
        c.HLine(static_cast<int>(ankle.x - 1.5f), static_cast<int>(ankle.x + 1.5f), static_cast<int>(ankle.y) + 1,
                farSide ? pal::kJeans : pal::kJeansLight);
    }
    const KidColours shoeColours = {{'R', farSide ? pal::kCapDark : pal::kShoe}, {'w', pal::kShoeSole}};
    c.DrawArt(static_cast<int>(shoeAt.x), static_cast<int>(shoeAt.y), shoe, shoeColours);
    return c;
}

Canvas KidParts::Torso(const std::vector<Pt>& shape, int stripeY, int shadeX) const {
    Canvas c = Layer();
    c.FillPolygon(shape, pal::kShirt);
    c.Recolour(shadeX, 0, 2, build_.cellH, pal::kShirt, pal::kShirtShade);
    c.Recolour(0, stripeY, build_.cellW, 2, pal::kShirt, pal::kShirtStripe);
    c.Recolour(0, stripeY, build_.cellW, 2, pal::kShirtShade, Mix(pal::kShirtStripe, pal::kInk, 0.3f));
    return c;
}

Canvas KidParts::Head(int x, int y, HeadView view) const {
    Canvas c = Layer();
    switch (view) {
        case HeadView::Side:
            c.DrawArt(x, y, kHeadSide, kKidColours);
            if (look_.rosyCheeks) c.DrawArt(x, y, kCheekSide, kKidColours);
            break;
        case HeadView::Toward:
            c.DrawArt(x, y, kHeadToward, kKidColours);
            if (look_.rosyCheeks) c.DrawArt(x, y, kCheeksToward, kKidColours);
            break;
        case HeadView::Away:
            c.DrawArt(x, y, kHeadAway, kKidColours);
            if (look_.darkLocks) c.DrawArt(x, y, kLocksAway, kKidColours);
            break;
    }
    return c;
}

void KidParts::AddSideStep(Canvas& figure, const KidStride& step) const {
    const KidArt& farShoe = step.farOnToes ? kKidShoeToeOff : kKidShoeSide;
    const KidArt& nearShoe = step.nearOnToes ? kKidShoeToeOff : kKidShoeSide;
    const float b = static_cast<float>(step.bob);
    const Pt hipFar{10.5f, 44 + b}, hipNear{13.5f, 44 + b};
    const Pt shFar{10, 31 + b}, shNear{14, 31 + b};
    AddPart(figure, Arm(shFar, {step.farElbow.x, step.farElbow.y + b}, {step.farHand.x, step.farHand.y + b}, true));
    AddPart(figure, Leg(hipFar, step.farKnee, step.farAnkle, true, farShoe, step.farShoe));
    AddPart(figure, Leg(hipNear, step.nearKnee, step.nearAnkle, false, nearShoe, step.nearShoe));
    AddPart(figure,
            Torso({{8, 28 + b}, {16, 28 + b}, {17, 36 + b}, {16, 45 + b}, {8, 45 + b}, {7, 36 + b}}, 35 + step.bob, 7));
    Belt(figure, 8, 16, 44 + step.bob);
    AddPart(figure, Head(5, 13 + step.bob, HeadView::Side));
    AddPart(figure,
            Arm(shNear, {step.nearElbow.x, step.nearElbow.y + b}, {step.nearHand.x, step.nearHand.y + b}, false));
}

void KidParts::AddEndOnBody(Canvas& figure, int bob, HeadView head) const {
    const float b = static_cast<float>(bob);
    AddPart(figure, Torso({{7, 28 + b}, {19, 28 + b}, {19, 45 + b}, {7, 45 + b}}, 35 + bob, 17));
    Belt(figure, 7, 18, 44 + bob);
    AddPart(figure, Head(6, 14 + bob, head));
}

void AddPart(Canvas& figure, Canvas part) {
    StampOutlined(figure, std::move(part), pal::kInk);
}

void Belt(Canvas& figure, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x)
        if (figure.Get(x, y) != pal::kInk && figure.Get(x, y) != kKey) figure.Set(x, y, pal::kJeansShade);
}
