// The player's comforts through the whole program, headless: the settings file and
// --config, key bindings and pads, held Escape, F12, the volumes in the mixed sound, the
// SoundFont choice, finding the game's files, --version and --help.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_game.h"

namespace {

namespace fs = std::filesystem;
using gamerun::GameFiles;
using gamerun::RunGame;
using gamerun::RunRequest;
using gamerun::RunResult;

// Each pass's screen and street state: what the game did, whatever the input came from.
std::vector<std::string> Story(const RunResult& run) {
    std::vector<std::string> story;
    for (const gamerun::TraceRecord& r : run.trace) story.push_back(r.Raw("screen") + " " + r.Raw("l1"));
    return story;
}

// The samples of a headless run's sound file.
std::vector<std::int16_t> Sound(const std::string& script, int frames, const std::string& settings,
                                std::vector<std::string> extra = {}) {
    const gamerun::ScratchFolder out;
    const std::string wav = out.Path() + "/mix.wav";
    const std::string scriptPath = out.Path() + "/script.txt";
    std::ofstream(scriptPath) << script;
    RunRequest request;
    request.settings = settings;
    request.args = {"--headless", "--frames", std::to_string(frames), "--audio-out", wav, "--input", scriptPath};
    request.args.insert(request.args.end(), extra.begin(), extra.end());
    const RunResult run = RunGame(request);
    EXPECT_EQ(0, run.exitCode) << run.errorText;
    std::ifstream file(wav, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2)
        samples.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8));
    return samples;
}

double Loudness(const std::vector<std::int16_t>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    double sum = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) sum += std::abs(samples[i]);
    return sum;
}

const char kRide[] = "2 tap S\n4 down Right\n12 down Space\n13 up Space\n20 up Right\n";

TEST(Settings, ABadLineIsOneWarningAndTheGameStillStarts) {
    const RunResult run = gamerun::PlayToTheEnd("", 3, "music_volume = 50\nscale = huge\n# fine\nfuture_key = 1\n");
    EXPECT_EQ(3, run.LastPass());
    const std::string expected = gamerun::SettingsPathIn(*run.folder) + ":2: scale is a whole number from 1 to 8";
    EXPECT_EQ(0u, run.errorText.find("trundlebop: " + expected)) << run.errorText;
    // And the key the game does not know (a misspelling, or a later version's) one more.
    EXPECT_NE(std::string::npos, run.errorText.find(":4: no setting \"future_key\"")) << run.errorText;
    EXPECT_EQ(2, std::count(run.errorText.begin(), run.errorText.end(), '\n')) << run.errorText;
}

TEST(Settings, BoundKeysAndAPadAloneRideAsTheDefaultKeysDo) {
    const std::vector<std::string> keys = Story(gamerun::PlayToTheEnd(kRide, 24));
    const std::vector<std::string> bound = Story(gamerun::PlayToTheEnd(
        "2 tap S\n4 down D\n12 down J\n13 up J\n20 up D\n", 24, "key.Right = D\nkey.Space = J, K\n"));
    EXPECT_EQ(keys, bound);
    const std::vector<std::string> pad =
        Story(gamerun::PlayToTheEnd("2 pad tap start\n4 pad down right\n12 pad tap a\n20 pad up right\n", 24));
    EXPECT_EQ(keys, pad);
    const std::vector<std::string> stick =
        Story(gamerun::PlayToTheEnd("2 pad tap start\n4 stick 32767 0\n12 pad tap a\n20 stick 0 0\n", 24));
    EXPECT_EQ(keys, stick);
    const std::vector<std::string> off = Story(gamerun::PlayToTheEnd("2 pad tap start\n", 4, "gamepad = false\n"));
    EXPECT_EQ("-1", off.back().substr(0, 2)) << "with pads turned off, Start does nothing";
}

