// Text drawing on a surface and the error output file.
#include "gfx/text.h"

#include <cstdarg>
#include <cstring>
#include <ctime>

#include "common/game_services.h"

std::FILE* errorFile = nullptr;

namespace {

constexpr std::size_t kMessageBufferSize = 80;

// The opening line's time stamp: the local time's "Www Mmm dd hh:mm:ss" part, a point,
// the milliseconds without leading zeros, a comma, and the year with its line break.
void FormatTimeStamp(char* out, std::size_t size) {
    const services::CalendarTime now = services::CalendarNow();
    std::tm local{};
    services::LocalTime(now.seconds, &local);
    char text[32] = {};
    if (std::strftime(text, sizeof(text), "%a %b %d %H:%M:%S %Y\n", &local) != 25) std::strcpy(text, "???");
    std::snprintf(out, size, "%.19s.%hu, %s", text, static_cast<unsigned short>(now.milliseconds),
                  std::strlen(text) > 20 ? text + 20 : "");
}

}  // namespace

int DrawString(const char* text, int x, int y, COLORREF colour, LPDIRECTDRAWSURFACE7 surface) {
    if (!surface || !text) return 0;
    HDC dc = nullptr;
    if (FAILED(surface->GetDC(&dc))) return 0;
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    surface->ReleaseDC(dc);
    return 1;
}

int LogMessage(const char* format, ...) {
    if (!format || !errorFile) return 0;
    char buffer[kMessageBufferSize];
    va_list args;
    va_start(args, format);
    // A longer message is cut to what the buffer holds; nothing is written past it.
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    std::fputs(buffer, errorFile);
    std::fflush(errorFile);
    return 1;
}

int OpenErrorFile(const char* fileName, std::FILE* stream) {
    if (stream) {
        errorFile = stream;
    } else {
        if (!fileName) return 0;
        errorFile = std::fopen(fileName, "w");
        if (!errorFile) return 0;
    }
    char stamp[64];
    FormatTimeStamp(stamp, sizeof(stamp));
    LogMessage("\nOpening Error Output File (%s) on %s\n", fileName ? fileName : "", stamp);
    if (stream) return 1;
    std::fclose(errorFile);
    errorFile = std::fopen(fileName, "a+");
    return errorFile ? 1 : 0;
}

int CloseErrorFile() {
    if (!errorFile) return 0;
    LogMessage("\nClosing Error Output File.");
    if (errorFile != stdout && errorFile != stderr) std::fclose(errorFile);
    errorFile = nullptr;
    return 1;
}
