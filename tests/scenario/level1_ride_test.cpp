// Level 1 scenarios: the program run headless with a script, the rider's state read back
// from the trace pass by pass.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/run_game.h"

namespace {

using gamerun::RunResult;
using gamerun::TraceRecord;

// The street level's members of one pass.
struct Rider {
    double x = NAN, y = NAN, vx = NAN, vy = NAN;
    long long frame = -1, anim = -1, jumping = -1, jumpFrames = -1, armed = -1;
    double tile0 = NAN, tile1 = NAN;
    long long level = -1, screen = -2;
};

double Number(const TraceRecord& r, const char* key) {
    const std::string raw = r.Raw(key);
    return raw.empty() ? NAN : std::strtod(raw.c_str(), nullptr);
}

Rider RiderAt(const RunResult& run, int pass) {
    Rider rider;
    const TraceRecord outer = run.At(pass);
    rider.level = outer.Int("level");
    rider.screen = outer.Int("screen");
    TraceRecord l1;
    if (!gamerun::ParseTraceLine(outer.Raw("l1"), l1)) return rider;
    rider.x = Number(l1, "x");
    rider.y = Number(l1, "y");
    rider.vx = Number(l1, "vx");
    rider.vy = Number(l1, "vy");
    rider.frame = l1.Int("frame");
    rider.anim = l1.Int("anim");
    rider.jumping = l1.Int("jumping");
    rider.jumpFrames = l1.Int("jumpFrames");
    rider.armed = l1.Int("armed");
    const std::string tiles = l1.Raw("tiles");  // "[a,b]"
    const std::size_t comma = tiles.find(',');
    if (tiles.size() > 2 && comma != std::string::npos) {
        rider.tile0 = std::strtod(tiles.c_str() + 1, nullptr);
        rider.tile1 = std::strtod(tiles.c_str() + comma + 1, nullptr);
    }
    return rider;
}

RunResult Ride(const std::string& script, int frames) {
    gamerun::RunRequest request;
    // Pass 2 takes the S key: that pass's frame is the level's first.
    request.script = "2 tap S\n" + script;
    request.frames = frames;
    RunResult run = gamerun::RunGame(request);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_TRUE(run.traceWellFormed);
    EXPECT_EQ(frames, run.LastPass());
    return run;
}

TEST(Level1Ride, FirstFrameStandsFacingRightThenSpeedsUpAndDiesAway) {
    const RunResult run = Ride("3 down Right\n20 up Right\n", 112);
    const Rider first = RiderAt(run, 2);
    EXPECT_EQ(0, first.screen);
    EXPECT_EQ(35, first.x);
    EXPECT_EQ(350, first.y);
    EXPECT_EQ(8, first.frame) << "the standing picture of the right-facing row";
    EXPECT_EQ(2, first.anim);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(k, RiderAt(run, 2 + k).vx) << "pass " << 2 + k;
    for (int pass = 11; pass <= 19; ++pass) EXPECT_EQ(8, RiderAt(run, pass).vx) << "held at the limit";
    // Released at full speed: the speed shrinks every frame and is cut to 0 in the 90th.
    EXPECT_NEAR(8 * 0.952381, RiderAt(run, 20).vx, 1e-5);
    for (int pass = 21; pass <= 108; ++pass) {
        const double before = RiderAt(run, pass - 1).vx, now = RiderAt(run, pass).vx;
        ASSERT_GT(now, 0) << "still rolling at pass " << pass;
        ASSERT_LT(now, before);
    }
    EXPECT_EQ(0, RiderAt(run, 109).vx) << "the 90th frame without the key stops the rider";
    EXPECT_EQ(8, RiderAt(run, 110).frame) << "at rest again: the standing picture";
}

TEST(Level1Ride, FirstKeyOfEachPairWinsAndTheStreetHoldsTheRider) {
    // All four arrows held: Left beats Right, Up beats Down. Then Up is let go.
    const RunResult run = Ride("3 down Left\n3 down Right\n3 down Up\n3 down Down\n60 up Up\n", 120);
    const Rider third = RiderAt(run, 3);
    EXPECT_EQ(-1, third.vx);
    EXPECT_EQ(-1, third.vy);
    EXPECT_EQ(3, third.anim) << "moving left shows the left-facing row";
    for (int pass = 3; pass <= 59; ++pass) {
        const Rider r = RiderAt(run, pass);
        ASSERT_GE(r.x, 0) << "never past the left edge, pass " << pass;
        ASSERT_GE(r.y, 260) << "never above the street, pass " << pass;
    }
    const Rider pinned = RiderAt(run, 59);
    EXPECT_EQ(0, pinned.x);
    EXPECT_EQ(0, pinned.vx);
    EXPECT_EQ(260, pinned.y);
    EXPECT_EQ(0, pinned.vy);
    const Rider bottom = RiderAt(run, 120);
    EXPECT_EQ(412, bottom.y) << "the street's bottom: 480 less the rider's height";
    EXPECT_EQ(0, bottom.vy);
}

TEST(Level1Ride, ScrollKeepsTheRiderMidScreenAndTheTilesTakeTurns) {
    const RunResult run = Ride("3 down Right\n", 200);
    bool wrapped = false;
    for (int pass = 3; pass <= 200; ++pass) {
        const Rider before = RiderAt(run, pass - 1), now = RiderAt(run, pass);
        ASSERT_LT(now.x, 321) << "after the scroll the rider is at most 320 and a fraction, pass " << pass;
        ASSERT_EQ(640, std::fabs(now.tile0 - now.tile1)) << "the tiles sit side by side, pass " << pass;
        for (double tile : {now.tile0, now.tile1}) ASSERT_GE(tile, -641 - 8);
        // A tile that had passed wholly off the left edge jumps 1280 to the right before
        // this frame's scroll moves everything left by the same whole number of pixels.
        const double scroll = std::floor(before.x + now.vx - 320) > 0 ? std::floor(before.x + now.vx - 320) : 0;
        const double expected0 = (before.tile0 + 640 < 0 ? before.tile0 + 1280 : before.tile0) - scroll;
        ASSERT_EQ(expected0, now.tile0) << "pass " << pass;
        wrapped = wrapped || now.tile0 > before.tile0;
    }
    EXPECT_TRUE(wrapped) << "200 frames at full speed carry a tile round";
}

TEST(Level1Ride, AJumpLiftsTwentyPixelsForSixteenFrames) {
    const RunResult run = Ride("10 down Space\n11 up Space\n", 30);
    EXPECT_EQ(0, RiderAt(run, 9).jumping);
    for (int pass = 10; pass <= 25; ++pass) {
        const Rider r = RiderAt(run, pass);
        EXPECT_EQ(1, r.jumping) << "pass " << pass;
        EXPECT_EQ(330, r.y) << "pass " << pass;
        EXPECT_EQ(pass - 9, r.jumpFrames);
        EXPECT_EQ(11, r.frame) << "the jumping picture";
    }
    const Rider landed = RiderAt(run, 26);
    EXPECT_EQ(0, landed.jumping);
    EXPECT_EQ(350, landed.y);
    EXPECT_EQ(0, landed.jumpFrames);
}

TEST(Level1Ride, HeldSpaceJumpsAgainOneFrameAfterEachLanding) {
    const RunResult run = Ride("10 down Space\n", 50);
    EXPECT_EQ(1, RiderAt(run, 10).jumping);
    EXPECT_EQ(0, RiderAt(run, 26).jumping) << "one frame on the street";
    EXPECT_EQ(1, RiderAt(run, 27).jumping) << "and up again";
    EXPECT_EQ(0, RiderAt(run, 43).jumping);
    EXPECT_EQ(1, RiderAt(run, 44).jumping);
}

TEST(Level1Ride, SpaceHeldFromTheFirstVisitWaitsForARelease) {
    const RunResult run = Ride("2 down Space\n20 up Space\n25 down Space\n", 30);
    for (int pass = 2; pass <= 19; ++pass) {
        ASSERT_EQ(0, RiderAt(run, pass).jumping) << "pass " << pass;
        ASSERT_EQ(0, RiderAt(run, pass).armed);
    }
    EXPECT_EQ(1, RiderAt(run, 20).armed);
    EXPECT_EQ(0, RiderAt(run, 24).jumping);
    EXPECT_EQ(1, RiderAt(run, 25).jumping);
}

TEST(Level1Ride, LeavingMidJumpAndComingBackResumesTheSameJump) {
    // Escape at pass 15 shows the menu in that very pass; Enter at 20 (cursor on START)
    // plays again.
    const RunResult run = Ride("6 down Right\n10 down Space\n11 up Space\n15 tap Escape\n20 tap Enter\n", 24);
    const Rider left = RiderAt(run, 14);
    EXPECT_EQ(5, left.jumpFrames);
    for (int pass = 15; pass <= 19; ++pass) {
        const Rider frozen = RiderAt(run, pass);
        EXPECT_EQ(-1, frozen.screen);
        EXPECT_EQ(left.x, frozen.x);
        EXPECT_EQ(left.y, frozen.y);
        EXPECT_EQ(left.vx, frozen.vx);
        EXPECT_EQ(left.jumpFrames, frozen.jumpFrames);
        EXPECT_EQ(left.tile0, frozen.tile0);
    }
    const Rider back = RiderAt(run, 20);
    EXPECT_EQ(0, back.screen);
    EXPECT_EQ(1, back.jumping);
    EXPECT_EQ(6, back.jumpFrames);
    EXPECT_EQ(330, back.y);
}

TEST(Level1Ride, CtrlDigitsSwitchLevelsDuringPlayAndLevelOneWaits) {
    const RunResult run = Ride("3 down Right\n5 down Ctrl\n6 tap 2\n8 tap 1\n", 10);
    const Rider before = RiderAt(run, 5);
    const Rider away = RiderAt(run, 7);
    EXPECT_EQ(2, RiderAt(run, 6).level);
    EXPECT_EQ(0, RiderAt(run, 6).screen) << "still playing, now the other level";
    EXPECT_EQ(before.x, away.x) << "level 1 does not move while another level plays";
    EXPECT_EQ(1, RiderAt(run, 8).level);
    EXPECT_GT(RiderAt(run, 8).x, before.x) << "and rides on when it is back";
}

}  // namespace
