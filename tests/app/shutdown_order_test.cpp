// ShutdownGame lets go of everything in its order: the keyboard, then the music and the
// sound, then the pictures and sprites, and the display device last, so that nothing the
// game made outlives the device it was made on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "input/keyboard.h"
#include "levels/level1.h"
#include "levels/level3.h"
#include "support/game_fixture.h"

namespace {

// The order in which the objects below were let go of for the last time by the game.
std::vector<std::string> released;

// Stands in front of a real object: the game's release is noted, then passed on. Only
// Release is ever called on these during a shut-down; anything else fails loudly.
template <typename Interface>
struct Noting : Interface {
    Noting(Interface* real, const char* name) : real(real), name(name) {}
    DWORD AddRef() override { return real->AddRef(); }
    DWORD Release() override {
        released.push_back(name);
        return real->Release();
    }
    Interface* real;
    const char* name;
};

#define UNUSED_CALL(signature) \
    signature override {       \
        ADD_FAILURE() << name; \
        return E_FAIL;         \
    }

struct NotingInput : Noting<IDirectInput8A> {
    using Noting::Noting;
    UNUSED_CALL(HRESULT CreateDevice(const GUID&, IDirectInputDevice8A**, IUnknown*))
};
struct NotingKeyboard : Noting<IDirectInputDevice8A> {
    using Noting::Noting;
    UNUSED_CALL(HRESULT SetCooperativeLevel(HWND, DWORD))
    UNUSED_CALL(HRESULT SetDataFormat(const DIDATAFORMAT*))
    UNUSED_CALL(HRESULT Acquire())
    UNUSED_CALL(HRESULT Unacquire())
    UNUSED_CALL(HRESULT GetDeviceState(DWORD, LPVOID))
};
struct NotingLoader : Noting<IDirectMusicLoader> {
    using Noting::Noting;
    UNUSED_CALL(HRESULT GetObject(LPDMUS_OBJECTDESC, REFIID, LPVOID*))
    UNUSED_CALL(HRESULT SetSearchDirectory(REFGUID, WCHAR*, BOOL))
};
struct NotingSound : Noting<IDirectSound> {
    using Noting::Noting;
    UNUSED_CALL(HRESULT CreateSoundBuffer(LPCDSBUFFERDESC, LPDIRECTSOUNDBUFFER*, IUnknown*))
    UNUSED_CALL(HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER, LPDIRECTSOUNDBUFFER*))
    UNUSED_CALL(HRESULT SetCooperativeLevel(HWND, DWORD))
};
struct NotingSurface : Noting<IDirectDrawSurface7> {
    using Noting::Noting;
    UNUSED_CALL(HRESULT Blt(LPRECT, IDirectDrawSurface7*, LPRECT, DWORD, DDBLTFX*))
    UNUSED_CALL(HRESULT Flip(IDirectDrawSurface7*, DWORD))
    UNUSED_CALL(HRESULT GetAttachedSurface(DDSCAPS2*, IDirectDrawSurface7**))
    UNUSED_CALL(HRESULT GetPixelFormat(DDPIXELFORMAT*))
    UNUSED_CALL(HRESULT GetSurfaceDesc(DDSURFACEDESC2*))
    UNUSED_CALL(HRESULT Lock(LPRECT, DDSURFACEDESC2*, DWORD, void*))
    UNUSED_CALL(HRESULT Unlock(LPRECT))
    UNUSED_CALL(HRESULT SetColorKey(DWORD, DDCOLORKEY*))
    UNUSED_CALL(HRESULT GetColorKey(DWORD, DDCOLORKEY*))
    UNUSED_CALL(HRESULT SetClipper(IDirectDrawClipper*))
    UNUSED_CALL(HRESULT GetClipper(IDirectDrawClipper**))
    UNUSED_CALL(HRESULT SetPalette(IDirectDrawPalette*))
    UNUSED_CALL(HRESULT GetDC(HDC*))
    UNUSED_CALL(HRESULT ReleaseDC(HDC))
};
struct NotingDevice : Noting<IDirectDraw7> {
    using Noting::Noting;
    UNUSED_CALL(HRESULT SetCooperativeLevel(HWND, DWORD))
    UNUSED_CALL(HRESULT SetDisplayMode(DWORD, DWORD, DWORD, DWORD, DWORD))
    UNUSED_CALL(HRESULT CreateSurface(DDSURFACEDESC2*, IDirectDrawSurface7**, IUnknown*))
    UNUSED_CALL(HRESULT CreateClipper(DWORD, IDirectDrawClipper**, IUnknown*))
    UNUSED_CALL(HRESULT CreatePalette(DWORD, PALETTEENTRY*, IDirectDrawPalette**, IUnknown*))
};

// The fixture's own shut-down after the test finds nothing left to let go of.
class ShutdownOrderTest : public gametest::GameFixture {};

TEST_F(ShutdownOrderTest, KeyboardThenAudioThenPicturesAndSpritesThenTheDisplay) {
    ASSERT_NE(nullptr, inputObject);
    ASSERT_NE(nullptr, keyboardDevice);
    ASSERT_NE(nullptr, musicLoader);
    ASSERT_NE(nullptr, soundDevice);
    ASSERT_NE(nullptr, level1Hero.frames[0]);
    ASSERT_NE(nullptr, roomMaskSurface);
    ASSERT_NE(nullptr, directDraw);
    released.clear();
    NotingInput input(inputObject, "input");
    NotingKeyboard keyboard(keyboardDevice, "keyboard");
    NotingLoader loader(musicLoader, "music loader");
    NotingSound sound(soundDevice, "sound device");
    NotingSurface hero(level1Hero.frames[0], "level 1 hero");
    NotingSurface mask(roomMaskSurface, "room mask");
    NotingDevice device(directDraw, "display device");
    inputObject = &input;
    keyboardDevice = &keyboard;
    musicLoader = &loader;
    soundDevice = &sound;
    level1Hero.frames[0] = &hero;
    roomMaskSurface = &mask;
    directDraw = &device;

    ASSERT_EQ(1, ShutdownGame());
    const std::vector<std::string> expected = {"input",        "keyboard",  "music loader",  "sound device",
                                               "level 1 hero", "room mask", "display device"};
    EXPECT_EQ(expected, released);
    EXPECT_EQ(nullptr, inputObject);
    EXPECT_EQ(nullptr, keyboardDevice);
    EXPECT_EQ(nullptr, soundDevice);
    EXPECT_EQ(nullptr, directDraw);
    EXPECT_EQ(nullptr, level1Hero.frames[0]);
    EXPECT_EQ(nullptr, roomMaskSurface);
}

}  // namespace
