// What hosts hand the stand-ins: key repeats as the window sees them, and the player's
// volumes as the mixer and the music apply them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "hosts/headless/headless_host.h"
#include "platform/dinput.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"
#include "platform/windows.h"
#include "support/installed_host.h"
#include "support/key_messages.h"

namespace {

using gametest::KeepKeys;
using gametest::KeyMessage;
using gametest::keyMessages;

class KeyRepeats : public ::testing::Test {
protected:
    void SetUp() override {
        keyMessages.clear();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = KeepKeys;
        wc.lpszClassName = "REPEATS";
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(0, "REPEATS", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override {
        DestroyWindow(window_);
        UnregisterClassA("REPEATS", nullptr);
    }
    // Every message the queue holds, through the window procedure.
    static void Drain() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
    host::HeadlessHost host_{host::HeadlessOptions{}};
    gametest::InstalledHost installed_{host_};
    HWND window_ = nullptr;
};

constexpr LPARAM kPreviouslyDown = LPARAM{1} << 30;

TEST_F(KeyRepeats, RepeatsCarryThePreviousStateAndEscapeSaysItOnce) {
    platform::Link().DeliverKey(VK_DOWN, 0xD0, true);
    platform::Link().DeliverKey(VK_DOWN, 0xD0, true, true);
    platform::Link().DeliverKey(VK_ESCAPE, 0x01, true);
    platform::Link().DeliverKey(VK_ESCAPE, 0x01, true, true);
    platform::Link().DeliverKey(VK_ESCAPE, 0x01, true, true);
    platform::Link().DeliverKey(VK_ESCAPE, 0x01, false);
    platform::Link().DeliverKey(VK_ESCAPE, 0x01, true);  // a fresh press counts again
    Drain();
    ASSERT_EQ(5u, keyMessages.size());
    EXPECT_EQ(0, keyMessages[0].lParam & kPreviouslyDown);
    EXPECT_EQ(kPreviouslyDown, keyMessages[1].lParam & kPreviouslyDown);
    EXPECT_EQ(static_cast<WPARAM>(VK_DOWN), keyMessages[1].key);
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), keyMessages[2].message);
    EXPECT_EQ(0, keyMessages[2].lParam & kPreviouslyDown);
    EXPECT_EQ(static_cast<UINT>(WM_KEYUP), keyMessages[3].message);
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), keyMessages[4].message);
    EXPECT_EQ(static_cast<WPARAM>(VK_ESCAPE), keyMessages[4].key);
}

// A voice of the given part that adds a constant to both sides.
class Steady : public platform::AudioVoice {
public:
    Steady(float level, platform::VoicePart part) : level_(level), part_(part) { platform::AddVoice(this); }
    ~Steady() override { platform::RemoveVoice(this); }
    void MixInto(float* stereo, int frames, int) override {
        for (int i = 0; i < frames * 2; ++i) stereo[i] += level_;
    }
    platform::VoicePart Part() const override { return part_; }

private:
    float level_;
    platform::VoicePart part_;
};

std::int16_t MixedLevel() {
    std::vector<std::int16_t> out(2 * 600);
    platform::Link().MixAudio(out.data(), 600, host::kMixRate);
    return out[1100];
}

class MixVolumes : public ::testing::Test {
protected:
    void TearDown() override { platform::Link().SetMixVolumes(1.0f, 1.0f); }
};

TEST_F(MixVolumes, TheEffectsVolumeScalesEffectsLinearlyAndLeavesMusicToItsSynthesizer) {
    Steady effect(0.5f, platform::VoicePart::Effects);
    Steady music(0.25f, platform::VoicePart::Music);
    EXPECT_EQ(24575, MixedLevel());  // 0.75 of full scale
    platform::Link().SetMixVolumes(1.0f, 0.5f);
    EXPECT_EQ(16384, MixedLevel()) << "half the effect, all of the music";
    platform::Link().SetMixVolumes(0.1f, 0.0f);
    EXPECT_EQ(8192, MixedLevel()) << "music volume is the synthesizer's to apply";
    {
        std::lock_guard<std::mutex> hold(platform::AudioLock());
        EXPECT_FLOAT_EQ(0.1f, platform::MusicVolume());
    }
    platform::Link().SetMixVolumes(7.0f, -1.0f);
    EXPECT_EQ(8192, MixedLevel()) << "volumes stay between silent and full";
    std::lock_guard<std::mutex> hold(platform::AudioLock());
    EXPECT_FLOAT_EQ(1.0f, platform::MusicVolume());
}

}  // namespace
