// WAV files in any PCM layout play as the game's one format, 8-bit mono at 22050 Hz: a
// 16-bit stereo file at 44100 Hz is heard byte by byte, at half the mix rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/winmain.h"
#include "audio/sound.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"
#include "support/installed_host.h"
#include "support/run_game.h"

namespace {

namespace fs = std::filesystem;

std::string Le32(std::uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}
std::string Le16(std::uint16_t v) {
    return {char(v), char(v >> 8)};
}

// A PCM WAV file: its format chunk as given, then `data`.
std::string Wav(int channels, int rate, int bits, const std::string& data) {
    const int align = channels * bits / 8;
    const std::string format = Le16(1) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
    const std::string body = "WAVEfmt " + Le32(16) + format + "data" + Le32(std::uint32_t(data.size())) + data;
    return "RIFF" + Le32(std::uint32_t(body.size())) + body;
}

class SoundLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "SOUNDLAYOUT";
        RegisterClassExA(&wc);
        mainWindow =
            CreateWindowExA(0, "SOUNDLAYOUT", "Sound", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, mainWindow);
        if (!soundDevice) soundFirstInit = 1;
        ASSERT_EQ(1, InitSound());
        ASSERT_NE(nullptr, soundDevice);
    }
    void TearDown() override {
        DeleteAllSounds();
        DestroyWindow(mainWindow);
        mainWindow = nullptr;
        UnregisterClassA("SOUNDLAYOUT", nullptr);
    }
    // Mixes `frames` at the mix rate; the loudest sample heard.
    static int Mix(int frames) {
        std::vector<std::int16_t> out(std::size_t(frames) * 2);
        platform::Link().MixAudio(out.data(), frames, host::kMixRate);
        int loudest = 0;
        for (std::int16_t s : out) loudest = std::max(loudest, std::abs(int(s)));
        return loudest;
    }
    gamerun::ScratchFolder scratch_;
    gametest::HandMixedHost host_;
    gametest::InstalledHost installed_{host_};
};

TEST_F(SoundLayoutTest, SixteenBitStereoFilePlaysAsEightBitMonoAt22050) {
    const std::string path = scratch_.Path() + "/stereo.wav";
    // 2204 bytes of 0xFF: as 16-bit stereo, 551 frames of near silence (-1 of 32768); as
    // the game plays them, 2204 frames at full scale lasting 0.1 s.
    std::ofstream(path, std::ios::binary) << Wav(2, 44100, 16, std::string(2204, '\xFF'));
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
