// The program's entry, start-up, the fixed-period main loop and shut-down.
#include "app/winmain.h"

#include "app/screens.h"
#include "app/trace.h"
#include "audio/music.h"
#include "gfx/bitmap.h"
#include "gfx/display.h"
#include "gfx/sprite.h"
#include "input/keyboard.h"
#include "levels/level1.h"
#include "levels/level2.h"
#include "levels/level3.h"

std::uint32_t frameStartTick = 0;

namespace {

constexpr int kIconResource = 7;
constexpr int kCursorResource = 108;
constexpr std::uint32_t kFramePeriodMs = 30;

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(kCursorResource));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kMainWindowClass;
    appInstance = instance;

    if (!RegisterClassExA(&windowClass)) return nullptr;
    mainWindow = CreateWindowExA(0, kMainWindowClass, "Trundlebop", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                 nullptr, appInstance, nullptr);
    return mainWindow;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!CreateMainWindow(instance)) return 0;

    InitGame();

    MSG msg{};
    for (;;) {
        StartFrameClock();
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        RunFrame();
        WritePassTrace();
        WaitFrameClock(kFramePeriodMs);
    }

    ShutdownGame();
    return static_cast<int>(msg.wParam);
}

int InitGame() {
    SetUpDisplay();
    InitKeyboard();
    InitAudio();
    LoadMenu();
    LoadLevel1();
    LoadLevel2();
    LoadLevel3();
    return 1;
}

LPDIRECTDRAWCLIPPER SetUpDisplay() {
    InitDisplay(640, 480, 16, 0);
    const RECT screen = {0, 0, screenWidth, screenHeight};
    // The clipper InitDisplay attached is replaced on the back surface by this one; the
    // surface let go of the old one, so it is released here rather than kept unused.
    LPDIRECTDRAWCLIPPER replaced = backClipper;
    backClipper = AttachClipper(backSurface, 1, &screen);
    if (replaced && replaced != backClipper) replaced->Release();
    return backClipper;
}

std::uint32_t StartFrameClock() {
    frameStartTick = GetTickCount();
    return frameStartTick;
}

std::uint32_t WaitFrameClock(std::uint32_t ms) {
    // A busy wait on the tick count, so the pass ends as soon as the time is up whatever
    // the clock's resolution; the unsigned difference stays right across the counter's
    // wrap at 2^32.
    while (static_cast<std::uint32_t>(GetTickCount() - frameStartTick) < ms) {
    }
    return GetTickCount();
}

int ShutdownGame() {
    ShutdownKeyboard();
    ShutdownAudio();
    DestroyBitmapImage(&menuImage);
    for (BitmapImage& image : optionImages) DestroyBitmapImage(&image);
    for (Sprite& tile : level1Tiles) DestroySprite(&tile);
    for (Sprite& house : level1Houses) DestroySprite(&house);
    DestroySprite(&level1Hero);
    DestroySprite(&level2Hero);
    DestroySprite(&level2Background);
    for (BitmapImage& page : scanImages) DestroyBitmapImage(&page);
    for (int i = 0; i < 2; ++i) {
        DestroyBitmapImage(&roomImages[i]);
        DestroyBitmapImage(&roomMasks[i]);
    }
    DestroySprite(&level3Hero);
    // The room mask surface goes too, before the display: nothing the levels made
    // outlives the device.
    if (roomMaskSurface) {
        roomMaskSurface->Release();
        roomMaskSurface = nullptr;
    }
    ShutdownDisplay();
    return 1;
}
