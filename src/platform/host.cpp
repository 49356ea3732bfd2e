// The current host, the default quiet one, and the platform calls that only ask the host:
// the clocks and the trace.
#include "platform/host.h"

#include "platform/diagnostics.h"
#include "platform/headless/headless_host.h"

namespace host {
namespace {

Host* installed = nullptr;

Host& DefaultHost() {
    static HeadlessHost quiet{HeadlessOptions{}};
    return quiet;
}

}  // namespace

Host& Current() {
    return installed ? *installed : DefaultHost();
}

void Install(Host* host) {
    installed = host;
}

}  // namespace host

DWORD GetTickCount() {
    return host::Current().Milliseconds();
}

std::int64_t GetCalendarSeconds() {
    return host::Current().Calendar().seconds;
}

CalendarTime GetCalendarTime() {
    return host::Current().Calendar();
}

bool TraceEnabled() {
    return host::Current().TraceWanted();
}

void WriteTraceRecord(const std::string& fields) {
    host::Current().TraceRecord(fields);
}