TEST(Settings, AConfigFileNamedOnTheCommandLineIsTheOneRead) {
    const gamerun::ScratchFolder elsewhere;
    const std::string config = elsewhere.Path() + "/other.ini";
    std::ofstream(config) << "key.Enter = J\nkey.Down = Enter\n";
    const std::string script = elsewhere.Path() + "/script.txt";
    std::ofstream(script) << "2 tap Enter\n4 tap J\n";
    RunRequest request;
    request.settings = "key.Enter = K\n";  // the usual file, not read this time
    request.args = {"--headless", "--frames", "5",
                    "--config",   config,     "--input",
                    script,       "--trace",  elsewhere.Path() + "/trace.jsonl"};
    const RunResult run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    std::ifstream trace(elsewhere.Path() + "/trace.jsonl");
    std::vector<gamerun::TraceRecord> records;
    for (std::string line; std::getline(trace, line);) {
        records.emplace_back();
        ASSERT_TRUE(gamerun::ParseTraceLine(line, records.back()));
    }
    ASSERT_EQ(5u, records.size());
    EXPECT_EQ(1, records[1].Int("cursor")) << "Enter, rebound, moves down the menu";
    EXPECT_EQ(1, records[3].Int("screen")) << "J chooses the entry: help";
}

TEST(Keys, HoldingEscapeInALevelGoesBackToTheMenuAndNoFurther) {
    const RunResult run = gamerun::PlayToTheEnd(
        "2 tap S\n5 down Escape\n6 repeat Escape\n7 repeat Escape\n8 repeat Escape\n12 up Escape\n", 16);
    EXPECT_EQ(16, run.LastPass()) << "the game did not end";
    EXPECT_EQ(0, run.At(4).Int("screen"));
    for (int pass = 5; pass <= 16; ++pass) EXPECT_EQ(-1, run.At(pass).Int("screen")) << pass;
    const RunResult fresh = gamerun::PlayToTheEnd("5 tap Escape\n", 16);
    EXPECT_EQ(7, fresh.LastPass()) << "a fresh press on the menu still ends the game, two passes on";
}

TEST(Keys, F12SavesTheSamePixelsAsACaptureOfItsPass) {
    RunRequest request;
    request.script = "2 tap S\n4 down Right\n9 tap F12\n";
    request.frames = 12;
    request.shots = {9};
    const RunResult run = RunGame(request);
    ASSERT_EQ(0, run.exitCode) << run.errorText;
    const std::string folder = gamerun::PicturesPathIn(*run.folder) + "/trundlebop";
    std::vector<fs::path> saved;
    for (const auto& entry : fs::directory_iterator(folder)) saved.push_back(entry.path());
    ASSERT_EQ(1u, saved.size());
    EXPECT_NE(std::string::npos, run.outputText.find(saved[0].string())) << run.outputText;
    gamerun::Picture screenshot, capture;
    ASSERT_TRUE(gamerun::ReadPng(saved[0].string(), screenshot));
    ASSERT_TRUE(gamerun::ReadPng(run.shots.at(9), capture));
    EXPECT_EQ(640, screenshot.width);
    EXPECT_EQ(480, screenshot.height);
    EXPECT_TRUE(screenshot.rgb == capture.rgb);
    EXPECT_EQ(Story(gamerun::PlayToTheEnd("2 tap S\n4 down Right\n", 12)), Story(run)) << "F12 is not the game's";
}

TEST(Volume, MusicAndEffectsScaleLinearlyAndMuteSilences) {
    // The menu plays only music; the street, with the music off, only effects.
    const std::vector<std::int16_t> music = Sound("", 40, "");
    const std::vector<std::int16_t> halfMusic = Sound("", 40, "music_volume = 50\n");
    ASSERT_GT(Loudness(music), 1e6);
    EXPECT_NEAR(0.5, Loudness(halfMusic) / Loudness(music), 0.01);
    const std::vector<std::int16_t> effects = Sound(kRide, 30, "music_volume = 0\n");
    const std::vector<std::int16_t> halfEffects = Sound(kRide, 30, "music_volume = 0\neffects_volume = 50\n");
    ASSERT_GT(Loudness(effects), 1e5);
    ASSERT_EQ(effects.size(), halfEffects.size());
    for (std::size_t i = 0; i < effects.size(); ++i) ASSERT_NEAR(effects[i] / 2.0, halfEffects[i], 1.0) << i;
    EXPECT_EQ(0, Loudness(Sound(kRide, 30, "mute = true\n")));
    // F9 in play mutes from then on; the settings file is left alone by headless runs.
    const std::vector<std::int16_t> muted = Sound("20 tap F9\n", 40, "");
    const std::size_t pass20 = 19 * 30 * 44100 / 1000 * 2;  // pass 20 starts 570 ms in
    EXPECT_GT(Loudness(muted, 0, pass20), 1e5);
    EXPECT_EQ(0, Loudness(muted, pass20));
}

