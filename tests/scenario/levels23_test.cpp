// Levels 2 and 3 scenarios through the real program, read back from its trace.
// Reached with Ctrl and a digit, left with Escape and resumed where they were.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "support/run_game.h"

namespace {

using gamerun::RunResult;
using gamerun::TraceRecord;

// One level's object ("l2" or "l3") of a pass; empty when it is missing.
TraceRecord LevelAt(const RunResult& run, int pass, const char* level) {
    TraceRecord record;
    gamerun::ParseTraceLine(run.At(pass).Raw(level), record);
    return record;
}

// The named members of a level's object of a pass, as written, joined by commas.
std::string Fields(const RunResult& run, int pass, const char* level, std::initializer_list<const char*> keys) {
    const TraceRecord record = LevelAt(run, pass, level);
    std::string joined;
    for (const char* key : keys) joined += (joined.empty() ? "" : ",") + record.Raw(key);
    return joined;
}

double Y(const RunResult& run, int pass, const char* level) {
    return std::strtod(LevelAt(run, pass, level).Raw("y").c_str(), nullptr);
}

TEST(Levels23Scenario, BothLevelsStartWhereTheyShouldAndResumeWhereTheyWereLeft) {
    // The main loop takes one message a pass, so the script sends at most one a pass.
    gamerun::RunRequest request;
    request.script =
        "2 down Ctrl\n3 tap 2\n5 up Ctrl\n6 tap S\n"      // level 2 plays from pass 6
        "9 tap Escape\n"                                  // the menu from pass 9
        "11 down Ctrl\n12 tap 3\n14 up Ctrl\n15 tap S\n"  // level 3 plays from pass 15
        "17 down Up\n19 up Up\n20 tap Escape\n"           // Up for two frames, then the menu
        "22 down Ctrl\n23 tap 2\n25 up Ctrl\n26 tap S\n"  // level 2 again
        "28 down Ctrl\n29 tap 3\n31 up Ctrl\n";           // and straight over to level 3
    request.frames = 32;
    const RunResult run = gamerun::RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    ASSERT_TRUE(run.traceWellFormed);
    ASSERT_EQ(32, run.LastPass());

    EXPECT_EQ(2, run.At(5).Int("level"));
    EXPECT_EQ(-1, run.At(5).Int("screen"));
    EXPECT_EQ("20,75,0,3,0,false", Fields(run, 5, "l2", {"x", "y", "bgX", "anim", "jumpTimer", "onGround"}));
    // Level 2's first frames: the hero falls from y 75, 6 pixels a pass, unless it has landed.
    double y = 75;
    for (int pass = 6; pass <= 8; ++pass) {
        ASSERT_EQ(0, run.At(pass).Int("screen")) << "pass " << pass;
        if (pass == 6 || LevelAt(run, pass, "l2").Raw("onGround") == "false") y += 6;
        ASSERT_EQ(y, Y(run, pass, "l2")) << "pass " << pass;
        ASSERT_EQ("20,0,0,20,false", Fields(run, pass, "l2", {"x", "frame", "scanPage", "scanX", "blockedLeft"}));
    }
    for (int pass = 9; pass <= 25; ++pass) ASSERT_EQ(y, Y(run, pass, "l2")) << "level 2 waits, pass " << pass;

    // Level 3, untouched so far, starts at (240, 300) in room 0 facing left.
    for (int pass : {5, 15})
        EXPECT_EQ("240,300,0,3,0", Fields(run, pass, "l3", {"x", "y", "room", "anim", "frame"})) << "pass " << pass;
    EXPECT_EQ(3, run.At(15).Int("level"));
    EXPECT_EQ(0, run.At(15).Int("screen"));
    // Up turns the hero whether or not the room lets it walk; the picture steps on every
    // third level 3 frame, the third being pass 17.
    EXPECT_EQ("240,1,15", Fields(run, 17, "l3", {"x", "anim", "frame"}));
    const double leftY = Y(run, 19, "l3");
    for (int pass = 20; pass <= 28; ++pass) {
        ASSERT_EQ(leftY, Y(run, pass, "l3")) << "level 3 waits, pass " << pass;
        ASSERT_EQ("15", Fields(run, pass, "l3", {"frame"}));
    }
    // Back in level 2, the fall goes on from where it stopped; Ctrl+3 then freezes it again.
    EXPECT_EQ(0, run.At(26).Int("screen"));
    if (LevelAt(run, 26, "l2").Raw("onGround") == "false") y += 6;
    EXPECT_EQ(y, Y(run, 26, "l2"));
    EXPECT_EQ(2, run.At(28).Int("level"));
    EXPECT_EQ(3, run.At(29).Int("level"));
    EXPECT_EQ(Y(run, 28, "l2"), Y(run, 32, "l2"));
    // Level 3's sixth frame, at pass 29, takes the next step of the up sequence.
    EXPECT_EQ("240,0,1,6", Fields(run, 29, "l3", {"x", "room", "anim", "frame"}));
    EXPECT_EQ(leftY, Y(run, 29, "l3"));
}

}  // namespace
