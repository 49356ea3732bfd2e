// The SDL host's input on SDL's own stand-ins: game controllers as SDL's virtual joystick,
// plugged in before and during play; key repeats; and the one line for a missing sound device.
#include <gtest/gtest.h>

#include <SDL.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "hosts/key_codes.h"
#include "hosts/sdl/sdl_host.h"
#include "platform/windows.h"
#include "support/installed_host.h"
#include "support/key_messages.h"

namespace {

using gametest::KeepKeys;
using gametest::KeyMessage;
using gametest::keyMessages;

// The SDL host on SDL's invisible display with no sound, the game's window open on it.
class SdlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        keyMessages.clear();
    }
    void Start() {
        testing::internal::CaptureStderr();
        host::SdlOptions options;
        options.fullscreen = false;
        options.scale = 1;
        options.state = &state_;
        sdl_ = host::MakeSdlHost(options);
        stderr_ = testing::internal::GetCapturedStderr();
        ASSERT_NE(nullptr, sdl_);
        installed_.emplace(sdl_.get());
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = KeepKeys;
        wc.lpszClassName = "SDLTEST";
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(0, "SDLTEST", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        UnregisterClassA("SDLTEST", nullptr);
        installed_.reset();
        sdl_.reset();
        SDL_Quit();
    }
    // Lets the host look at SDL's events until the queue is quiet, then takes every message.
    static void Pump() {
        MSG msg;
        for (int i = 0; i < 4; ++i) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                if (msg.message != WM_QUIT) DispatchMessageA(&msg);
        }
    }
    static void PushKey(SDL_Scancode position, SDL_Keycode sym, bool down, bool repeat) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = position;
        event.key.keysym.sym = sym;
        SDL_PushEvent(&event);
    }
    static std::vector<WPARAM> Downs() {
        std::vector<WPARAM> keys;
        for (const KeyMessage& m : keyMessages)
            if (m.message == WM_KEYDOWN) keys.push_back(m.key);
        return keys;
    }

    host::PlayState state_;
    std::unique_ptr<host::Host> sdl_;
    std::optional<gametest::InstalledHost> installed_;
    std::string stderr_;
    HWND window_ = nullptr;
};

// A virtual controller SDL maps as a standard game controller.
SDL_JoystickID PlugInPad() {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    return SDL_JoystickGetDeviceInstanceID(index);
}

void Press(SDL_JoystickID pad, SDL_GameControllerButton button, bool down) {
    SDL_Joystick* joystick = SDL_JoystickFromInstanceID(pad);
    ASSERT_NE(nullptr, joystick);
    SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
}

TEST_F(SdlHostTest, WithoutASoundDeviceOneLineSaysSo) {
    Start();
    EXPECT_EQ("trundlebop: no audio device; playing without sound\n", stderr_);
    EXPECT_FALSE(sdl_->HasSoundDevice());
}

TEST_F(SdlHostTest, PadsPluggedInDuringPlayReachTheGameAsKeys) {
    Start();
    const SDL_JoystickID pad = PlugInPad();
    Pump();
    Press(pad, SDL_CONTROLLER_BUTTON_START, true);
    Pump();
    Press(pad, SDL_CONTROLLER_BUTTON_START, false);
    Pump();
    Press(pad, SDL_CONTROLLER_BUTTON_A, true);
    Pump();
    SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(pad), SDL_CONTROLLER_AXIS_LEFTX, -32768);
    Pump();
    const std::vector<WPARAM> expected = {VK_RETURN, VK_SPACE, VK_LEFT};
    EXPECT_EQ(expected, Downs());
    ASSERT_FALSE(keyMessages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_KEYUP), keyMessages[1].message) << "Start went up before A went down";

    // Unplugged with A and the stick held: the game sees both let go.
    keyMessages.clear();
    SDL_JoystickDetachVirtual(0);
    Pump();
    std::vector<WPARAM> ups;
    for (const KeyMessage& m : keyMessages)
        if (m.message == WM_KEYUP) ups.push_back(m.key);
    std::sort(ups.begin(), ups.end());
    EXPECT_EQ((std::vector<WPARAM>{VK_SPACE, VK_LEFT}), ups);
}

TEST_F(SdlHostTest, HeldKeysRepeatAsMarkedKeyDownsAndEscapesRepeatsGoNowhere) {
    Start();
    PushKey(SDL_SCANCODE_DOWN, SDLK_DOWN, true, false);
    PushKey(SDL_SCANCODE_DOWN, SDLK_DOWN, true, true);
    PushKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, true, false);
    PushKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, true, true);
    PushKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, true, true);
    PushKey(SDL_SCANCODE_F6, SDLK_F6, true, false);  // the host's: never the game's
    Pump();
    EXPECT_EQ((std::vector<WPARAM>{VK_DOWN, VK_DOWN, VK_ESCAPE}), Downs());
    ASSERT_EQ(3u, keyMessages.size());
    EXPECT_NE(0, keyMessages[1].lParam & (LPARAM{1} << 30)) << "the repeat carries the previous state";
    PushKey(SDL_SCANCODE_F5, SDLK_F5, true, false);
    PushKey(SDL_SCANCODE_F9, SDLK_F9, true, false);
    Pump();
    EXPECT_EQ(90, state_.volumes.music) << "what play changes is there for the program to save";
    EXPECT_TRUE(state_.volumes.mute);
}

TEST_F(SdlHostTest, APadPluggedInBeforeTheStartIsFound) {
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_JOYSTICK));
    const SDL_JoystickID pad = PlugInPad();
    Start();
    Pump();
    Press(pad, SDL_CONTROLLER_BUTTON_BACK, true);
    Pump();
    EXPECT_EQ(std::vector<WPARAM>{VK_ESCAPE}, Downs());
}

}  // namespace
