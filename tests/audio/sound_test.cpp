// Tests of the sound-effect module: the slot table, WAV files as the loader reads them,
// play and status through the mixer, volume, duplicates, empty ids and broken files.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/winmain.h"
#include "audio/sound.h"
#include "hosts/host.h"
#include "platform/dsound/audio_mixer.h"
#include "support/sound_fixture.h"
#include "support/wav_builder.h"

namespace {

namespace fs = std::filesystem;

using gametest::Le16;
using gametest::Le32;
using gametest::WavChunk;
using gametest::WavFile;
using gametest::WavFormat;

std::string Samples(int count, int value) {
    return std::string(std::size_t(count), char(value));
}

class SoundTest : public gametest::SoundFixture {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        return gametest::WriteFile(Path(name), bytes);
    }
    std::string Plain(int samples = 100, int value = 0xFF) {
        return Write("plain.wav", gametest::PcmWav(1, 22050, 8, Samples(samples, value)));
    }
    static DWORD Position(int id) {
        DWORD play = 0;
        soundSlots[id].buffer->GetCurrentPosition(&play, nullptr);
        return play;
    }
    // What the slot's buffer holds, read back through a lock.
    static std::string BufferBytes(int id) {
        LPVOID a = nullptr, b = nullptr;
        DWORD na = 0, nb = 0;
        if (soundSlots[id].buffer->Lock(0, soundSlots[id].size, &a, &na, &b, &nb, 0) != S_OK) return "";
        std::string bytes(static_cast<char*>(a), na);
        soundSlots[id].buffer->Unlock(a, 0, b, 0);
        return bytes;
    }
};

TEST_F(SoundTest, TableOf256TakesTheLowestFreeSlot) {
    const std::string path = Plain();
    for (int i = 0; i < kSoundSlots; ++i) ASSERT_EQ(LoadWav(path.c_str(), 0xE0), i);
    EXPECT_EQ(LoadWav(path.c_str(), 0xE0), -1);
    EXPECT_EQ(soundSlots[255].state, 1);
    EXPECT_EQ(soundSlots[255].size, 100);
    EXPECT_EQ(soundSlots[255].rate, 22050);
    EXPECT_STREQ(SoundFileName(200), path.c_str());
    DeleteSound(200);
    DeleteSound(7);
    EXPECT_EQ(SoundFileName(7), nullptr);
    EXPECT_EQ(soundSlots[7].state, 0);
    EXPECT_EQ(LoadWav(path.c_str(), 0xE0), 7);
    EXPECT_EQ(LoadWav(path.c_str(), 0xE0), 200);
    EXPECT_EQ(LoadWav(path.c_str(), 0xE0), -1);
}

TEST_F(SoundTest, ChunkLayoutsAsTheLoaderReadsThem) {
    // A LIST of odd size (padded) and a fact chunk between the format and the data.
    const std::string data = "\x10\x20\x30\x40\x50\x60\x70\x80\x90";
    const std::string between = Write("between.wav", WavFile(WavFormat(1, 1, 22050, 8) + WavChunk("LIST", "INFOa") +
                                                             WavChunk("fact", Le32(9)) + WavChunk("data", data)));
    const int id = LoadWav(between.c_str(), 0xE0);
    ASSERT_EQ(id, 0);
    EXPECT_EQ(soundSlots[id].size, 9);
    EXPECT_EQ(BufferBytes(id), data);

    // The first chunk is the format whatever its name: it loads when it starts with 1, 0.
    const std::string body = Le16(1) + Le16(1) + Le32(11025) + Le32(11025) + Le16(1) + Le16(8);
    EXPECT_EQ(LoadWav(Write("odd1.wav", WavFile(WavChunk("junk", body) + WavChunk("data", Samples(8, 1)))).c_str(), 0),
              1);
    EXPECT_EQ(soundSlots[1].rate, 11025);
    const std::string notOne = Le16(2) + body.substr(2);
    EXPECT_EQ(
        LoadWav(Write("odd2.wav", WavFile(WavChunk("junk", notOne) + WavChunk("data", Samples(8, 1)))).c_str(), 0), -1);

    // 16-bit stereo at 44100: loads, keeps its own rate, its bytes go in as they are.
    const std::string wide = Write("wide.wav", WavFile(WavFormat(1, 2, 44100, 16) + WavChunk("data", Samples(400, 7))));
    ASSERT_EQ(LoadWav(wide.c_str(), 0xE0), 2);
    EXPECT_EQ(soundSlots[2].rate, 44100);
    EXPECT_EQ(soundSlots[2].size, 400);

    // Not PCM: refused, and the slot it would have taken stays free.
    EXPECT_EQ(
        LoadWav(Write("float.wav", WavFile(WavFormat(3, 1, 22050, 32) + WavChunk("data", Samples(64, 0)))).c_str(), 0),
        -1);
    EXPECT_EQ(soundSlots[3].state, 0);
    EXPECT_EQ(soundSlots[3].buffer, nullptr);
    EXPECT_EQ(LoadWav(Path("missing.wav").c_str(), 0), -1);

    // A data chunk that declares far more than the file holds takes only what is there.
    const std::string lying = Write("lying.wav", "RIFF" + Le32(0xFFFFFFFFu) + "WAVE" + WavFormat(1, 1, 22050, 8) +
                                                     "data" + Le32(0x7FFFFF00u) + data);
    ASSERT_EQ(LoadWav(lying.c_str(), 0xE0), 3);
    EXPECT_EQ(soundSlots[3].size, 9);
    EXPECT_EQ(BufferBytes(3), data);
}

