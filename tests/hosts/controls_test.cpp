// The hosts' shared controls: key names, bindings, the pad and stick mapping, the volume
// and screenshot keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

#include "hosts/common/controls.h"
#include "hosts/common/input_map.h"
#include "hosts/common/screenshot.h"
#include "hosts/key_codes.h"
#include "support/run_game.h"

namespace {

using host::GameKey;
using host::PadButton;

// What reached the game: virtual key, scan code, down, repeat.
using Delivered = std::tuple<int, int, bool, bool>;

struct Recorder {
    std::vector<Delivered> keys;
    host::InputMap::Sink Sink() {
        return [this](int vk, int scan, bool down, bool repeat) { keys.emplace_back(vk, scan, down, repeat); };
    }
    std::vector<Delivered> Take() { return std::exchange(keys, {}); }
};

TEST(KeyNames, ScriptNamesIncludeTheFunctionKeys) {
    int vk = 0, scan = 0;
    ASSERT_TRUE(host::LookUpKey("F1", vk, scan));
    EXPECT_EQ(std::make_pair(VK_F1, DIK_F1), std::make_pair(vk, scan));
    ASSERT_TRUE(host::LookUpKey("f12", vk, scan));
    EXPECT_EQ(std::make_pair(VK_F12, DIK_F12), std::make_pair(vk, scan));
    ASSERT_TRUE(host::LookUpKey("F10", vk, scan));
    EXPECT_EQ(std::make_pair(VK_F10, DIK_F10), std::make_pair(vk, scan));
    for (const char* wrong : {"F0", "F13", "F01", "F1x", "FF"}) EXPECT_FALSE(host::LookUpKey(wrong, vk, scan)) << wrong;
}

TEST(InputMap, BoundKeysActAsTheirGameKeyAndTheRestAsThemselves) {
    host::Bindings bindings;
    bindings.keys = {{'W', GameKey::Up}, {VK_UP, GameKey::Space}};
    Recorder game;
    host::InputMap map(bindings, game.Sink());
    map.Key('W', DIK_W, true, false);
    map.Key('W', DIK_W, true, true);
    map.Key('W', DIK_W, false, false);
    map.Key(VK_UP, DIK_UP, true, false);  // rebound: Up now jumps
    map.Key(VK_UP, DIK_UP, false, false);
    map.Key(VK_DOWN, DIK_DOWN, true, false);  // not bound: itself
    const std::vector<Delivered> expected = {{VK_UP, DIK_UP, true, false},        {VK_UP, DIK_UP, true, true},
                                             {VK_UP, DIK_UP, false, false},       {VK_SPACE, DIK_SPACE, true, false},
                                             {VK_SPACE, DIK_SPACE, false, false}, {VK_DOWN, DIK_DOWN, true, false}};
    EXPECT_EQ(expected, game.Take());
}

TEST(InputMap, AKeyHeldFromTwoPlacesGoesUpWhenTheLastLetsGo) {
    host::Bindings bindings;
    bindings.keys = {{'D', GameKey::Right}};
    Recorder game;
    host::InputMap map(bindings, game.Sink());
    map.Key(VK_RIGHT, DIK_RIGHT, true, false);
    map.Key('D', DIK_D, true, false);            // Right is already down: nothing new
    map.Key(VK_RIGHT, DIK_RIGHT, false, false);  // D still holds it
    map.Pad(0, PadButton::Right, true);
    map.Key('D', DIK_D, false, false);  // the D-pad still holds it
    map.Stick(0, 30000, 0);
    map.Pad(0, PadButton::Right, false);  // the stick still holds it
    map.Stick(0, 100, 0);
    const std::vector<Delivered> expected = {{VK_RIGHT, DIK_RIGHT, true, false}, {VK_RIGHT, DIK_RIGHT, false, false}};
    EXPECT_EQ(expected, game.Take());
    // A release nobody held still goes through, as the keyboard said so.
    map.Key(VK_LEFT, DIK_LEFT, false, false);
    EXPECT_EQ(std::vector<Delivered>{Delivered(VK_LEFT, DIK_LEFT, false, false)}, game.Take());
}

TEST(InputMap, PadButtonsAndStickFollowTheirBindings) {
    Recorder game;
    host::Bindings bindings;
    host::InputMap defaults(bindings, game.Sink());
    const std::pair<PadButton, int> standard[] = {{PadButton::A, VK_SPACE},      {PadButton::B, 'X'},
                                                  {PadButton::Start, VK_RETURN}, {PadButton::Back, VK_ESCAPE},
                                                  {PadButton::Up, VK_UP},        {PadButton::Left, VK_LEFT}};
    for (const auto& [button, vk] : standard) {
        defaults.Pad(0, button, true);
        defaults.Pad(0, button, false);
        const auto got = game.Take();
        ASSERT_EQ(2u, got.size()) << host::PadButtonName(button);
        EXPECT_EQ(vk, std::get<0>(got[0])) << host::PadButtonName(button);
        EXPECT_TRUE(std::get<2>(got[0]));
        EXPECT_FALSE(std::get<2>(got[1]));
    }
    defaults.Pad(0, PadButton::Y, true);
    EXPECT_TRUE(game.Take().empty()) << "Y does nothing unless bound";

    // The stick leans past half way to press; up is negative, as SDL has it.
    defaults.Stick(0, -16383, 0);
    EXPECT_TRUE(game.Take().empty());
    defaults.Stick(0, -20000, -32768);
    const std::vector<Delivered> leaned = {{VK_LEFT, DIK_LEFT, true, false}, {VK_UP, DIK_UP, true, false}};
    EXPECT_EQ(leaned, game.Take());
    defaults.Stick(0, 0, 32767);
    const std::vector<Delivered> swung = {
        {VK_LEFT, DIK_LEFT, false, false}, {VK_UP, DIK_UP, false, false}, {VK_DOWN, DIK_DOWN, true, false}};
    EXPECT_EQ(swung, game.Take());

    bindings.pad[static_cast<int>(PadButton::Y)] = GameKey::Escape;
    bindings.pad[static_cast<int>(PadButton::Down)] = GameKey::Space;  // the stick's down follows
    bindings.pad[static_cast<int>(PadButton::A)].reset();
    host::InputMap rebound(bindings, game.Sink());
    rebound.Pad(3, PadButton::Y, true);
    rebound.Pad(3, PadButton::A, true);
    rebound.Stick(3, 0, 32767);
    const std::vector<Delivered> expected = {{VK_ESCAPE, DIK_ESCAPE, true, false}, {VK_SPACE, DIK_SPACE, true, false}};
    EXPECT_EQ(expected, game.Take());
}

TEST(InputMap, AnUnpluggedPadLetsGoOfItsKeysAndADisabledPadDoesNothing) {
    Recorder game;
    host::Bindings bindings;
    host::InputMap map(bindings, game.Sink());
    map.Pad(1, PadButton::A, true);
    map.Stick(1, 32767, 0);
    map.Pad(2, PadButton::Start, true);
    game.Take();
    map.ReleasePad(1);
    auto released = game.Take();
    std::sort(released.begin(), released.end());
    const std::vector<Delivered> expected = {{VK_SPACE, DIK_SPACE, false, false}, {VK_RIGHT, DIK_RIGHT, false, false}};
    EXPECT_EQ(expected, released) << "pad 2's Start stays down";
    map.Stick(1, 32767, 0);
    EXPECT_EQ(1u, game.Take().size()) << "a pad plugged in again starts from rest";

    bindings.padEnabled = false;
    host::InputMap off(bindings, game.Sink());
    off.Pad(0, PadButton::Start, true);
    off.Stick(0, 32767, 32767);
    EXPECT_TRUE(game.Take().empty());
}

// A platform that keeps the last volumes it was told and hears nothing else.
class VolumeEar : public host::Platform {
public:
    void DeliverKey(int, int, bool, bool) override {}
    void DeliverClick(int, int, bool) override {}
    void DeliverClose() override {}
    void DeliverQuit(int) override {}
    void SetMixVolumes(float musicVolume, float effectsVolume) override {
        music = musicVolume;
        effects = effectsVolume;
        ++told;
    }
    void MixAudio(std::int16_t*, int, int) override {}
    float music = -1.0f, effects = -1.0f;
    int told = 0;
};

class ControlsTest : public ::testing::Test {
protected:
    Recorder game_;
};

TEST_F(ControlsTest, VolumeKeysStepByTenWithinTheirRangeAndNeverReachTheGame) {
    host::ControlOptions options;
    options.volumes.music = 100;
    options.volumes.effects = 10;
    host::Controls controls(options, game_.Sink());
    VolumeEar mixer;
    controls.Connect(mixer);
    EXPECT_EQ(1, mixer.told) << "the volumes reach the platform as the host is connected";
    EXPECT_FLOAT_EQ(1.0f, mixer.music);
    EXPECT_FLOAT_EQ(0.1f, mixer.effects);
    using Outcome = host::Controls::Outcome;
    EXPECT_EQ(Outcome::VolumeChanged, controls.Key(VK_F6, DIK_F6, true, false));
    EXPECT_EQ(100, controls.CurrentVolumes().music) << "never above 100";
    EXPECT_EQ(Outcome::Kept, controls.Key(VK_F6, DIK_F6, false, false));
    controls.Key(VK_F5, DIK_F5, true, false);
    controls.Key(VK_F5, DIK_F5, true, true);  // held: it keeps stepping
    EXPECT_EQ(80, controls.CurrentVolumes().music);
    EXPECT_EQ("MUSIC 80", controls.Note().text);
    EXPECT_EQ(8, controls.Note().level);
    controls.Key(VK_F7, DIK_F7, true, false);
    controls.Key(VK_F7, DIK_F7, true, false);
    EXPECT_EQ(0, controls.CurrentVolumes().effects) << "never below 0";
    controls.Key(VK_F8, DIK_F8, true, false);
    EXPECT_EQ(10, controls.CurrentVolumes().effects);
    controls.Key(VK_F9, DIK_F9, true, false);
    controls.Key(VK_F9, DIK_F9, true, true);  // a held mute key mutes once
    EXPECT_TRUE(controls.CurrentVolumes().mute);
    EXPECT_EQ("SOUND MUTED", controls.Note().text);
    EXPECT_FLOAT_EQ(0.0f, mixer.music);
    EXPECT_FLOAT_EQ(0.0f, mixer.effects);
    EXPECT_TRUE(game_.Take().empty());
}

TEST_F(ControlsTest, ABoundFunctionKeyBelongsToTheGame) {
    host::ControlOptions options;
    options.bindings.keys = {{VK_F5, GameKey::Space}};
    host::Controls controls(options, game_.Sink());
    EXPECT_EQ(host::Controls::Outcome::ToGame, controls.Key(VK_F5, DIK_F5, true, false));
    EXPECT_EQ(100, controls.CurrentVolumes().music);
    EXPECT_EQ(std::vector<Delivered>{Delivered(VK_SPACE, DIK_SPACE, true, false)}, game_.Take());
}

TEST_F(ControlsTest, F12SavesTheNextFrameShownOnce) {
    const gamerun::ScratchFolder scratch;
    host::ControlOptions options;
    options.screenshotFolder = scratch.Path() + "/shots";
    host::Controls controls(options, game_.Sink());
    std::vector<std::uint16_t> pixels(4 * 2, 0xF800);  // red in 5-6-5
    const host::Frame frame{pixels.data(), 4, 2, 8, host::PixelLayout::Rgb565, nullptr};
    const host::CalendarTime when{1000000000, 7};
    controls.FrameShown(frame, when);
    EXPECT_FALSE(std::filesystem::exists(options.screenshotFolder)) << "nothing before F12";
    EXPECT_EQ(host::Controls::Outcome::ScreenshotAsked, controls.Key(VK_F12, DIK_F12, true, false));
    EXPECT_EQ(host::Controls::Outcome::Kept, controls.Key(VK_F12, DIK_F12, true, true));
    testing::internal::CaptureStdout();
    controls.FrameShown(frame, when);
    controls.FrameShown(frame, when);
    const std::string said = testing::internal::GetCapturedStdout();
    std::vector<std::string> saved;
    for (const auto& entry : std::filesystem::directory_iterator(options.screenshotFolder))
        saved.push_back(entry.path().string());
    ASSERT_EQ(1u, saved.size());
    EXPECT_NE(std::string::npos, said.find(saved[0])) << said;
    EXPECT_EQ(host::ScreenshotName(when), std::filesystem::path(saved[0]).filename().string());
    gamerun::Picture picture;
    ASSERT_TRUE(gamerun::ReadPng(saved[0], picture));
    EXPECT_EQ(4, picture.width);
    EXPECT_EQ(0xFF0000u, picture.At(3, 1));
    EXPECT_TRUE(game_.Take().empty());
}

TEST(Screenshots, NamesFollowTheLocalTimeAndTakenNamesAreSkipped) {
    const host::CalendarTime when{1000000000, 42};
    const std::string name = host::ScreenshotName(when);
    ASSERT_EQ(std::string("trundlebop-YYYYMMDD-HHMMSS-NNN.png").size(), name.size()) << name;
    EXPECT_EQ("-042.png", name.substr(name.size() - 8));
    const gamerun::ScratchFolder scratch;
    std::vector<std::uint8_t> pixels(2 * 2, 1);
    const std::uint8_t palette[256 * 4] = {};
    const host::Frame frame{pixels.data(), 2, 2, 2, host::PixelLayout::Indexed8, palette};
    std::string first, second, error;
    ASSERT_TRUE(host::SaveScreenshot(frame, scratch.Path(), when, first, error)) << error;
    ASSERT_TRUE(host::SaveScreenshot(frame, scratch.Path(), when, second, error)) << error;
    EXPECT_NE(first, second);
    EXPECT_EQ("-043.png", second.substr(second.size() - 8));
    EXPECT_FALSE(host::SaveScreenshot(frame, first + "/under-a-file", when, second, error));
}

}  // namespace
