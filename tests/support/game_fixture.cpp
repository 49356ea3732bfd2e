// The in-process game fixture: starts and stops the whole game on the headless host.
#include "support/game_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "app/screens.h"
#include "app/winmain.h"
#include "audio/sound.h"
#include "platform/dinput.h"

namespace gametest {

void GameFixture::SetUp() {
    ASSERT_EQ(chdir(TRUNDLEBOP_ASSETS), 0) << "the generated game files are needed";
    host::HeadlessOptions options;
    options.keepLastFrame = true;
    headless_ = std::make_unique<host::HeadlessHost>(options);
    installed_.emplace(headless_.get());
    // Another test in this process may have left the game's window and class behind.
    if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
    UnregisterClassA(kMainWindowClass, nullptr);
    SetKeyboardReadsFail(false);
    ReleaseAllKeys();
    ASSERT_NE(CreateMainWindow(nullptr), nullptr);
    // The sound device goes at each shut-down; the next start-up makes it anew, as a
    // fresh program would.
    if (!soundDevice) soundFirstInit = 1;
    InitGame();
    ScreenId = kScreenPlay;
    currentLevel = 1;
}

void GameFixture::TearDown() {
    SetKeyboardReadsFail(false);
    ReleaseAllKeys();
    ShutdownGame();
    DestroyWindow(mainWindow);
    UnregisterClassA(kMainWindowClass, nullptr);
    installed_.reset();
}

void GameFixture::Frame() {
    RunFrame();
}

void GameFixture::FrameWith(const std::vector<int>& keys) {
    for (int key : keys) Hold(key);
    Frame();
    for (int key : keys) Hold(key, false);
}

void GameFixture::Hold(int scanCode, bool down) {
    SetSystemKeyState(scanCode, down);
}

void GameFixture::ReleaseAllKeys() {
    for (int scan = 0; scan < 256; ++scan) SetSystemKeyState(scan, false);
}

bool GameFixture::PaintCurrentFrame(Sprite& sprite, std::uint16_t colour) {
    LPDIRECTDRAWSURFACE7 picture = sprite.frames[sprite.currentFrame];
    if (!picture) return false;
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (FAILED(picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) return false;
    auto* rows = static_cast<std::uint8_t*>(desc.lpSurface);
    for (int y = 0; y < sprite.height; ++y)
        std::fill_n(reinterpret_cast<std::uint16_t*>(rows + static_cast<std::ptrdiff_t>(y) * desc.lPitch), sprite.width,
                    colour);
    picture->Unlock(nullptr);
    return true;
}

std::uint32_t GameFixture::Pixel(int x, int y) const {
    return headless_->LastFrame()[static_cast<std::size_t>(y) * 640 + x];
}

}  // namespace gametest
