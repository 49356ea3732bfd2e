// Scenarios of the menu and the screen flow, each in a fresh headless run of the program.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/font.h"
#include "support/run_game.h"

namespace {

using gamerun::RunGame;
using gamerun::RunRequest;
using gamerun::RunResult;

// "screen,cursor,level" of a pass, so a failure shows all three.
std::string State(const RunResult& run, int pass) {
    const auto r = run.At(pass);
    return std::to_string(r.Int("screen")) + "," + std::to_string(r.Int("cursor")) + "," +
           std::to_string(r.Int("level"));
}

TEST(Menu, StartsOnStartAndTheArrowsWrap) {
    // A tap is two messages (down, then up a pass later), so keys come every other pass.
    const auto run = gamerun::PlayTraced("3 tap Up\n5 tap Up\n7 tap Down\n9 tap Down\n", 11);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ("-1,0,1", State(run, 1));
    EXPECT_EQ("true", run.At(1).Raw("cursorShown"));
    EXPECT_EQ("-1,0,1", State(run, 2));
    EXPECT_EQ("-1,3,1", State(run, 3));
    EXPECT_EQ("-1,2,1", State(run, 5));
    EXPECT_EQ("-1,3,1", State(run, 7));
    EXPECT_EQ("-1,0,1", State(run, 9));
    EXPECT_EQ("-1,0,1", State(run, 11));
}

TEST(Menu, ClickAreasHaveInclusiveBounds) {
    struct Probe {
        int x, y;
        const char* after;
        bool backWithEscape;
    };
    const Probe probes[] = {
        {439, 185, "-1,0,1", false}, {501, 185, "-1,0,1", false}, {470, 169, "-1,0,1", false},
        {440, 170, "0,0,1", true},   {500, 200, "0,0,1", true},   {470, 201, "1,1,1", true},
        {470, 255, "1,1,1", true},   {470, 256, "2,2,1", true},   {470, 310, "2,2,1", true},
        {470, 356, "-1,2,1", false}, {500, 356, "-1,2,1", false},
    };
    std::string script;
    int pass = 2;
    for (const Probe& p : probes) {
        script += std::to_string(pass) + " click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
        if (p.backWithEscape) script += std::to_string(pass + 2) + " tap Escape\n";
        pass += 4;
    }
    // During play a click in the START area changes nothing.
    const int play = pass;
    script += std::to_string(play) + " tap S\n" + std::to_string(play + 2) + " click 470 185\n";
    script += std::to_string(play + 4) + " tap Escape\n";
    const int end = play + 8;
    script += std::to_string(end) + " click 440 311\n";
    const auto run = gamerun::PlayTraced(script, end + 20);
    pass = 2;
    for (const Probe& p : probes) {
        EXPECT_EQ(p.after, State(run, pass)) << "click at " << p.x << "," << p.y;
        if (p.backWithEscape) {
            EXPECT_EQ(-1, run.At(pass + 2).Int("screen"));
        }
        pass += 4;
    }
    EXPECT_EQ("0,2,1", State(run, play + 2));
    EXPECT_EQ("0,2,1", State(run, play + 3));
    // The QUIT area ends the program and leaves the highlight: the button's release, then the
    // posted WM_DESTROY, then the quit.
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ(end + 2, run.LastPass());
    EXPECT_EQ("-1,2,1", State(run, end + 2));

    const auto bottom = gamerun::PlayTraced("2 click 500 355\n", 20);
    EXPECT_EQ(0, bottom.exitCode);
    EXPECT_EQ(4, bottom.LastPass());
}

TEST(Menu, CtrlDigitsChangeTheLevelOnEveryScreen) {
    const auto run = gamerun::PlayTraced(
        "2 down Ctrl\n3 tap 3\n5 tap H\n7 tap 2\n9 tap Escape\n11 tap A\n13 tap 1\n15 tap Escape\n"
        "17 tap S\n19 tap 2\n21 up Ctrl\n23 tap 3\n25 tap Escape\n27 tap 1\n",
        28);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ("-1,0,1", State(run, 2));
    EXPECT_EQ("-1,0,3", State(run, 3));
    EXPECT_EQ("1,0,3", State(run, 5));
    EXPECT_EQ("1,0,2", State(run, 7));
    EXPECT_EQ("-1,0,2", State(run, 9));
    EXPECT_EQ("2,0,2", State(run, 11));
    EXPECT_EQ("2,0,1", State(run, 13));
    EXPECT_EQ("0,0,1", State(run, 17));
    EXPECT_EQ("0,0,2", State(run, 19));
    EXPECT_EQ("0,0,2", State(run, 23)) << "'3' without Ctrl";
    EXPECT_EQ("-1,0,2", State(run, 28)) << "'1' without Ctrl";
    // The cursor hides from the first frame of help, about and play, and shows again on the
    // first menu frame.
    for (int pass : {1, 4, 9, 15, 25}) EXPECT_EQ("true", run.At(pass).Raw("cursorShown")) << pass;
    for (int pass : {5, 11, 17, 24}) EXPECT_EQ("false", run.At(pass).Raw("cursorShown")) << pass;
}

TEST(Menu, EscapeAndQEndTheProgramFromTheMenu) {
    for (const char* key : {"Escape", "Q"}) {
        const auto run = gamerun::PlayTraced(std::string("2 down ") + key + "\n", 20);
        EXPECT_EQ(0, run.exitCode) << key;
        EXPECT_EQ(3, run.LastPass()) << key << ": WM_DESTROY at pass 3, the quit at pass 4";
        EXPECT_EQ("-1,0,1", State(run, 3)) << key;
    }
    // Enter on QUIT: the quit screen asks for the end in its own frame already.
    const auto quit = gamerun::PlayTraced("2 tap Up\n4 down Enter\n", 20);
    EXPECT_EQ(0, quit.exitCode);
    EXPECT_EQ("3,3,1", State(quit, 4));
    EXPECT_EQ(5, quit.LastPass());
}

TEST(Menu, LettersLeaveTheHighlightForEnter) {
    const auto run = gamerun::PlayTraced(
        "2 tap Down\n4 tap S\n6 tap Escape\n8 tap Enter\n10 tap Escape\n12 tap S\n14 tap Down\n16 tap Up\n"
        "18 tap Enter\n",
        20);
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ("-1,1,1", State(run, 2));
    EXPECT_EQ("0,1,1", State(run, 4));
    EXPECT_EQ("-1,1,1", State(run, 6));
    EXPECT_EQ("1,1,1", State(run, 8)) << "Enter goes to the highlighted entry";
    EXPECT_EQ("-1,1,1", State(run, 10)) << "Escape on help returns to the menu";
    EXPECT_EQ("0,1,1", State(run, 12));
    EXPECT_EQ("0,1,1", State(run, 16)) << "the arrows move the highlight only on the menu";
    EXPECT_EQ("1,1,1", State(run, 18)) << "Enter during play opens help";
}

// The ink pixels of a text drawn with its top-left at (x, y).
std::vector<std::pair<int, int>> Ink(const char* text, int x, int y) {
    std::vector<std::pair<int, int>> ink;
    for (const char* c = text; *c; ++c) {
        const font::Glyph& glyph = font::GlyphFor(static_cast<unsigned char>(*c));
        for (int row = 0; row < font::kGlyphHeight; ++row)
            for (int column = 0; column < glyph.width; ++column)
                if (font::GlyphInk(glyph, column, row)) ink.push_back({x + column, y + row});
        x += glyph.advance;
    }
    return ink;
}

TEST(Menu, FramesShowTheHighlightTheLevelLineAndThePages) {
    const auto run = gamerun::PlayTraced("2 tap H\n", 3, {1, 2});
    gamerun::Picture menu, help;
    ASSERT_TRUE(gamerun::ReadPng(run.shots.at(1), menu));
    ASSERT_TRUE(gamerun::ReadPng(run.shots.at(2), help));
    ASSERT_EQ(640, menu.width);
    ASSERT_EQ(480, menu.height);
    const auto start = Ink("START", 449, 174);
    const auto level = Ink("Level: 1", 10, 10);
    ASSERT_FALSE(start.empty());
    int white = 0, levelWhite = 0, helpLevelWhite = 0;
    for (const auto& [x, y] : start) white += menu.At(x, y) == 0xFFFFFF;
    for (const auto& [x, y] : level) {
        levelWhite += menu.At(x, y) == 0xFFFFFF;
        helpLevelWhite += help.At(x, y) == 0xFFFFFF;
    }
    EXPECT_EQ(static_cast<int>(start.size()), white);
    EXPECT_EQ(static_cast<int>(level.size()), levelWhite);
    EXPECT_EQ(static_cast<int>(level.size()), helpLevelWhite);
    // The black copy one pixel right and below shows where the white one does not cover it.
    int shadow = 0, shadowBlack = 0;
    const auto black = Ink("START", 450, 175);
    for (const auto& [x, y] : black) {
        if (menu.At(x, y) == 0xFFFFFF) continue;
        ++shadow;
        shadowBlack += menu.At(x, y) == 0;
    }
    EXPECT_GT(shadow, 0);
    EXPECT_EQ(shadow, shadowBlack);
    // The menu picture fills the frame, and the help page is another picture.
    int different = 0, menuLit = 0;
    for (std::size_t i = 0; i < menu.rgb.size(); ++i) {
        different += menu.rgb[i] != help.rgb[i];
        menuLit += menu.rgb[i] != 0;
    }
    EXPECT_GT(menuLit, 640 * 480 / 2);
    EXPECT_GT(different, 640 * 480 / 4);
}

}  // namespace
