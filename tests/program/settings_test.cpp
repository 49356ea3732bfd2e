// The settings file (values, warnings, saving without loss), the command line over it, and
// where the program looks for the game's files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "hosts/key_codes.h"
#include "program/game_files.h"
#include "program/options.h"
#include "program/player_setup.h"
#include "program/settings.h"
#include "support/run_game.h"

namespace {

namespace fs = std::filesystem;
using host::GameKey;
using host::PadButton;

SettingsFile Parse(const std::string& text, std::vector<std::string>& warnings) {
    return SettingsFile::Parse("/home/p/.config/trundlebop/settings.ini", text, warnings);
}

TEST(SettingsFile, ReadsEveryKey) {
    std::vector<std::string> warnings;
    const SettingsFile file = Parse(
        "fullscreen = false\nscale=3\ninteger_scaling = yes\nmusic_volume = 40\neffects_volume = 0\nmute = on\n"
        "soundfont = fonts/gm.sf2\ngamepad = false\nscreenshot_dir = ~/shots\n"
        "key.Up = W, k\nkey.space = Ctrl\npad.y = Escape\npad.back = none\n",
        warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    const Settings& s = file.Values();
    EXPECT_FALSE(s.fullscreen);
    EXPECT_EQ(3, s.scale);
    EXPECT_TRUE(s.integerScaling);
    EXPECT_EQ(40, s.musicVolume);
    EXPECT_EQ(0, s.effectsVolume);
    EXPECT_TRUE(s.mute);
    EXPECT_FALSE(s.gamepad);
    EXPECT_EQ("/home/p/.config/trundlebop/fonts/gm.sf2", s.soundFont) << "relative to the file's folder";
    EXPECT_EQ(std::string(std::getenv("HOME") ? std::getenv("HOME") : "") + "/shots", s.screenshotFolder);
    const std::map<int, GameKey> keys = {{'W', GameKey::Up}, {'K', GameKey::Up}, {VK_CONTROL, GameKey::Space}};
    EXPECT_EQ(keys, s.keys);
    EXPECT_EQ(GameKey::Escape, s.pad[static_cast<int>(PadButton::Y)]);
    EXPECT_FALSE(s.pad[static_cast<int>(PadButton::Back)].has_value());
    EXPECT_EQ(GameKey::Space, s.pad[static_cast<int>(PadButton::A)]) << "unnamed buttons keep their defaults";
}

TEST(SettingsFile, EachBadLineWarnsOnceWithFileLineAndReasonAndKeepsTheDefault) {
    std::vector<std::string> warnings;
    const SettingsFile file = Parse(
        "# comment\nscale = 9\nfullscreen = maybe\njust words\n= 4\nmusic_volume = -5\n"
        "key.Jump = J\nkey.Up = Nope\npad.z = Up\npad.a = Fly\nkey.Down = J\nkey.Up = J\nfuture_key = 7\n",
        warnings);
    const std::string where = "/home/p/.config/trundlebop/settings.ini:";
    ASSERT_EQ(11u, warnings.size());
    const int lines[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13};
    for (std::size_t i = 0; i < warnings.size(); ++i)
        EXPECT_EQ(0u, warnings[i].find(where + std::to_string(lines[i]) + ": ")) << warnings[i];
    EXPECT_NE(std::string::npos, warnings[0].find("from 1 to 8")) << warnings[0];
    EXPECT_NE(std::string::npos, warnings[1].find("true or false")) << warnings[1];
    EXPECT_NE(std::string::npos, warnings[9].find("key.Up: J already acts as Down (line 11)")) << warnings[9];
    EXPECT_NE(std::string::npos, warnings[10].find("no setting \"future_key\"")) << warnings[10];
    const Settings defaults;
    EXPECT_EQ(defaults.scale, file.Values().scale);
    EXPECT_EQ(defaults.fullscreen, file.Values().fullscreen);
    EXPECT_EQ(defaults.musicVolume, file.Values().musicVolume);
    EXPECT_EQ(defaults.pad, file.Values().pad);
    const std::map<int, GameKey> keys = {{'J', GameKey::Down}};
    EXPECT_EQ(keys, file.Values().keys);
}

TEST(SettingsFile, ALaterLineWinsAndRebindingAGameKeyDropsItsEarlierKeys) {
    std::vector<std::string> warnings;
    const SettingsFile file = Parse("scale = 2\nkey.Left = A\nscale = 4\nkey.Left = Q\nkey.Right = A\n", warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(4, file.Values().scale);
    const std::map<int, GameKey> keys = {{'Q', GameKey::Left}, {'A', GameKey::Right}};
    EXPECT_EQ(keys, file.Values().keys);
}

TEST(SettingsFile, ChangingValuesKeepsEverythingElseByteForByte) {
    const std::string text =
        "# my settings\n\n  music_volume =  80   # loud enough\nwhat is this\nfuture_key = kept\n"
        "mute = false\nmute = true\nscale = 9";
    std::vector<std::string> warnings;
    SettingsFile file = Parse(text, warnings);
    file.Set("music_volume", "50");
    file.Set("mute", "false");
    file.Set("fullscreen", "false");
    EXPECT_EQ(
        "# my settings\n\n  music_volume =  50   # loud enough\nwhat is this\nfuture_key = kept\n"
        "mute = false\nmute = false\nscale = 9\nfullscreen = false\n",
        file.Text());
    std::vector<std::string> again;
    const SettingsFile reread = Parse(file.Text(), again);
    EXPECT_EQ(50, reread.Values().musicVolume);
    EXPECT_FALSE(reread.Values().mute);
    EXPECT_FALSE(reread.Values().fullscreen);
    EXPECT_EQ(warnings, again) << "the lines it could not read are still there, as they were";
    EXPECT_EQ(text, Parse(text, warnings).Text()) << "nothing changed: the same text, even without a last line break";
}

TEST(SettingsFile, SaveReplacesTheFileWholeAndLeavesNothingBeside) {
    const gamerun::ScratchFolder scratch;
    const std::string path = scratch.Path() + "/new/folder/settings.ini";
    std::vector<std::string> warnings;
    SettingsFile file = SettingsFile::Read(path, warnings);
    EXPECT_TRUE(warnings.empty()) << "no file yet is no mistake";
    file.Set("effects_volume", "30");
    std::string error;
    ASSERT_TRUE(file.Save(error)) << error;
    EXPECT_EQ(file.Text(), gamerun::ReadFile(path));
    EXPECT_EQ(30, SettingsFile::Read(path, warnings).Values().effectsVolume);
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(scratch.Path() + "/new/folder")) entries += !entry.is_directory();
    EXPECT_EQ(1, entries) << "the file written beside it was renamed over it";

    // When the new file cannot take the old one's place, the old one stays and the new one goes.
    const std::string blocked = scratch.Path() + "/blocked.ini";
    fs::create_directories(blocked + "/inside");
    SettingsFile cannot = SettingsFile::Parse(blocked, "mute = true\n", warnings);
    EXPECT_FALSE(cannot.Save(error));
    EXPECT_NE(std::string::npos, error.find(blocked)) << error;
    EXPECT_TRUE(fs::is_directory(blocked + "/inside"));
    for (const auto& entry : fs::directory_iterator(scratch.Path()))
        EXPECT_EQ(std::string::npos, entry.path().filename().string().find("blocked.ini.")) << entry.path();
}

TEST(SettingsFile, OnlyWhatPlayChangedIsSavedAndNothingWhenNothingChanged) {
    const gamerun::ScratchFolder scratch;
    const std::string path = scratch.Path() + "/settings.ini";
    std::vector<std::string> warnings;
    SettingsFile file = SettingsFile::Parse(path, "scale = 3\n", warnings);
    host::PlayState before;
    before.volumes.music = 60;
    std::string error;
    ASSERT_TRUE(SavePlayChanges(file, before, before, error));
    EXPECT_FALSE(fs::exists(path));
    host::PlayState after = before;
    after.fullscreen = false;
    after.volumes.effects = 90;
    ASSERT_TRUE(SavePlayChanges(file, before, after, error)) << error;
    EXPECT_EQ("scale = 3\nfullscreen = false\neffects_volume = 90\n", gamerun::ReadFile(path));
}

TEST(ProgramOptions, TheCommandLineWinsOverTheSettingsForItsRun) {
    std::vector<std::string> warnings;
    const Settings s = Parse("fullscreen = false\nscale = 3\nmusic_volume = 20\ngamepad = false\n", warnings).Values();
    std::vector<std::string> words = {"trundlebop",      "--fullscreen", "--scale", "5",
                                      "--integer-scale", "--config",     "c.ini",   "--soundfont",
                                      "f.sf2",           "--data",       "d"};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    Options o;
    ASSERT_EQ(-1, ParseOptions(static_cast<int>(argv.size()), argv.data(), o));
    const host::SdlOptions play = PlayOptionsFrom(s, o);
    EXPECT_TRUE(play.fullscreen);
    EXPECT_EQ(5, play.scale);
    EXPECT_TRUE(play.integerScale);
    EXPECT_EQ(20, play.controls.volumes.music);
    EXPECT_FALSE(play.controls.bindings.padEnabled);
    EXPECT_EQ("c.ini", o.config);
    EXPECT_EQ("f.sf2", o.soundFont);
    EXPECT_EQ("d", o.data);
    MakePathsAbsolute(o);
    EXPECT_EQ('/', o.config[0]);
    EXPECT_EQ(fs::current_path() / "d", fs::path(o.data));
    // Without the options the settings hold.
    const host::SdlOptions plain = PlayOptionsFrom(s, Options{});
    EXPECT_FALSE(plain.fullscreen);
    EXPECT_EQ(3, plain.scale);
    EXPECT_FALSE(plain.integerScale);
}

TEST(GameFiles, FoldersAreTriedInTheirOrderWithoutRepeats) {
    const std::vector<std::string> expected = {
        "/data", "/work", "/opt/tb/bin/assets", "/opt/tb/share/trundlebop", "/x/trundlebop", "/usr/share/trundlebop"};
    EXPECT_EQ(expected, GameFileFolders("/data", "/work", "/opt/tb/bin", "/x:relative:/usr/share/:/x"));
    const std::vector<std::string> unset = {"/work", "/opt/tb/bin/assets", "/opt/tb/share/trundlebop",
                                            "/usr/local/share/trundlebop", "/usr/share/trundlebop"};
    EXPECT_EQ(unset, GameFileFolders("", "/work", "/opt/tb/bin", nullptr));
    EXPECT_TRUE(HoldsGameFiles(TRUNDLEBOP_ASSETS));
    EXPECT_FALSE(HoldsGameFiles(TRUNDLEBOP_TEST_DATA));
}

}  // namespace
