// WAV files in any PCM layout play as the game's one format, 8-bit mono at 22050 Hz: a
// 16-bit stereo file at 44100 Hz is heard byte by byte, at half the mix rate.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "audio/sound.h"
#include "support/sound_fixture.h"
#include "support/wav_builder.h"

namespace {

namespace fs = std::filesystem;

using SoundLayoutTest = gametest::SoundFixture;

TEST_F(SoundLayoutTest, SixteenBitStereoFilePlaysAsEightBitMonoAt22050) {
    // 2204 bytes of 0xFF: as 16-bit stereo, 551 frames of near silence (-1 of 32768); as
    // the game plays them, 2204 frames at full scale lasting 0.1 s.
    const std::string path =
        gametest::WriteFile(Path("stereo.wav"), gametest::PcmWav(2, 44100, 16, std::string(2204, '\xFF')));
    const int id = LoadWav(path.c_str(), 0xE0);
    ASSERT_GE(id, 0);
    EXPECT_EQ(44100, soundSlots[id].rate) << "the file's rate is kept, for information";
    EXPECT_EQ(2204, soundSlots[id].size);
    DWORD frequency = 0;
    ASSERT_EQ(S_OK, soundSlots[id].buffer->GetFrequency(&frequency));
    EXPECT_EQ(22050u, frequency);
    ASSERT_EQ(1, PlaySoundEffect(id, 0));
    // Two mix frames for each byte: 4408 frames in all.
    EXPECT_GT(Mix(4000), 30000) << "each byte is a full-scale 8-bit sample";
    EXPECT_EQ(1, SoundStatus(id)) << "still playing after 4000 of its 4408 frames";
    Mix(420);
    EXPECT_EQ(0, SoundStatus(id));
}

TEST_F(SoundLayoutTest, EveryGoodFileLoadsInTheGamesFormat) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TRUNDLEBOP_TEST_DATA) / "wav")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("good_", 0) != 0) continue;
        ++files;
        const int id = LoadWav(entry.path().c_str(), 0xE0);
        ASSERT_GE(id, 0) << name;
        DWORD frequency = 0;
        ASSERT_EQ(S_OK, soundSlots[id].buffer->GetFrequency(&frequency));
        EXPECT_EQ(22050u, frequency) << name;
        DeleteSound(id);
    }
    EXPECT_GE(files, 4);
}

}  // namespace
