// Text drawing on a surface and the error output file.
#pragma once

#include <cstdio>

#include "platform/ddraw.h"

// The open error output stream, or null (the game never opens it).
extern std::FILE* errorFile;

// Draws text with its top-left at (x, y) in a COLORREF colour, transparent background,
// through the surface's device context. 1 drawn, 0 no device context.
int DrawString(const char* text, int x, int y, COLORREF colour, LPDIRECTDRAWSURFACE7 surface);
// Formats a message (at most 79 characters are kept) and appends it to the error file,
// flushed at once. 1 written, 0 when the file is closed or the format is null.
int LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Opens the error file (or takes the given stream) and writes its time-stamped opening
// line. 1 open, 0 failed.
int OpenErrorFile(const char* fileName, std::FILE* stream);
// Writes the closing line and closes the file (standard streams stay open). 1 closed,
// 0 when it was not open.
int CloseErrorFile();