TEST_F(SoundTest, StatusFollowsPlayback) {
    const int id = LoadWav(Plain(100).c_str(), 0xE0);
    ASSERT_GE(id, 0);
    EXPECT_EQ(SoundStatus(id), 0);
    EXPECT_EQ(PlaySoundEffect(id, DSBPLAY_LOOPING), 1);
    EXPECT_EQ(SoundStatus(id), 5);
    Mix(1000);  // five times round
    EXPECT_EQ(SoundStatus(id), 5);
    EXPECT_EQ(StopSoundEffect(id), 1);
    EXPECT_EQ(SoundStatus(id), 0);
    EXPECT_EQ(Position(id), 0u);

    EXPECT_EQ(PlaySoundEffect(id, 0), 1);
    EXPECT_EQ(SoundStatus(id), 1);
    Mix(100);  // half of it at twice the sound's rate
    EXPECT_EQ(SoundStatus(id), 1);
    EXPECT_EQ(Position(id), 50u);
    EXPECT_EQ(PlaySoundEffect(id, 0), 1);  // starts over
    EXPECT_EQ(Position(id), 0u);
    Mix(199);
    EXPECT_EQ(SoundStatus(id), 1);
    Mix(1);
    EXPECT_EQ(SoundStatus(id), 0);
    EXPECT_EQ(Position(id), 100u);
}

TEST_F(SoundTest, VolumeFrequencyAndPanReachTheBuffer) {
    const int id = LoadWav(Plain().c_str(), 0xE0);
    ASSERT_GE(id, 0);
    LONG volume = 1;
    EXPECT_EQ(SetSoundVolume(id, 100), 1);
    soundSlots[id].buffer->GetVolume(&volume);
    EXPECT_EQ(volume, 0);
    EXPECT_EQ(SetSoundVolume(id, 0), 1);
    soundSlots[id].buffer->GetVolume(&volume);
    EXPECT_EQ(volume, -3000);
    EXPECT_EQ(SetSoundVolume(id, 101), 0);  // a positive attenuation is refused
    EXPECT_EQ(SetSoundVolume(id, INT_MIN), 0);
    soundSlots[id].buffer->GetVolume(&volume);
    EXPECT_EQ(volume, -3000);

    DWORD rate = 0;
    LONG pan = 0;
    EXPECT_EQ(SetSoundFrequency(id, 44100), 1);
    EXPECT_EQ(SetSoundFrequency(id, 50), 0);
    soundSlots[id].buffer->GetFrequency(&rate);
    EXPECT_EQ(rate, 44100u);
    EXPECT_EQ(SetSoundPan(id, -500), 1);
    EXPECT_EQ(SetSoundPan(id, 10001), 0);
    soundSlots[id].buffer->GetPan(&pan);
    EXPECT_EQ(pan, -500);

    // Without the control bits the buffer has no volume, rate or pan to set.
    const int bare = LoadWav(Plain().c_str(), 0);
    EXPECT_EQ(SetSoundVolume(bare, 50), 0);
    EXPECT_EQ(SetSoundFrequency(bare, 22050), 0);
    EXPECT_EQ(SetSoundPan(bare, 0), 0);
}

