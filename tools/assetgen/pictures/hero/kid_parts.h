// The kid who is the hero: his palette, heads, sneakers and the outlined body parts every view is built from.
#pragma once

#include <string>
#include <vector>

#include "kit/canvas.h"

using KidArt = std::vector<std::string>;
using KidColours = std::vector<std::pair<char, Rgb>>;

// Every colour the kid's ASCII parts use: cap (R r W), hair (h H), skin (S s m p), eyes (e),
// the cap's strap (k) and white (w).
extern const KidColours kKidColours;

// Heads 16 x 15 in profile looking right and 14 x 14 facing us, cap on.
extern const KidArt kKidHeadSide;
extern const KidArt kKidHeadToward;
// Sneakers: in profile with the toe to the right, and end-on.
extern const KidArt kKidShoeSide;
extern const KidArt kKidShoeEnd;

// How one set of frames draws the kid: the cell size and the stroke radii of his limbs.
struct KidBuild {
    int cellW, cellH;
    float forearm, upperArm, sleeve, hand;
    float sleeveReach;  // the short sleeve covers this much of the upper arm
    float thigh, shin;
    bool hem;  // a turned-up hem shows above each shoe
};

// Where the limbs go in one step of the walk seen from the side. Elbows and hands are given
// for the body standing tall; bob lowers them with the hips, shoulders and head.
struct KidStride {
    int bob;  // body lowered by this many pixels
    Pt nearKnee, nearAnkle, nearShoe;
    Pt farKnee, farAnkle, farShoe;
    Pt nearElbow, nearHand, farElbow, farHand;
};

// Makes the kid's body parts, each on its own key-background layer the size of a cell; AddPart
// stacks them back to front.
class KidParts {
public:
    explicit KidParts(const KidBuild& build) : build_(build) {}

    Canvas Layer() const { return Canvas(build_.cellW, build_.cellH); }
    // Sleeve from the shoulder for the first part of the upper arm, then bare skin to the hand.
    Canvas Arm(Pt shoulder, Pt elbow, Pt hand, bool farSide) const;
    // A leg in jeans from hip through knee to ankle, the shoe's top-left corner at shoeAt.
    Canvas Leg(Pt hip, Pt knee, Pt ankle, bool farSide, const KidArt& shoe, Pt shoeAt) const;
    // The shirt: shaded in the two columns from shadeX, the stripe across the chest at stripeY.
    Canvas Torso(const std::vector<Pt>& shape, int stripeY, int shadeX) const;
    // A head drawn at (x, y) in the kid's colours.
    Canvas Head(int x, int y, const KidArt& art) const;

    // One step of the walk seen from the side, facing right, in a 25 x 64 cell: far arm, far
    // leg, near leg, shirt and belt, head, near arm, added over the figure built so far.
    void AddSideStep(Canvas& figure, const KidStride& step, const KidArt& farShoe, const KidArt& nearShoe,
                     const KidArt& head) const;

private:
    KidBuild build_;
};

// Draws a layer with its own outline over the figure built so far.
void AddPart(Canvas& figure, Canvas part);

// The jeans' waistband across the shirt's hem, from x0 to x1 on row y.
void Belt(Canvas& figure, int x0, int x1, int y);
