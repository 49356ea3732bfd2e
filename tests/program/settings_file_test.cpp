// The settings file as the player keeps it: one the game cannot read is never written over;
// a link is saved through, a read-only file left alone; temporaries of a killed save are
// cleared; a byte-order mark and a misspelled key; a file of endless bad lines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "program/player_setup.h"
#include "program/settings.h"
#include "program/user_paths.h"
#include "support/run_game.h"

namespace {

namespace fs = std::filesystem;

const char kMine[] = "scale = 3\nmusic_volume = 50\n# mine\n";

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Plays a session that turned the music down, as F5 does, and saves it as the game does at
// its end. The warnings reading gave and the error saving gave come back.
bool PlayAndSave(const std::string& path, std::vector<std::string>& warnings, std::string& error) {
    SettingsFile file = SettingsFile::Read(path, warnings);
    host::PlayState before;
    before.volumes.music = file.Values().musicVolume;
    host::PlayState after = before;
    after.volumes.music -= 10;
    return SavePlayChanges(file, before, after, error);
}

TEST(PlayerSettingsFile, AFileTheGameCannotReadIsNeverWrittenOver) {
    const gamerun::ScratchFolder scratch;
    // A named pipe in its place (reading it would wait for a writer), and a file far larger
    // than any settings: both are there, neither can be read, and both are kept.
    const std::string pipe = scratch.Path() + "/pipe.ini";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0600));
    const std::string large = scratch.Path() + "/large.ini";
    Write(large, kMine + std::string(kSettingsMaxBytes, '#'));
    std::vector<std::pair<std::string, std::string>> cases = {{pipe, "a named pipe"}, {large, "larger than 1 MB"}};
    // One the player may not read: root reads any file, so this case needs another account.
    const std::string locked = scratch.Path() + "/locked.ini";
    Write(locked, kMine);
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) cases.push_back({locked, "Permission denied"});

    for (const auto& [path, why] : cases) {
        const std::string before = fs::is_regular_file(path) ? gamerun::ReadFile(path) : "";
        std::vector<std::string> warnings;
        std::string error;
        EXPECT_FALSE(PlayAndSave(path, warnings, error)) << path;
        ASSERT_EQ(1u, warnings.size()) << path;
        EXPECT_EQ(path + ": " + why, warnings[0].substr(0, path.size() + 2 + why.size())) << warnings[0];
        EXPECT_NE(std::string::npos, warnings[0].find("using the defaults")) << warnings[0];
        EXPECT_EQ(path + " could not be read (" + why, error.substr(0, path.size() + 20 + why.size())) << error;
        EXPECT_NE(std::string::npos, error.find("left as it is")) << error;
        if (path == pipe)
            EXPECT_TRUE(fs::is_fifo(pipe)) << "the pipe is still a pipe";
        else
            EXPECT_EQ(before, gamerun::ReadFile(path)) << path;
    }
    EXPECT_EQ(3, std::distance(fs::directory_iterator(scratch.Path()), fs::directory_iterator()))
        << "nothing was left beside them";
}

TEST(PlayerSettingsFile, SavingWritesThroughALinkAndLeavesAReadOnlyFileAlone) {
    const gamerun::ScratchFolder scratch;
    fs::create_directories(scratch.Path() + "/dotfiles");
    const std::string target = scratch.Path() + "/dotfiles/trundlebop.ini";
    const std::string link = scratch.Path() + "/settings.ini";
    Write(target, kMine);
    fs::create_symlink("dotfiles/trundlebop.ini", link);
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(PlayAndSave(link, warnings, error)) << error;
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ("scale = 3\nmusic_volume = 40\n# mine\n", gamerun::ReadFile(target));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(scratch.Path() + "/dotfiles"), fs::directory_iterator()));

    // Read-only is kept so, whoever plays (root too).
    const std::string kept = scratch.Path() + "/kept.ini";
    Write(kept, kMine);
    ::chmod(kept.c_str(), 0444);
    EXPECT_FALSE(PlayAndSave(kept, warnings, error));
    EXPECT_EQ(kept + " is read-only, so it is left as it is", error);
    EXPECT_EQ(kMine, gamerun::ReadFile(kept));
    EXPECT_EQ(0444u, static_cast<unsigned>(fs::status(kept).permissions()));
}

