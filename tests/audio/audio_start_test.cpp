// Audio start-up and shut-down as a whole: with a sound device, and on a machine with none,
// where the sound stand-in refuses, music is never started and the game plays on silent.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "hosts/headless/headless_host.h"
#include "levels/level1.h"
#include "platform/dsound.h"
#include "support/run_game.h"

namespace {

// A window on a headless host with or without a sound device, and the sound module ready
// to make its device afresh.
class AudioStartTest : public ::testing::Test {
protected:
    void Start(bool soundDevice) {
        ShutdownAudio();
        soundFirstInit = 1;
        host::HeadlessOptions options;
        options.soundDevice = soundDevice;
        host_ = std::make_unique<host::HeadlessHost>(options);
        host::Install(host_.get());
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        UnregisterClassA(kMainWindowClass, nullptr);
        ASSERT_NE(nullptr, CreateMainWindow(nullptr));
    }
    void TearDown() override {
        ShutdownAudio();
        soundFirstInit = 1;
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        UnregisterClassA(kMainWindowClass, nullptr);
        host::Install(nullptr);
    }
    std::unique_ptr<host::HeadlessHost> host_;
};

TEST_F(AudioStartTest, WithADeviceBothStartAndShutDownReleasesEverything) {
    ASSERT_NO_FATAL_FAILURE(Start(true));
    ASSERT_EQ(0, chdir(TRUNDLEBOP_ASSETS));
    ASSERT_EQ(1, InitAudio());
    ASSERT_NE(nullptr, soundDevice);
    ASSERT_NE(nullptr, musicPerformance);
    ASSERT_NE(nullptr, musicLoader);
    const int sound = LoadWav("lev1_jump.wav", 0xE0);
    const int piece = LoadMidi("menu_bgmusic.mid");
    ASSERT_GE(sound, 0);
    ASSERT_GE(piece, 0);
    PlaySoundEffect(sound, DSBPLAY_LOOPING);
    PlayMusic(piece);
    // Hold our own reference to the two devices: after the shut-down ours is the last.
    soundDevice->AddRef();
    musicPerformance->AddRef();
    LPDIRECTSOUND device = soundDevice;
    LPDIRECTMUSICPERFORMANCE performance = musicPerformance;
    ASSERT_EQ(1, ShutdownAudio());
    EXPECT_EQ(nullptr, soundDevice);
    EXPECT_EQ(nullptr, musicPerformance);
    EXPECT_EQ(nullptr, musicLoader);
    EXPECT_EQ(-1, SoundStatus(sound));
    EXPECT_EQ(0, MusicStatus(piece));
    for (const SoundSlot& slot : soundSlots) EXPECT_EQ(nullptr, slot.buffer);
    for (const MusicSlot& slot : musicSlots) EXPECT_EQ(nullptr, slot.segment);
    EXPECT_EQ(0u, device->Release()) << "the sound module let go of its device";
    EXPECT_EQ(0u, performance->Release()) << "the music module let go of its performance";
}

TEST_F(AudioStartTest, WithoutADeviceSoundRefusesMusicIsSkippedAndEveryIdIsMinusOne) {
    ASSERT_NO_FATAL_FAILURE(Start(false));
    ASSERT_EQ(0, chdir(TRUNDLEBOP_ASSETS));
    EXPECT_EQ(0, InitAudio());
    EXPECT_EQ(nullptr, soundDevice);
    EXPECT_EQ(nullptr, musicPerformance) << "InitMusic is not called when sound failed";
    EXPECT_EQ(nullptr, musicLoader);
    EXPECT_EQ(-1, LoadWav("lev1_jump.wav", 0xE0));
    EXPECT_EQ(-1, LoadMidi("menu_bgmusic.mid"));
    EXPECT_EQ(-1, DuplicateSound(0));
    EXPECT_EQ(-1, SoundStatus(-1));
    EXPECT_EQ(0, MusicStatus(-1));
    EXPECT_EQ(1, ShutdownAudio());
}

TEST_F(AudioStartTest, WithoutADeviceTheWholeGamePlaysOnSilent) {
    ASSERT_NO_FATAL_FAILURE(Start(false));
    ASSERT_EQ(0, chdir(TRUNDLEBOP_ASSETS));
    ASSERT_EQ(1, InitGame());
    EXPECT_EQ(nullptr, soundDevice);
    EXPECT_EQ(nullptr, musicPerformance);
    for (int level = 1; level <= 3; ++level) {
        JumpToLevel(level);
        ScreenId = kScreenPlay;
        for (int frame = 0; frame < 40; ++frame) RunFrame();
        EXPECT_EQ(level, currentLevel);
    }
    for (const SoundSlot& slot : soundSlots) EXPECT_EQ(0, slot.state);
    EXPECT_EQ(-1, currentMusic);
    EXPECT_EQ(1, ShutdownGame());
}

}  // namespace
