// The screen state machine: the window procedure that reads keys and clicks, the menu,
// the per-frame dispatch to the screen shown, and the level switch.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "platform/windows.h"

// ScreenId values.
constexpr int kScreenMenu = -1;
constexpr int kScreenPlay = 0;
constexpr int kScreenHelp = 1;
constexpr int kScreenAbout = 2;
constexpr int kScreenQuit = 3;

extern int ScreenId;
extern int menuCursor;
extern int currentLevel;
extern const char* const menuItems[4];
extern int menuMusic;
extern BitmapImage menuImage;
extern BitmapImage optionImages[3];
// Whether the mouse cursor shows, as the last frame left the display count.
extern bool cursorShown;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Called once per main-loop pass: one frame of the screen shown.
int RunFrame();
// Called once by InitGame: the menu's pictures (and music).
void LoadMenu();
// Draws the menu, help or about screen into the back surface.
int DrawMenu();
// Ctrl+1/2/3: the level that Play runs from now on.
int JumpToLevel(int level);
