// Level 1: the street ride. The hero rides a board along an endless street in front of
// twenty houses, steered with the arrow keys, jumping with Space.
#pragma once

#include "gfx/sprite.h"

extern Sprite level1Tiles[2];
extern Sprite level1Houses[20];
extern Sprite level1Hero;
extern int level1Sequences[4][4];
extern int boardLoopSound;
extern int jumpSound;
extern int level1Music;
extern int heroJumping;
extern int jumpArmed;
extern int jumpFrames;

// Called once by InitGame: seeds the random numbers and makes the level's sprites.
int LoadLevel1();
int LoadLevel1Tiles();
int LoadLevel1Houses();
int LoadLevel1Hero();
// Called by RunFrame once per frame while Play shows level 1.
void RunLevel1();
void DrawLevel1Tiles();
void DrawLevel1Houses();
void UpdateLevel1Hero();
void DrawLevel1Hero();
void ScrollLevel1();
