// The kid who is the hero: his palette, heads, sneakers and the outlined body parts every view is built from.
#include "pictures/hero/kid_parts.h"

#include <utility>

namespace {

const Rgb kHairDark{84, 44, 26};
const Rgb kCheek{240, 164, 138};

}  // namespace

const KidColours kKidColours = {
    {'R', pal::kCap},     {'r', pal::kCapDark},   {'W', pal::kCapLight}, {'h', pal::kHair},
    {'H', kHairDark},     {'S', pal::kSkin},      {'s', pal::kSkinShade}, {'e', pal::kInk},
    {'m', pal::kSkinShade}, {'k', pal::kInkSoft}, {'p', kCheek},          {'w', pal::kWhite},
};

const KidArt kKidHeadSide = {
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

const KidArt kKidHeadToward = {
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
    if (build_.hem) {
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

Canvas KidParts::Head(int x, int y, const KidArt& art) const {
    Canvas c = Layer();
    c.DrawArt(x, y, art, kKidColours);
    return c;
}

void KidParts::AddSideStep(Canvas& figure, const KidStride& step, const KidArt& farShoe, const KidArt& nearShoe,
                           const KidArt& head) const {
    const float b = static_cast<float>(step.bob);
    const Pt hipFar{10.5f, 44 + b}, hipNear{13.5f, 44 + b};
    const Pt shFar{10, 31 + b}, shNear{14, 31 + b};
    AddPart(figure, Arm(shFar, {step.farElbow.x, step.farElbow.y + b}, {step.farHand.x, step.farHand.y + b}, true));
    AddPart(figure, Leg(hipFar, step.farKnee, step.farAnkle, true, farShoe, step.farShoe));
    AddPart(figure, Leg(hipNear, step.nearKnee, step.nearAnkle, false, nearShoe, step.nearShoe));
    AddPart(figure, Torso({{8, 28 + b}, {16, 28 + b}, {17, 36 + b}, {16, 45 + b}, {8, 45 + b}, {7, 36 + b}}, 35 + step.bob, 7));
    Belt(figure, 8, 16, 44 + step.bob);
    AddPart(figure, Head(5, 13 + step.bob, head));
    AddPart(figure, Arm(shNear, {step.nearElbow.x, step.nearElbow.y + b}, {step.nearHand.x, step.nearHand.y + b}, false));
}

void AddPart(Canvas& figure, Canvas part) { StampOutlined(figure, std::move(part), pal::kInk); }

void Belt(Canvas& figure, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x)
        if (figure.Get(x, y) != pal::kInk && figure.Get(x, y) != kKey) figure.Set(x, y, pal::kJeansShade);
}
