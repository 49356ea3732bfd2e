// What the game needs beyond the platform's own services: the calendar it seeds its random
// numbers from and stamps the error file with, the trace of scripted runs, opening a game
// file for reading, and telling the player of a game file that is damaged. Each platform the game builds for implements
// these once: our stand-ins in common/game_services_standins.cpp, a Windows build with the C library and the system's
// files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

namespace services {

// A moment of the calendar: seconds since 1970-01-01 00:00 UTC and the millisecond part.
struct CalendarTime {
    std::int64_t seconds;
    std::uint16_t milliseconds;
};

// The calendar time now.
CalendarTime CalendarNow();
// `seconds` as local time, broken down; false (and `local` left as it was) when it cannot
// be converted.
bool LocalTime(std::int64_t seconds, std::tm* local);

// True when this run keeps a trace, so the game builds its record only then.
bool TraceEnabled();
// Adds this pass's record to the trace: the members of a JSON object without the braces
// (the pass number and the braces are added to them).
void WriteTraceRecord(const std::string& fields);

// The file at `path` opened for reading in binary, or null. Something that is not a plain
// file (a named pipe, a device) is refused rather than waited on where the platform can
// tell.
std::FILE* OpenForReading(const char* path);

// Tells the player, in one line and once for each name, that the game file `fileName`
// could be opened but not used (a picture the bitmap loader refuses shows as black).
void ReportDamagedFile(const char* fileName);

}  // namespace services