TEST(SoundFont, OneThatCannotLoadIsOneLineAndTheGamePlaysWithoutMusic) {
    const std::vector<std::int16_t> silent = Sound("", 20, "", {"--soundfont", "/no/such/font.sf2"});
    EXPECT_EQ(0, Loudness(silent)) << "the menu has only music";
    RunRequest request;
    request.settings = "soundfont = broken.sf2\n";
    request.frames = 3;
    const RunResult probe = RunGame(request);
    const std::string font = fs::path(gamerun::SettingsPathIn(*probe.folder)).parent_path() / "broken.sf2";
    std::ofstream(font) << "not a SoundFont";
    const RunResult run = RunGame(request);  // a new scratch folder: its own broken.sf2 is missing
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(3, run.LastPass());
    EXPECT_EQ(1, std::count(run.errorText.begin(), run.errorText.end(), '\n')) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("broken.sf2")) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("--soundfont")) << run.errorText;
}

TEST(GameFiles, WithNoneFoundItSaysWhereItLookedAndHowToBuildThem) {
    RunRequest request;
    request.files = GameFiles::None;
    const RunResult run = RunGame(request);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_TRUE(run.trace.empty());
    const std::string top = run.folder->Path();
    for (const std::string& looked : {top + "/play\n", top + "/bin/assets\n", top + "/share/trundlebop\n"})
        EXPECT_NE(std::string::npos, run.errorText.find(looked)) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("cmake --build build")) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("--data DIR")) << run.errorText;
}

TEST(GameFiles, DataOptionAndTheDataFoldersAreSearched) {
    RunRequest data;
    data.files = GameFiles::None;
    data.args = {"--headless", "--frames", "2", "--data", TRUNDLEBOP_ASSETS};
    const RunResult viaOption = RunGame(data);
    EXPECT_EQ(0, viaOption.exitCode) << viaOption.errorText;
    EXPECT_EQ("", viaOption.errorText);

    const gamerun::ScratchFolder shared;
    fs::create_symlink(TRUNDLEBOP_ASSETS, shared.Path() + "/trundlebop");
    RunRequest installed;
    installed.files = GameFiles::None;
    installed.frames = 2;
    installed.environment = {{"XDG_DATA_DIRS", "/nowhere:" + shared.Path()}};
    const RunResult viaDataDirs = RunGame(installed);
    EXPECT_EQ(0, viaDataDirs.exitCode) << viaDataDirs.errorText;
    EXPECT_EQ(2, viaDataDirs.LastPass());

    // A folder a file short is passed over for the next that holds them all, in one line.
    const gamerun::ScratchFolder partial;
    for (const auto& entry : fs::directory_iterator(TRUNDLEBOP_ASSETS))
        if (entry.path().filename() != "menu_bgmusic.mid")
            fs::create_symlink(entry.path(), partial.Path() + "/" + entry.path().filename().string());
    data.files = GameFiles::Generated;
    data.args = {"--headless", "--frames", "2", "--data", partial.Path()};
    const RunResult shortOne = RunGame(data);
    EXPECT_EQ(0, shortOne.exitCode);
    EXPECT_EQ("trundlebop: " + partial.Path() + " lacks menu_bgmusic.mid; playing with the game's files in " +
                  shortOne.folder->Path() + "/play\n",
              shortOne.errorText);
}

TEST(CommandLine, VersionAndHelp) {
    RunRequest version;
    version.args = {"--version"};
    const RunResult v = RunGame(version);
    EXPECT_EQ(0, v.exitCode);
    EXPECT_EQ(0u, v.outputText.find("trundlebop ")) << v.outputText;
    EXPECT_EQ(1, std::count(v.outputText.begin(), v.outputText.end(), '\n'));
    RunRequest help;
    help.args = {"--help"};
    const RunResult h = RunGame(help);
    EXPECT_EQ(0, h.exitCode);
    for (const std::string& word :
         {gamerun::SettingsPathIn(*h.folder), std::string("--fullscreen"), std::string("--window"),
          std::string("--scale"), std::string("--integer-scale"), std::string("--config"), std::string("--soundfont"),
          std::string("--data"), std::string("--headless"), std::string("--timedemo"),
          std::string("--no-music-synthesis"), std::string("--version"), std::string("F12"), std::string("F9"),
          std::string("key.<GameKey>"), std::string("pad.<Button>")})
        EXPECT_NE(std::string::npos, h.outputText.find(word)) << word;
}

}  // namespace
