// Audio start-up and shut-down as a whole: with a sound device, and on a machine with none,
// where the sound stand-in refuses, music is never started and the game plays on silent:
// on the headless host told there is no device, on the null host (which has none), and
// through the program's watch around a host without one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/screens.h"
#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "hosts/headless/headless_host.h"
#include "hosts/null_host.h"
#include "levels/level1.h"
#include "levels/level2.h"
#include "levels/level3.h"
#include "platform/dsound.h"
#include "program/watched_host.h"
#include "support/installed_host.h"
#include "support/run_game.h"

namespace {

host::HeadlessOptions SoundDevice(bool present) {
    host::HeadlessOptions options;
    options.soundDevice = present;
    return options;
}

// A window on one of the hosts below, and the sound module ready to make its device afresh.
class AudioStartTest : public ::testing::Test {
protected:
    void Start(host::Host& machine) {
        ShutdownAudio();
        soundFirstInit = 1;
        installed_.emplace(machine);
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        UnregisterClassA(kMainWindowClass, nullptr);
        ASSERT_NE(nullptr, CreateMainWindow(nullptr));
    }
    void TearDown() override {
        ShutdownAudio();
        soundFirstInit = 1;
        if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
        UnregisterClassA(kMainWindowClass, nullptr);
        installed_.reset();
    }
    host::HeadlessHost withDevice_{SoundDevice(true)};
    host::HeadlessHost withoutDevice_{SoundDevice(false)};
    host::NullHost nullHost_;
    WatchedHost watchedWithoutDevice_{withoutDevice_, false};
    std::optional<gametest::InstalledHost> installed_;
};

TEST_F(AudioStartTest, WithADeviceBothStartAndShutDownReleasesEverything) {
    ASSERT_NO_FATAL_FAILURE(Start(withDevice_));
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

// The same machine without a sound device, as each host meets it.
enum class Machine { Headless, NullHost, WatchedHeadless };

class WithoutADevice : public AudioStartTest, public ::testing::WithParamInterface<Machine> {
protected:
    void SetUp() override {
        switch (GetParam()) {
            case Machine::Headless:
                ASSERT_NO_FATAL_FAILURE(Start(withoutDevice_));
                break;
            case Machine::NullHost:
                ASSERT_NO_FATAL_FAILURE(Start(nullHost_));
                break;
            case Machine::WatchedHeadless:
                ASSERT_NO_FATAL_FAILURE(Start(watchedWithoutDevice_));
                break;
        }
    }
};

TEST_P(WithoutADevice, SoundRefusesMusicIsSkippedAndEveryIdIsMinusOne) {
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

TEST_P(WithoutADevice, TheWholeGamePlaysOnSilent) {
    ASSERT_EQ(0, chdir(TRUNDLEBOP_ASSETS));
    ASSERT_EQ(1, InitGame());
    EXPECT_EQ(nullptr, soundDevice);
    EXPECT_EQ(nullptr, musicPerformance);
    for (int id : {jumpSound, boardLoopSound, fallSound, stepsSound}) EXPECT_EQ(-1, id);
    for (int id : {menuMusic, level1Music, level2Music, level3Music}) EXPECT_EQ(-1, id);
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

INSTANTIATE_TEST_SUITE_P(EachHost, WithoutADevice,
                         ::testing::Values(Machine::Headless, Machine::NullHost, Machine::WatchedHeadless),
                         [](const ::testing::TestParamInfo<Machine>& info) {
                             switch (info.param) {
                                 case Machine::Headless:
                                     return "Headless";
                                 case Machine::NullHost:
                                     return "NullHost";
                                 case Machine::WatchedHeadless:
                                     return "WatchedHeadless";
                             }
                             return "Unknown";
                         });

}  // namespace