TEST(PlayerSettingsFile, TemporariesOfAKilledSaveAreRemovedWhenTheNextSaveStarts) {
    const gamerun::ScratchFolder scratch;
    const std::string path = scratch.Path() + "/settings.ini";
    Write(path, kMine);
    const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
    // Left by killed saves; and others that are not, or may be another game's save under way.
    const std::vector<std::string> stale = {"settings.ini.a1B2c3", "settings.ini.ZZZZZZ"};
    const std::vector<std::string> kept = {"settings.ini.a1B2c", "settings.ini.a1B2c3d", "settings.ini.a1-2c3",
                                           "other.ini.a1B2c3", "settings.ini.fresh1"};
    for (const std::string& name : stale) Write(scratch.Path() + "/" + name, std::string(4096, 'x'));
    for (const std::string& name : kept) Write(scratch.Path() + "/" + name, "x");
    for (const std::string& name : stale) fs::last_write_time(scratch.Path() + "/" + name, an_hour_ago);
    for (std::size_t i = 0; i + 1 < kept.size(); ++i) fs::last_write_time(scratch.Path() + "/" + kept[i], an_hour_ago);
    std::vector<std::string> warnings;
    std::string error;
    ASSERT_TRUE(PlayAndSave(path, warnings, error)) << error;
    for (const std::string& name : stale) EXPECT_FALSE(fs::exists(scratch.Path() + "/" + name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(scratch.Path() + "/" + name)) << name;
}

TEST(PlayerSettingsFile, AByteOrderMarkIsPassedOverAndAMisspelledKeyWarns) {
    std::vector<std::string> warnings;
    const std::string text = "\xEF\xBB\xBFscale = 3\nMusic_Volume = 5\nKey.Up = W\nvolume = 7\n";
    SettingsFile file = SettingsFile::Parse("s.ini", text, warnings);
    EXPECT_EQ(3, file.Values().scale) << "the first line is read";
    EXPECT_EQ(100, file.Values().musicVolume);
    ASSERT_EQ(3u, warnings.size());
    EXPECT_EQ("s.ini:2: no setting \"Music_Volume\"; did you mean music_volume?", warnings[0]);
    EXPECT_EQ("s.ini:3: no setting \"Key.Up\"; did you mean key.Up?", warnings[1]);
    EXPECT_EQ("s.ini:4: no setting \"volume\" (trundlebop --help lists them)", warnings[2]);
    EXPECT_EQ(text, file.Text()) << "kept as it was, the mark too";
    file.Set("scale", "4");
    EXPECT_EQ(0u, file.Text().find("\xEF\xBB\xBFscale = 4\n"));
}

TEST(PlayerSettingsFile, AFileOfEndlessBadLinesGivesAFewShortWarningsAndACount) {
    std::string text;
    const std::string huge(100000, 'z');
    for (int i = 0; i < 500; ++i) text += "scale = " + huge + "\n";
    text += "\x1b[2J = 1\n";
    std::vector<std::string> warnings;
    const SettingsFile file = SettingsFile::Parse("s.ini", text, warnings);
    ASSERT_EQ(kSettingsMaxWarnings + 1, warnings.size());
    for (const std::string& warning : warnings) EXPECT_LT(warning.size(), 200u) << warning.substr(0, 200);
    EXPECT_EQ("s.ini:1: scale is a whole number from 1 to 8, not \"" + std::string(60, 'z') + "...\"; keeping 2",
              warnings[0]);
    EXPECT_EQ("s.ini: 481 more lines could not be used either", warnings.back());
    EXPECT_EQ(2, file.Values().scale);
    // What a line shows of itself cannot steer the terminal.
    std::vector<std::string> one;
    SettingsFile::Parse("s.ini", "\x1b[2J = 1\n", one);
    ASSERT_EQ(1u, one.size());
    EXPECT_EQ("s.ini:1: no setting \"?[2J\" (trundlebop --help lists them)", one[0]);
}

}  // namespace
