// The program-wide records of the program's instance and its one window, set by WinMain.
#include "common/program.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
