// The screen state machine: window procedure, menu, per-frame dispatch, level switch.
#include "app/screens.h"

#include <cstdio>

#include "app/winmain.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "gfx/text.h"
#include "levels/level1.h"
#include "levels/level2.h"
#include "levels/level3.h"

int ScreenId = kScreenMenu;
int menuCursor = 0;
int currentLevel = 1;
const char* const menuItems[4] = {"START", "HELP", "ABOUT", "QUIT"};
int menuMusic = -1;
BitmapImage menuImage = {};
BitmapImage optionImages[3] = {};
bool cursorShown = true;

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

// Asks for the end of the program; the posted WM_DESTROY comes back in a later pass.
void End() {
    PostMessageA(mainWindow, WM_DESTROY, 0, 0);
}

// Brings the cursor's display count to exactly 0 (shown) or -1 (hidden), whatever it was,
// so that the count never drifts however long a screen is shown.
void ApplyCursorVisibility(bool show) {
    int count = ShowCursor(show ? TRUE : FALSE);
    if (show) {
        while (count < 0) count = ShowCursor(TRUE);
        while (count > 0) count = ShowCursor(FALSE);
    } else {
        while (count >= 0) count = ShowCursor(FALSE);
        while (count < -1) count = ShowCursor(TRUE);
    }
    cursorShown = count >= 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    const bool onMenu = ScreenId == kScreenMenu;
    switch (key) {
        case VK_RETURN:
            ScreenId = menuCursor;
            if (menuCursor == kScreenQuit) End();
            return 0;
        case VK_ESCAPE:
            if (onMenu)
                End();
            else
                ScreenId = kScreenMenu;
            return 0;
        case VK_UP:
            if (!onMenu) return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
            menuCursor = menuCursor == 0 ? 3 : menuCursor - 1;
            return 0;
        case VK_DOWN:
            if (!onMenu) return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
            menuCursor = menuCursor == 3 ? 0 : menuCursor + 1;
            return 0;
        case '1':
        case '2':
        case '3':
            if (GetKeyState(VK_CONTROL) < 0) JumpToLevel(static_cast<int>(key - '0'));
            return 0;
        case 'A':
            if (onMenu) ScreenId = kScreenAbout;
            return 0;
        case 'H':
            if (onMenu) ScreenId = kScreenHelp;
            return 0;
        case 'Q':
            if (onMenu) End();
            return 0;
        case 'S':
            if (onMenu) ScreenId = kScreenPlay;
            return 0;
        default:
            return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
    }
}

LRESULT OnLeftButton(HWND window, WPARAM wParam, LPARAM lParam) {
    if (ScreenId != kScreenMenu) return DefWindowProcA(window, WM_LBUTTONDOWN, wParam, lParam);
    const int x = LOWORD(lParam);
    const int y = HIWORD(lParam);
    if (x < 440 || x > 500) return 0;
    if (y >= 170 && y <= 200) {
        menuCursor = 0;
        ScreenId = kScreenPlay;
    } else if (y >= 201 && y <= 255) {
        menuCursor = 1;
        ScreenId = kScreenHelp;
    } else if (y >= 256 && y <= 310) {
        menuCursor = 2;
        ScreenId = kScreenAbout;
    } else if (y >= 311 && y <= 355) {
        End();
    }
    return 0;
}

void LoadFullScreenPicture(BitmapImage* image, const char* fileName) {
    LoadBitmapFile(&sharedBitmapFile, fileName);
    CreateBitmapImage(image, 0, 0, 640, 480, 16);
    LoadImageFromBitmap(image, &sharedBitmapFile, 0, 0, 1);
    UnloadBitmapFile(&sharedBitmapFile);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_KEYDOWN:
            return OnKeyDown(window, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLeftButton(window, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int RunFrame() {
    ApplyCursorVisibility(ScreenId == kScreenMenu);
    FillSurface(backSurface, 0, nullptr);
    switch (ScreenId) {
        case kScreenPlay:
            if (currentLevel == 1)
                RunLevel1();
            else if (currentLevel == 2)
                RunLevel2();
            else if (currentLevel == 3)
                RunLevel3();
            break;
        case kScreenQuit:
            PostQuitMessage(0);
            break;
        case kScreenMenu:
        case kScreenHelp:
        case kScreenAbout:
            DrawMenu();
            // Sounds a level left looping stop on the first frame of these screens; the
            // help and about pages are silent, so the piece DrawMenu started stops again.
            StopAllSounds();
            if (ScreenId != kScreenMenu) StopMusic(currentMusic);
            break;
        default:
            break;
    }
    FlipDisplay();
    return 1;
}

void LoadMenu() {
    menuMusic = LoadMidi("menu_bgmusic.mid");
    LoadFullScreenPicture(&menuImage, "menu.bmp");
    for (int n = 1; n <= 3; ++n) {
        char fileName[32];
        std::snprintf(fileName, sizeof(fileName), "option%d.bmp", n);
        LoadFullScreenPicture(&optionImages[n - 1], fileName);
    }
}

int DrawMenu() {
    if (MusicStatus(menuMusic) != kMusicPlaying) PlayMusic(menuMusic);
    LockBackSurface();
    if (ScreenId == kScreenMenu) {
        if (backBuffer) DrawBitmapImage(&menuImage, backBuffer, backPitch, 0);
        for (int i = 0; i < 4; ++i) DrawString(menuItems[i], 450, 175 + 50 * i, kBlack, backSurface);
        DrawString(menuItems[menuCursor], 449, 174 + 50 * menuCursor, kWhite, backSurface);
    } else if (ScreenId == kScreenHelp || ScreenId == kScreenAbout) {
        if (backBuffer) DrawBitmapImage(&optionImages[ScreenId], backBuffer, backPitch, 0);
    }
    char levelLine[32];
    std::snprintf(levelLine, sizeof(levelLine), "Level: %d", currentLevel);
    DrawString(levelLine, 10, 10, kWhite, backSurface);
    return UnlockBackSurface();
}

int JumpToLevel(int level) {
    currentLevel = level;
    StopAllSounds();
    return StopMusic(currentMusic);
}
