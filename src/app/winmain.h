// The program's entry, start-up, the fixed-period main loop and shut-down.
#pragma once

#include <cstdint>

#include "common/program.h"
#include "platform/ddraw.h"
#include "platform/windows.h"

extern std::uint32_t frameStartTick;

// The name the game's window class is registered under.
constexpr char kMainWindowClass[] = "WINCLASS1";

// Called once by WinMain before InitGame: notes the instance, registers the window class
// (icon, hand cursor, style, WindowProcedure) and opens the 640 x 480 window, which
// becomes mainWindow. Null when the class cannot be registered (mainWindow is left as it
// was) or the window cannot be made (mainWindow is null).
HWND CreateMainWindow(HINSTANCE instance);

// Called once by WinMain before the loop: display, keyboard, audio, menu and levels.
int InitGame();
// The display at 640 x 480 x 16, full screen, with the back surface's clipper.
LPDIRECTDRAWCLIPPER SetUpDisplay();
// Called at the start of every pass: notes the tick count.
std::uint32_t StartFrameClock();
// Called at the end of every pass: waits until ms have passed since StartFrameClock.
std::uint32_t WaitFrameClock(std::uint32_t ms);
// Called once by WinMain after the loop: releases every device and asset.
int ShutdownGame();
