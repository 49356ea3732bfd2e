// The game's services on our stand-ins: the calendar and the trace are the installed host's
// (a headless run fixes the calendar and keeps the trace), and game files are opened as the
// stand-ins open them, without waiting on pipes or devices; a damaged one is named on the
// program's error output.
#include <stdlib.h>

#include <cstdio>
#include <ctime>
#include <set>
#include <string>

#include "common/game_services.h"
#include "hosts/host.h"
#include "platform/files/regular_file.h"

namespace services {

CalendarTime CalendarNow() {
    const host::CalendarTime now = host::Current().Calendar();
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
    return host::Current().TraceWanted();
}

void WriteTraceRecord(const std::string& fields) {
    host::Current().TraceRecord(fields);
}

std::FILE* OpenForReading(const char* path) {
    return platform::OpenRegularFileStream(path);
}

void ReportDamagedFile(const char* fileName) {
    static std::set<std::string> reported;
    if (!fileName || !reported.insert(fileName).second) return;
    // The full path, since the player may not know which folder the game plays from.
    char* whole = realpath(fileName, nullptr);
    std::fprintf(stderr, "trundlebop: the game file %s is damaged; the game goes on without it\n",
                 whole ? whole : fileName);
    std::free(whole);
}

}  // namespace services
