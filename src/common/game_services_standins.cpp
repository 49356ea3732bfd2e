// The game's services on our stand-ins: the calendar and the trace are the host's, and game
// files are opened without waiting on pipes or devices.
#include <ctime>

#include "common/game_services.h"
#include "platform/files/regular_file.h"
#include "platform/link/diagnostics.h"

namespace services {

CalendarTime CalendarNow() {
    const ::CalendarTime now = GetCalendarTime();
    return CalendarTime{now.seconds, now.milliseconds};
}

bool LocalTime(std::int64_t seconds, std::tm* local) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm broken{};
    if (!localtime_r(&time, &broken)) return false;
    *local = broken;
    return true;
}

bool TraceEnabled() {
    return ::TraceEnabled();
}

void WriteTraceRecord(const std::string& fields) {
    ::WriteTraceRecord(fields);
}

std::FILE* OpenForReading(const char* path) {
    return platform::OpenRegularFileStream(path);
}

}  // namespace services
