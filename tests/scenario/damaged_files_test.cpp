// Files the game is handed that are not what they should be, through the whole program: a
// folder that holds only some of the game's files, a damaged game picture, and SoundFonts
// that are damaged, named pipes or whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "program/game_files.h"
#include "support/bmp_builder.h"
#include "support/run_game.h"
#include "support/sf2_builder.h"
#include "support/wav_builder.h"

namespace {

namespace fs = std::filesystem;
using gamerun::GameFiles;
using gamerun::RunGame;
using gamerun::RunRequest;
using gamerun::RunResult;

int LinesOf(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A folder linking every generated game file but `except`.
void LinkGameFiles(const std::string& folder, const std::string& except = "") {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(TRUNDLEBOP_ASSETS))
        if (entry.path().filename() != except && entry.path().filename() != ".generated")
            fs::create_symlink(entry.path(), folder + "/" + entry.path().filename().string());
}

TEST(GameFiles, TheListIsWhatTheGeneratorWrites) {
    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(TRUNDLEBOP_ASSETS))
        if (entry.path().filename() != ".generated") written.push_back(entry.path().filename().string());
    std::vector<std::string> listed = GameFileNames();
    std::sort(written.begin(), written.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(written, listed);
}

TEST(GameFiles, AFolderWithOnlySomeOfThemIsPassedOverInOneLine) {
    // The first data folder holds a stray red menu picture and nothing else; the second
    // holds the game.
    const gamerun::ScratchFolder data;
    const std::string stray = data.Path() + "/a/trundlebop", whole = data.Path() + "/b/trundlebop";
    fs::create_directories(stray);
    gametest::BmpFile red(640, 480, 24);
    for (int i = 0; i < 640 * 480; ++i) red.pixels.insert(red.pixels.end(), {0, 0, 255});
    gametest::WriteBmp(stray + "/menu.bmp", red);
    LinkGameFiles(whole);
    RunRequest request;
    request.files = GameFiles::None;
    request.frames = 3;
    request.shots = {2};
    request.environment = {{"XDG_DATA_DIRS", data.Path() + "/a:" + data.Path() + "/b"}};
    const RunResult run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    EXPECT_EQ(1, LinesOf(run.errorText)) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find(stray + " lacks option1.bmp and 28 more")) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("playing with the game's files in " + whole)) << run.errorText;
    gamerun::Picture menu;
    ASSERT_TRUE(gamerun::ReadPng(run.shots.at(2), menu));
    EXPECT_NE(0xFF0000u, menu.At(100, 100)) << "the menu is the game's own, not the stray picture";
}

TEST(GamePictures, ADamagedOneIsNamedInOneLine) {
    const gamerun::ScratchFolder data;
    LinkGameFiles(data.Path(), "lev1_houses.bmp");
    const std::string houses = gamerun::ReadFile(std::string(TRUNDLEBOP_ASSETS) + "/lev1_houses.bmp");
    gametest::WriteFile(data.Path() + "/lev1_houses.bmp", houses.substr(0, houses.size() / 3));
    RunRequest request;
    request.args = {"--headless", "--frames", "3", "--data", data.Path()};
    const RunResult run = RunGame(request);
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(1, LinesOf(run.errorText)) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find(data.Path() + "/lev1_houses.bmp is damaged")) << run.errorText;
}

// The menu's sound, with this SoundFont named on the command line.
struct SoundRun {
    RunResult run;
    double loudness = 0;
};
SoundRun MenuSound(const std::string& font) {
    const gamerun::ScratchFolder out;
    const std::string wav = out.Path() + "/mix.wav";
    RunRequest request;
    request.args = {"--headless", "--frames", "30", "--audio-out", wav, "--soundfont", font};
    SoundRun result{RunGame(request)};
    const std::string bytes = gamerun::ReadFile(wav);
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2)
        result.loudness += std::abs(static_cast<std::int16_t>(gamerun::LittleEndian(bytes, i, 2)));
    return result;
}

TEST(SoundFonts, ADamagedOneOrAPipeIsRefusedInOneLineAndAWholeOnePlays) {
    const gamerun::ScratchFolder fonts;
    gametest::Sf2Font damaged;
    damaged.samples.push_back(gametest::Sf2Sample{});
    damaged.samples[1].rate = 0xFFFFFFFF;
    const std::string bad = gametest::WriteFile(fonts.Path() + "/fast.sf2", gametest::Sf2File(damaged));
    const SoundRun refused = MenuSound(bad);
    EXPECT_EQ(0, refused.run.exitCode);
    EXPECT_EQ(1, LinesOf(refused.run.errorText)) << refused.run.errorText;
    EXPECT_NE(std::string::npos,
              refused.run.errorText.find(bad + " is refused: it has sample 2 at a rate of 4294967295 Hz"))
        << refused.run.errorText;
    EXPECT_EQ(0, refused.loudness) << "the menu has only music";

    // A named pipe would hold the start until something wrote to it.
    const std::string pipe = fonts.Path() + "/pipe.sf2";
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    const SoundRun piped = MenuSound(pipe);
    EXPECT_EQ(0, piped.run.exitCode);
    EXPECT_EQ(1, LinesOf(piped.run.errorText)) << piped.run.errorText;
    EXPECT_NE(std::string::npos, piped.run.errorText.find(pipe + " is refused: it is not a regular file"));

    const std::string good = gametest::WriteFile(fonts.Path() + "/tone.sf2", gametest::Sf2File(gametest::Sf2Font{}));
    const SoundRun played = MenuSound(good);
    EXPECT_EQ(0, played.run.exitCode);
    EXPECT_EQ("", played.run.errorText);
    EXPECT_GT(played.loudness, 1e5) << "the menu's tune plays on the builder's one instrument";
}

}  // namespace
