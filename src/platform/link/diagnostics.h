// This stand-in's own services beyond the platform's, both asked of the host: the calendar,
// and the trace of scripted runs, where after each pass the game may describe its state and
// the host writes it to the trace file when one was asked for.
#pragma once

#include <cstdint>
#include <string>

// The calendar time: seconds since 1970-01-01 00:00 UTC with the millisecond part.
struct CalendarTime {
    std::int64_t seconds;
    std::uint16_t milliseconds;
};
CalendarTime GetCalendarTime();

// True when the host keeps a trace, so the game builds its record only then.
bool TraceEnabled();
// Hands the host the fields of this pass's record: a JSON object's members without the
// braces (the host adds the pass number and the braces).
void WriteTraceRecord(const std::string& fields);
