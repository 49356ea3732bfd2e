// The sound-effect module started on its own window, as the game starts it.
#include "support/sound_fixture.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/winmain.h"
#include "audio/sound.h"
#include "hosts/host.h"
#include "platform/dsound/audio_mixer.h"
#include "platform/link/host_link.h"

namespace gametest {
namespace {
constexpr char kWindowClass[] = "SOUNDTEST";
}

void SoundFixture::SetUp() {
    if (platform::MainWindow()) DestroyWindow(platform::MainWindow());
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExA(&windowClass);
    mainWindow =
        CreateWindowExA(0, kWindowClass, "Sound", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(mainWindow, nullptr);
    // An earlier test in this process may have shut the module down: start it afresh.
    if (!soundDevice) soundFirstInit = 1;
    ASSERT_EQ(InitSound(), 1);
    ASSERT_NE(soundDevice, nullptr);
}

void SoundFixture::TearDown() {
    DeleteAllSounds();
    DestroyWindow(mainWindow);
    mainWindow = nullptr;
    UnregisterClassA(kWindowClass, nullptr);
}

int SoundFixture::Mix(int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    platform::Link().MixAudio(out.data(), frames, host::kMixRate);
    int loudest = 0;
    for (std::int16_t s : out) loudest = std::max(loudest, std::abs(int(s)));
    return loudest;
}

}  // namespace gametest