TEST_F(SoundTest, SecondInitFreesEverySlotAndKeepsTheDevice) {
    const std::string path = Plain();
    ASSERT_EQ(LoadWav(path.c_str(), 0xE0), 0);
    ASSERT_EQ(LoadWav(path.c_str(), 0xE0), 1);
    PlaySoundEffect(1, DSBPLAY_LOOPING);
    LPDIRECTSOUND device = soundDevice;
    EXPECT_EQ(InitSound(), 1);
    EXPECT_EQ(soundDevice, device);
    for (int i = 0; i < kSoundSlots; ++i) {
        EXPECT_EQ(soundSlots[i].buffer, nullptr);
        EXPECT_EQ(soundSlots[i].state, 0);
        EXPECT_EQ(soundSlots[i].id, i);
    }
    EXPECT_EQ(LoadWav(path.c_str(), 0xE0), 0);
}

TEST_F(SoundTest, EmptyAndOutOfRangeIdsDoNothing) {
    for (int id : {-1, 5, 255, 256, 1000, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(PlaySoundEffect(id, 1), 1);
        EXPECT_EQ(StopSoundEffect(id), 1);
        EXPECT_EQ(SoundStatus(id), -1);
        EXPECT_EQ(DuplicateSound(id), -1);
        EXPECT_EQ(DeleteSound(id), 1);
        EXPECT_EQ(SetSoundVolume(id, 50), 0);
        EXPECT_EQ(SetSoundFrequency(id, 22050), 0);
        EXPECT_EQ(SetSoundPan(id, 0), 0);
        EXPECT_EQ(SoundFileName(id), nullptr);
    }
    for (int i = 0; i < kSoundSlots; ++i) EXPECT_EQ(soundSlots[i].state, 0);
}

TEST_F(SoundTest, DuplicateSharesTheSoundAndLivesOnItsOwn) {
    const std::string path = Plain(100);
    ASSERT_EQ(LoadWav(path.c_str(), 0xE0), 0);
    ASSERT_EQ(DuplicateSound(0), 1);
    EXPECT_EQ(soundSlots[1].id, 1);
    EXPECT_EQ(soundSlots[1].state, 1);
    EXPECT_EQ(soundSlots[1].size, 100);
    EXPECT_NE(soundSlots[1].buffer, soundSlots[0].buffer);
    EXPECT_STREQ(SoundFileName(1), path.c_str());
    EXPECT_EQ(BufferBytes(1), Samples(100, 0xFF));
    PlaySoundEffect(1, 0);
    EXPECT_EQ(SoundStatus(0), 0);
    DeleteSound(0);
    Mix(20);
    EXPECT_EQ(SoundStatus(1), 1);
    EXPECT_EQ(Position(1), 10u);
}

TEST_F(SoundTest, ShutdownLetsGoOfTheDevice) {
    ASSERT_EQ(LoadWav(Plain().c_str(), 0xE0), 0);
    PlaySoundEffect(0, 1);
    EXPECT_EQ(ShutdownSound(), 1);
    EXPECT_EQ(soundDevice, nullptr);
    EXPECT_EQ(soundSlots[0].buffer, nullptr);
    EXPECT_EQ(SoundStatus(0), -1);
    EXPECT_EQ(LoadWav(Plain().c_str(), 0xE0), -1);
    EXPECT_EQ(DuplicateSound(0), -1);
}

TEST_F(SoundTest, BrokenFilesAreRefusedWithNothingLeftBehind) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TRUNDLEBOP_TEST_DATA) / "wav")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("bad_", 0) != 0) continue;
        ++files;
        EXPECT_EQ(LoadWav(entry.path().c_str(), 0xE0), -1) << name;
    }
    EXPECT_GE(files, 10);
    for (int i = 0; i < kSoundSlots; ++i) {
        EXPECT_EQ(soundSlots[i].state, 0);
        EXPECT_EQ(soundSlots[i].buffer, nullptr);
    }
}

}  // namespace
