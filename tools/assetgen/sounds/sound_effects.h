// The game's sound effects, synthesised from noise and tones: the board's roll, the jump, the bump and the steps.
#pragma once

#include <vector>

// Each returns samples in -1..1 at 22050 Hz, ready for WriteWav8.
std::vector<float> MakeBoardLoop();  // wheels on asphalt, ~1.6 s, loops seamlessly
std::vector<float> MakeJump();       // a rising whoosh and pop, ~0.5 s
std::vector<float> MakeHeadBump();   // a short bonk against a girder, ~0.3 s
std::vector<float> MakeSteps();      // two steps on a hard floor indoors, ~0.72 s, loops seamlessly
