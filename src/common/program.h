// The program-wide records every part of the game may read: the program's instance and its
// one window. WinMain (app/winmain.cpp) sets both at start-up; the display, keyboard, sound
// and music hand them to their devices.
#pragma once

#include "platform/windows.h"

extern HINSTANCE appInstance;
extern HWND mainWindow;
