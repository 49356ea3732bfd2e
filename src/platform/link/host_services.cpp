// The platform calls that only ask the host: the clocks and the trace.
#include "hosts/host.h"
#include "platform/link/diagnostics.h"
#include "platform/windows.h"

DWORD GetTickCount() {
    return host::Current().Milliseconds();
}

CalendarTime GetCalendarTime() {
    const host::CalendarTime now = host::Current().Calendar();
    return CalendarTime{now.seconds, now.milliseconds};
}

bool TraceEnabled() {
    return host::Current().TraceWanted();
}

void WriteTraceRecord(const std::string& fields) {
    host::Current().TraceRecord(fields);
}
