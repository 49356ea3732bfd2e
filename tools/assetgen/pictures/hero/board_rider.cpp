// The hero, a kid on a board: built from outlined parts, back to front, frame by frame.
#include "pictures/hero/board_rider.h"

#include <cmath>
#include <vector>

#include "pictures/hero/kid_parts.h"

namespace {

const KidParts kKid(kKidOnBoard);

// The board seen from the side: deck from tail to nose (both the deck's top line), two
// wheels; phase turns the wheels' shine.
Canvas BoardSide(Pt tail, Pt nose, int phase) {
    Canvas c = kKid.Layer();
    float dx = nose.x - tail.x, dy = nose.y - tail.y;
    float len = std::sqrt(dx * dx + dy * dy);
    float ux = dx / len, uy = dy / len;  // along the deck
    float nx = -uy, ny = ux;             // down from the deck (for a level board: (0, 1))
    if (ny < 0) {
        nx = -nx;
        ny = -ny;
    }
    // Deck: two rows thick, kick tails bent up at both ends.
    for (float t = 2; t <= len - 2; t += 0.5f) {
        float x = tail.x + ux * t, y = tail.y + uy * t;
        c.Set(static_cast<int>(x), static_cast<int>(y), pal::kGrip);
        c.Set(static_cast<int>(x + nx), static_cast<int>(y + ny), pal::kDeck);
        c.Set(static_cast<int>(x + nx * 2), static_cast<int>(y + ny * 2), pal::kDeckDark);
    }
    for (int end = 0; end < 2; ++end) {
        Pt p = end == 0 ? tail : nose;
        float sx = end == 0 ? 1.0f : -1.0f;  // toward the middle of the board
        c.Set(static_cast<int>(p.x + ux * sx * 1), static_cast<int>(p.y + uy * sx * 1 - 0), pal::kDeck);
        c.Set(static_cast<int>(p.x + ux * sx * 1 + nx), static_cast<int>(p.y + uy * sx * 1 + ny), pal::kDeckDark);
        c.Set(static_cast<int>(p.x), static_cast<int>(p.y - 1), pal::kDeck);
    }
    // Trucks and wheels, a fifth of the way in from each end.
    for (int k = 0; k < 2; ++k) {
        float t = k == 0 ? len * 0.22f : len * 0.78f;
        float x = tail.x + ux * t, y = tail.y + uy * t;
        float tx = x + nx * 3, ty = y + ny * 3;
        c.Set(static_cast<int>(tx), static_cast<int>(ty), pal::kSteel);
        c.Set(static_cast<int>(tx) + 1, static_cast<int>(ty), pal::kSteelDark);
        float wx = x + nx * 5.2f + 0.5f, wy = y + ny * 5.2f;
        c.FillCircle(wx, wy, 2.3f, pal::kWheel);
        c.Set(static_cast<int>(wx), static_cast<int>(wy), pal::kSteelDark);  // hub
        // The shine runs round the wheel as it turns.
        static const int kShineX[4] = {-1, 0, 1, 0};
        static const int kShineY[4] = {0, -1, 0, 1};
        int q = (phase + k) & 3;
        c.Set(static_cast<int>(wx) + kShineX[q], static_cast<int>(wy) + kShineY[q], pal::kWhite);
        c.Set(static_cast<int>(wx) - kShineX[q], static_cast<int>(wy) - kShineY[q], pal::kWheelShade);
    }
    return c;
}

// The board seen end-on (riding toward or away from the viewer).
Canvas BoardEnd(int deckY, int phase) {
    Canvas c = kKid.Layer();
    c.FillRect(9, deckY, 16, 1, pal::kGrip);
    c.FillRect(9, deckY + 1, 16, 1, pal::kDeck);
    c.FillRect(10, deckY + 2, 14, 1, pal::kDeckDark);
    c.FillRect(13, deckY + 3, 8, 1, pal::kSteel);
    for (int k = 0; k < 2; ++k) {
        int x = k == 0 ? 9 : 21;
        c.FillRect(x, deckY + 3, 4, 4, pal::kWheel);
        c.FillRect(x, deckY + 6, 4, 1, pal::kWheelShade);
        c.Set(x + 1 + ((phase + k) & 1), deckY + 4, pal::kWhite);
    }
    return c;
}

// The shirt, shaded on the side away from the light.
Canvas Torso(const std::vector<Pt>& shape, int stripeY, bool litLeft) {
    float minx = 99, maxx = -99;
    for (const Pt& p : shape) {
        minx = std::fmin(minx, p.x);
        maxx = std::fmax(maxx, p.x);
    }
    return kKid.Torso(shape, stripeY, litLeft ? static_cast<int>(maxx) - 2 : static_cast<int>(minx));
}

struct SidePose {
    int bob;  // body lowered by this many pixels
    Pt backElbow, backHand, frontElbow, frontHand;
    Pt backKnee, backAnkle, frontKnee, frontAnkle;
    Pt backShoe, frontShoe;
    Pt tail, nose;  // the deck's top line
};

Canvas SideFrame(int frame) {
    SidePose p;
    if (frame == 3) {
        // The jump: knees tucked, board pulled up under the feet, arms thrown out.
        p = {0,        {9, 26},  {5, 22}, {24, 27}, {29, 23}, {20, 42}, {12, 48},
             {25, 39}, {23, 45}, {8, 47}, {19, 44}, {3, 54},  {30, 49}};
    } else {
        const int bob = frame == 1 ? 1 : 0;
        const float arm = frame == 0 ? 0.0f : (frame == 1 ? 1.5f : 3.0f);
        p = {bob,
             {10, 33.0f + bob - arm * 0.3f},
             {6, 36.0f + bob - arm},
             {23, 32.0f + bob + arm * 0.3f},
             {27, 33.0f + bob + arm * 0.6f},
             {11.0f - bob * 0.5f, 48.0f + bob * 0.5f},
             {9.5f, 54},
             {21.0f + bob * 0.5f, 48.0f + bob * 0.5f},
             {22.5f, 54},
             {6, 55},
             {19, 55},
             {3, 59},
             {30, 59}};
    }
    const int b = p.bob;
    Canvas fig = kKid.Layer();
    Pt backShoulder{14, 28.0f + b}, frontShoulder{18, 28.0f + b};
    Pt backHip{14.5f, 40.0f + b}, frontHip{17.5f, 40.0f + b};
    if (frame == 3) {
        backHip = {14.5f, 39};
        frontHip = {17.5f, 38};
    }
    AddPart(fig, kKid.Arm(backShoulder, p.backElbow, p.backHand, true));
    AddPart(fig, BoardSide(p.tail, p.nose, frame));
    AddPart(fig, kKid.Leg(backHip, p.backKnee, p.backAnkle, true, kKidShoeSide, p.backShoe));
    // In the jump the near thigh is pulled up across the body, so it goes over the shirt.
    const bool tucked = frame == 3;
    if (!tucked) AddPart(fig, kKid.Leg(frontHip, p.frontKnee, p.frontAnkle, false, kKidShoeSide, p.frontShoe));
    const float lean = tucked ? 1.0f : 0.0f;
    AddPart(fig, Torso({{12 + lean, 25.0f + b},
                        {20 + lean, 25.0f + b},
                        {21, 33.0f + b},
                        {20, 42.0f + b},
                        {12, 42.0f + b},
                        {11, 33.0f + b}},
                       32 + b, false));
    if (tucked) AddPart(fig, kKid.Leg(frontHip, p.frontKnee, p.frontAnkle, false, kKidShoeSide, p.frontShoe));
    AddPart(fig, kKid.Head(9 + static_cast<int>(lean), 10 + b, HeadView::Side));
    AddPart(fig, kKid.Arm(frontShoulder, p.frontElbow, p.frontHand, false));
    return fig;
}

Canvas EndOnFrame(int frame, bool toward) {
    const int b = frame == 1 ? 1 : 0;
    const bool jump = frame == 3;
    const float sway = frame == 0 ? 0.0f : (frame == 1 ? 1.0f : 2.0f);
    Canvas fig = kKid.Layer();
    const int deckY = jump ? 52 : 59;
    const float footY = jump ? 49.0f : 56.0f;
    Pt lhip{14, 40.0f + b}, rhip{20, 40.0f + b};
    Pt lknee = jump ? Pt{9, 44} : Pt{12.5f, 48.0f + b * 0.5f};
    Pt rknee = jump ? Pt{25, 44} : Pt{21.5f, 48.0f + b * 0.5f};
    Pt lankle{12, footY - 2}, rankle{22, footY - 2};
    if (!toward) {
        // Seen from behind the boots and the light swap sides; keep the picture the same shape.
    }
    AddPart(fig, BoardEnd(deckY, frame));
    AddPart(fig, kKid.Leg(lhip, lknee, lankle, !toward, kKidShoeEnd, {9.5f, footY}));
    AddPart(fig, kKid.Leg(rhip, rknee, rankle, !toward, kKidShoeEnd, {19.5f, footY}));
    AddPart(fig, Torso({{11, 25.0f + b}, {23, 25.0f + b}, {23, 42.0f + b}, {11, 42.0f + b}}, 32 + b, true));
    AddPart(fig, kKid.Head(10, 11 + b, toward ? HeadView::Toward : HeadView::Away));
    // Arms held out for balance; they rise with the bob and fly up in the jump.
    Pt lsh{11.5f, 27.0f + b}, rsh{22.5f, 27.0f + b};
    Pt lel = jump ? Pt{6, 23} : Pt{7, 33.0f + b - sway};
    Pt lha = jump ? Pt{3, 18} : Pt{4, 38.0f + b - sway * 1.5f};
    Pt rel = jump ? Pt{28, 23} : Pt{27, 33.0f + b + sway - 2};
    Pt rha = jump ? Pt{31, 18} : Pt{30, 38.0f + b + sway * 0.5f - 2};
    AddPart(fig, kKid.Arm(lsh, lel, lha, !toward));
    AddPart(fig, kKid.Arm(rsh, rel, rha, !toward));
    return fig;
}

}  // namespace

Canvas HeroFrame(HeroView view, int frame) {
    switch (view) {
        case HeroView::Toward:
            return EndOnFrame(frame, true);
        case HeroView::Away:
            return EndOnFrame(frame, false);
        case HeroView::Right:
            return SideFrame(frame);
        case HeroView::Left:
            return SideFrame(frame).Mirrored();
    }
    return kKid.Layer();
}

Canvas MakeHeroSheet() {
    const HeroView views[4] = {HeroView::Toward, HeroView::Away, HeroView::Right, HeroView::Left};
    std::vector<std::vector<Canvas>> rows(4);
    for (int a = 0; a < 4; ++a)
        for (int j = 0; j < 4; ++j) rows[a].push_back(HeroFrame(views[a], j));
    // 4 cells of 35 plus the closing line is 141; 144 keeps every 24-bit row a multiple of 4 bytes.
    return FrameSheet(rows, 144);
}
