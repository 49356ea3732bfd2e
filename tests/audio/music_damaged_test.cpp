// Damaged music files never reach the synthesizer: LoadMidi gives -1 for every damaged file
// under tests/data/midi and takes every good one, and every piece the game plays.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/music.h"
#include "platform/dmusic/midi_file.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> MidiFiles(const fs::path& folder) {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".mid") paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool OurReaderTakes(const fs::path& path, std::string& why) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    platform::MidiSummary summary;
    return platform::ReadMidiFile(bytes.data(), bytes.size(), summary, why);
}

class MusicDamagedTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, InitMusic()); }
    void TearDown() override { ShutdownMusic(); }
};

TEST_F(MusicDamagedTest, DamagedFilesAreRefusedAndGoodOnesLoad) {
    int damaged = 0;
    int good = 0;
    for (const fs::path& path : MidiFiles(fs::path(TRUNDLEBOP_TEST_DATA) / "midi")) {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        std::string why;
        const bool readable = OurReaderTakes(path, why);
        // LoadMidi takes a full path as well as a name in the working directory.
        const int id = LoadMidi(fs::absolute(path).c_str());
        if (name.rfind("bad_", 0) == 0) {
            ++damaged;
            EXPECT_FALSE(readable);
            EXPECT_FALSE(why.empty());
            EXPECT_EQ(-1, id);
        } else {
            ++good;
            EXPECT_TRUE(readable) << why;
            EXPECT_GE(id, 0);
        }
        if (id >= 0) DeleteMidi(id);
    }
    EXPECT_GE(damaged, 20);
    EXPECT_GE(good, 3);
    for (const MusicSlot& slot : musicSlots) EXPECT_EQ(nullptr, slot.segment) << "nothing left behind";
}

TEST_F(MusicDamagedTest, EveryPieceTheGamePlaysLoads) {
    const auto pieces = MidiFiles(TRUNDLEBOP_ASSETS);
    ASSERT_EQ(4u, pieces.size());
    for (const fs::path& path : pieces) {
        std::string why;
        EXPECT_TRUE(OurReaderTakes(path, why)) << path << ": " << why;
        const int id = LoadMidi(path.c_str());
        EXPECT_GE(id, 0) << path;
        if (id >= 0) {
            EXPECT_EQ(1, PlayMusic(id));
            EXPECT_EQ(kMusicPlaying, MusicStatus(id));
            StopMusic(id);
        }
    }
}

}  // namespace
