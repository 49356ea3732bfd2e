// The kid who is the hero, drawn once for every picture of him: his palette, his three heads,
// his sneakers, the outlined body parts, the walk seen from the side and the body seen end-on.
// The board, the girders and the rooms differ only in his size and in a few touches (KidLook).
#pragma once

#include <string>
#include <vector>

#include "kit/canvas.h"

using KidArt = std::vector<std::string>;
using KidColours = std::vector<std::pair<char, Rgb>>;

// Every colour the kid's ASCII parts use: cap (R r W), hair (h H), skin (S s m p), eyes (e),
// the cap's strap (k) and white (w).
extern const KidColours kKidColours;

// Sneakers: in profile with the toe to the right, end-on, in profile pushing off with the heel
// up, and the sole of a foot lifting behind (seen from behind).
extern const KidArt kKidShoeSide;
extern const KidArt kKidShoeEnd;
extern const KidArt kKidShoeToeOff;
extern const KidArt kKidShoeSole;

// The heads: 16 x 15 in profile looking right, 14 x 14 facing us and from behind, cap on.
enum class HeadView { Side, Toward, Away };

// The touches one set of frames adds to the kid's plain look.
struct KidLook {
    bool rosyCheeks = false;  // a little pink on the cheeks in profile and facing us
    bool darkLocks = false;   // darker locks in the hair seen from behind
    bool hem = false;         // a turned-up hem shows above each shoe
};

// The kid's size in one set of frames: the cell and the stroke radii of his limbs.
struct KidBuild {
    int cellW, cellH;
    float forearm, upperArm, sleeve, hand;
    float sleeveReach;  // the short sleeve covers this much of the upper arm
    float thigh, shin;
};

// On the board (cells of 34 x 68) and on foot (cells of 25 x 64).
extern const KidBuild kKidOnBoard;
extern const KidBuild kKidOnFoot;

// Where the limbs go in one step of the walk seen from the side. Elbows and hands are given
// for the body standing tall; bob lowers them with the hips, shoulders and head.
struct KidStride {
    int bob;  // body lowered by this many pixels
    Pt nearKnee, nearAnkle, nearShoe;
    Pt farKnee, farAnkle, farShoe;
    Pt nearElbow, nearHand, farElbow, farHand;
    bool nearOnToes = false, farOnToes = false;  // that foot pushes off with its heel up
};

// The steps of the walk on foot seen from the side, facing right.
enum class SideStep {
    NearForward,  // near leg reaching forward, far leg pushing off behind
    FarForward,   // the other way round
    FarLifted,    // passing, far foot lifted under the body
    NearLifted,   // passing, near foot lifted under the body
    Standing,     // feet together
};

// One step; with onToes the foot behind in a stride pushes off with its heel up.
KidStride SideStride(SideStep step, bool onToes = false);

// Makes the kid's body parts, each on its own key-background layer the size of a cell; AddPart
// stacks them back to front.
class KidParts {
public:
    explicit KidParts(const KidBuild& build, const KidLook& look = {}) : build_(build), look_(look) {}

    Canvas Layer() const { return Canvas(build_.cellW, build_.cellH); }
    // Sleeve from the shoulder for the first part of the upper arm, then bare skin to the hand.
    Canvas Arm(Pt shoulder, Pt elbow, Pt hand, bool farSide) const;
    // A leg in jeans from hip through knee to ankle, the shoe's top-left corner at shoeAt.
    Canvas Leg(Pt hip, Pt knee, Pt ankle, bool farSide, const KidArt& shoe, Pt shoeAt) const;
    // The shirt: shaded in the two columns from shadeX, the stripe across the chest at stripeY.
    Canvas Torso(const std::vector<Pt>& shape, int stripeY, int shadeX) const;
    // The head seen from one side, its top-left corner at (x, y), with this look's touches.
    Canvas Head(int x, int y, HeadView view) const;

    // One step of the walk seen from the side, facing right, in a 25 x 64 cell: far arm, far
    // leg, near leg, shirt and belt, head, near arm, added over the figure built so far.
    void AddSideStep(Canvas& figure, const KidStride& step) const;
    // The body on foot seen end-on in a 25 x 64 cell, lowered by bob: shirt, belt and the head
    // facing us or turned away. Legs go before it, arms after it.
    void AddEndOnBody(Canvas& figure, int bob, HeadView head) const;

private:
    KidBuild build_;
    KidLook look_;
};

// Draws a layer with its own outline over the figure built so far.
void AddPart(Canvas& figure, Canvas part);

// The jeans' waistband across the shirt's hem, from x0 to x1 on row y.
void Belt(Canvas& figure, int x0, int x1, int y);
